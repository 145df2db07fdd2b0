#include "caserunner.h"

#include "strictnumber.h"

#include <array>

namespace bearing::cli {

const BatchJob& SizingJob::batchJob()
{
    static constexpr std::array<BatchColumn, 5> columns{
        BatchColumn::Material, BatchColumn::Load, BatchColumn::Frequency, BatchColumn::Length, BatchColumn::Group};
    static const BatchJob job{.columns = columns,
        .required = 3,
        .batchName = "пакета",
        .columnsName = "расчета",
        .isOutputField = [](std::string_view name) { return hasColumn(caseColumns(), name); }};
    return job;
}

void CaseRunner::run(const CaseTexts& texts, std::optional<Group> group, CaseRecord& record)
{
    const MaterialChoice& choice = materials_.choose(texts.material, group);
    record.texts = &texts;
    record.read = nullptr;
    record.row = choice.kind == MaterialChoice::Kind::Found ? choice.row : -1;
    record.material = record.row >= 0 ? &settings_.catalogue->fields(record.row) : nullptr;
    if (record.row < 0) {
        fillResults(record, false, choice.problem(texts.material));
        return;
    }
    if (settings_.strict) {
        if (const CaseProblem problem = strictProblem(texts); !problem.empty()) {
            fillResults(record, false, problem);
            return;
        }
    }
    evaluateCase(settings_.catalogue->bearingWindow(), record.row, texts, settings_.decimalSeparator, record.evaluated);
    fillResults(record, true, {});
}

void CaseRunner::refuse(const CaseTexts& texts, const CaseProblem& problem, CaseRecord& record)
{
    record.texts = &texts;
    record.read = nullptr;
    record.row = -1;
    record.material = nullptr;
    fillResults(record, false, problem);
}

}  // namespace bearing::cli
