#pragma once

#include "batchheader.h"
#include "caserecord.h"
#include "catalogue.h"
#include "csvdialect.h"
#include "resultwriter.h"
#include "sizingcase.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <memory>
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
    std::size_t jobs = 1;              // --jobs: the workers that run a batch's cases
    // A batch's progress on the standard error (a terminal), once it has run this long.
    bool showProgress = false;
    std::chrono::milliseconds progressAfter{1000};
    // A case of a batch that takes less is run by the thread that reads: moving its texts
    // and its record to another core and back would cost it more.
    std::chrono::nanoseconds quickCase = std::chrono::microseconds(20);

    // What a writer of `layout` needs, from these settings.
    [[nodiscard]] WriterSetup writerSetup(Layout layout) const
    {
        return {.layout = layout,
            .decimalSeparator = decimalSeparator,
            .width = width,
            .carriedNames = {},
            .csvDialect = csvDialect,
            .outputPath = output,
            .materials = catalogue != nullptr ? &catalogue->listed() : nullptr,
            .inputDecimalMark = '.'};
    }
};

// Runs case after case as the bearing window would, each into a record for the writers;
// a record's outcome is its own, its strings keeping their memory from case to case. A
// runner is for one thread: runs side by side take one each.
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
};

// The sizing as a job (jobrun.h): a case fails when it ends in a message. Its numbers lose
// every no-break space, as the window reads blanks.
struct SizingJob {
    using Texts = CaseTexts;
    using Record = CaseRecord;
    using Runner = CaseRunner;
    static constexpr bool perMaterial = true;
    static constexpr NoBreakSpaces noBreakSpaces = NoBreakSpaces::Anywhere;
    static constexpr std::array<JobInput<CaseTexts>, 4> inputs{{
        {.column = BatchColumn::Material, .text = &CaseTexts::material, .number = false},
        {.column = BatchColumn::Load, .text = &CaseTexts::load},
        {.column = BatchColumn::Frequency, .text = &CaseTexts::frequency},
        {.column = BatchColumn::Length, .optional = &CaseTexts::length},
    }};

    [[nodiscard]] static const BatchJob& batchJob();
    [[nodiscard]] static std::unique_ptr<ResultWriter> makeWriter(
        std::ostream& out, OutputFormat format, const WriterSetup& setup)
    {
        return makeResultWriter(out, format, setup);
    }
    [[nodiscard]] static bool fails(const CaseRecord& record) { return record.endedInMessage(); }
};

}  // namespace bearing::cli
