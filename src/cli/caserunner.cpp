#include "caserunner.h"

#include "strictnumber.h"

namespace bearing::cli {

void CaseRunner::run(const CaseTexts& texts, std::optional<Group> group, CaseRecord& record)
{
    const MaterialChoice& choice = materials_.choose(texts.material, group);
    record.texts = &texts;
    record.row = choice.kind == MaterialChoice::Kind::Found ? choice.row : -1;
    record.material = record.row >= 0 ? &settings_.catalogue->fields(record.row) : nullptr;
    if (record.row < 0) {
        fillResults(record, nullptr, choice.problem(texts.material));
        return;
    }
    if (settings_.strict) {
        if (const CaseProblem problem = strictProblem(texts); !problem.empty()) {
            fillResults(record, nullptr, problem);
            return;
        }
    }
    evaluateCase(settings_.catalogue->bearingWindow(), record.row, texts, settings_.decimalSeparator, outcome_);
    fillResults(record, &outcome_, {});
}

void CaseRunner::refuse(const CaseTexts& texts, const CaseProblem& problem, CaseRecord& record)
{
    record.texts = &texts;
    record.row = -1;
    record.material = nullptr;
    fillResults(record, nullptr, problem);
}

}  // namespace bearing::cli
