#pragma once

#include "bearingcase.h"
#include "caserecord.h"
#include "catalogue.h"
#include "resultwriter.h"

#include <cstddef>
#include <optional>
#include <string>

namespace bearing::cli {

// What every run of cases shares, from the options and the environment.
struct RunSettings {
    const Catalogue* catalogue = nullptr;
    OutputFormat format = OutputFormat::Text;
    std::optional<Group> group;  // --group
    std::string decimalSeparator = ".";
    std::size_t width = noWidthLimit;  // for text
    bool strict = false;               // --strict
};

// Runs case after case as the bearing window would, each into a record for the writers;
// one outcome serves every case, its strings keeping their memory.
class CaseRunner {
public:
    explicit CaseRunner(const RunSettings& settings)
        : settings_(settings)
    {
    }

    // The material of `texts` chosen within `group`, the numbers checked with --strict,
    // the calculation run: `record` holds the case afterwards.
    void run(const CaseTexts& texts, std::optional<Group> group, CaseRecord& record);
    // The same for a case the command line refused before any calculation.
    void refuse(const CaseTexts& texts, const CaseProblem& problem, CaseRecord& record);

private:
    const RunSettings& settings_;
    CaseOutcome outcome_;
    // Batches tend to repeat a material row after row.
    std::string lastMaterial_;
    std::optional<Group> lastGroup_;
    std::optional<MaterialChoice> lastChoice_;
};

}  // namespace bearing::cli
