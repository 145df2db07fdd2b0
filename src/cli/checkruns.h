#pragma once

#include "batchheader.h"
#include "calculationreport.h"
#include "caserunner.h"
#include "checkrecord.h"
#include "checkwriter.h"
#include "csvdialect.h"

#include <array>
#include <limits>
#include <memory>
#include <ostream>

namespace bearing::cli {

// Runs design check after design check, each into a record for the writers.
class CheckRunner {
public:
    explicit CheckRunner(const RunSettings& settings)
        : settings_(settings)
        , materials_(*settings.catalogue)
    {
    }

    // The material of `texts` chosen within `group`, the check run: `record` holds it.
    void run(const CheckTexts& texts, std::optional<Group> group, CheckRecord& record);
    // The same for a check the command line refused before any calculation.
    void refuse(const CheckTexts& texts, const CaseProblem& problem, CheckRecord& record) const;

private:
    const RunSettings& settings_;
    MaterialChooser materials_;
};

// The check as the report shows it.
[[nodiscard]] CheckReportCase reportCase(const Catalogue& catalogue, const CheckRecord& record);

// The design check as a job (jobrun.h): a check fails when it does not pass; --sort
// utilisation orders by the governing use, checks that stopped at a message last.
struct CheckJob {
    using Texts = CheckTexts;
    using Record = CheckRecord;
    using Runner = CheckRunner;
    static constexpr bool perMaterial = true;
    static constexpr NoBreakSpaces noBreakSpaces = NoBreakSpaces::Grouping;
    static constexpr std::array<JobInput<CheckTexts>, 6> inputs{{
        {.column = BatchColumn::Material, .text = &CheckTexts::material, .number = false},
        {.column = BatchColumn::Load, .text = &CheckTexts::load},
        {.column = BatchColumn::Frequency, .text = &CheckTexts::frequency},
        {.column = BatchColumn::Diameter, .text = &CheckTexts::diameter},
        {.column = BatchColumn::Length, .text = &CheckTexts::length},
        {.column = BatchColumn::Temperature, .optional = &CheckTexts::temperature},
    }};

    [[nodiscard]] static const BatchJob& batchJob();
    [[nodiscard]] static std::unique_ptr<CheckWriter> makeWriter(
        std::ostream& out, OutputFormat format, const WriterSetup& setup)
    {
        return makeCheckWriter(out, format, setup);
    }
    [[nodiscard]] static bool fails(const CheckRecord& record) { return !record.passed(); }
    [[nodiscard]] static double useOf(const CheckRecord& record)
    {
        return record.check && record.check->fault == CheckFault::None ? record.check->governingUse
                                                                       : std::numeric_limits<double>::infinity();
    }
};

}  // namespace bearing::cli
