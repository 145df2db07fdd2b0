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
    CsvDialect csvDialect;             // --csv-dialect
    std::string output;                // --output: the workbook's file
    std::string encoding;              // --encoding of a batch
    std::optional<char> separator;     // --separator of a batch

    // What a writer of `layout` needs, from these settings.
    [[nodiscard]] WriterSetup writerSetup(Layout layout) const
    {
        return {.layout = layout,
            .decimalSeparator = decimalSeparator,
            .width = width,
            .carriedNames = {},
            .csvDialect = csvDialect,
            .outputPath = output,
            .catalogue = catalogue,
            .inputDecimalMark = '.'};
    }
};

// Runs case after case as the bearing window would, each into a record for the writers;
// one outcome serves every case, its strings keeping their memory.
class CaseRunner {
public:
    explicit CaseRunner(const RunSettings& settings)
        : settings_(settings)
        , materials_(*settings.catalogue)
    {
    }

    // The material of `texts` chosen within `group`, the numbers checked with --strict,
    // the calculation run: `record` holds the case afterwards.
    void run(const CaseTexts& texts, std::optional<Group> group, CaseRecord& record);
    // The same for a case the command line refused before any calculation.
    void refuse(const CaseTexts& texts, const CaseProblem& problem, CaseRecord& record);

private:
    const RunSettings& settings_;
    MaterialChooser materials_;
    CaseOutcome outcome_;
};

}  // namespace bearing::cli
