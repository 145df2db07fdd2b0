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
    record.start(texts, choice.kind == MaterialChoice::Kind::Found ? choice.row : -1, settings_.catalogue);
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
    record.start(texts);
    fillResults(record, false, problem);
}

}  // namespace bearing::cli
