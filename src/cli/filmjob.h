#pragma once

// The oil film as a job of the command line (jobrun.h): a full plain journal bearing on
// a film of oil, solved by the core (oilfilm.h) for each case, and written in every
// format from the core's table of its figures (filmFields).

#include "batchheader.h"
#include "caserecord.h"
#include "caserunner.h"
#include "csvdialect.h"
#include "filmreport.h"
#include "messagecodes.h"
#include "oilfilm.h"
#include "resultwriter.h"

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace bearing::cli {

// What the user gave for one case, exactly as given.
struct FilmCaseTexts {
    std::string load;
    std::string frequency;
    std::string diameter;
    std::string length;
    std::string clearance;
    std::string viscosity;
    std::optional<std::string> journalRoughness;  // none: the default
    std::optional<std::string> boreRoughness;
    std::optional<std::string> margin;

    [[nodiscard]] FilmTexts view() const;
};

// One case as every writer reads it, as CheckRecord is for a check.
struct FilmRecord : JobRecord<FilmCaseTexts> {
    std::optional<OilFilm> film;  // present when the calculation ran

    [[nodiscard]] bool passed() const { return film && film->passes; }
    // The solution, when the calculation reached its figures.
    [[nodiscard]] const OilFilm* figures() const { return film && film->fault == FilmFault::None ? &*film : nullptr; }
};

// The fields of every case: the inputs as given, the figures, the messages.
[[nodiscard]] std::span<const Column<FilmRecord>> filmColumns();

class FilmRunner {
public:
    explicit FilmRunner(const RunSettings& /*settings*/) { }

    void run(const FilmCaseTexts& texts, std::optional<Group> group, FilmRecord& record) const;
    void refuse(const FilmCaseTexts& texts, const CaseProblem& problem, FilmRecord& record) const;
};

using FilmWriter = RecordWriter<FilmRecord>;

[[nodiscard]] std::unique_ptr<FilmWriter> makeFilmWriter(
    std::ostream& out, OutputFormat format, const WriterSetup& setup);

// The case as the report shows it: its texts as the calculation read them.
[[nodiscard]] FilmReportCase filmReportCase(const FilmRecord& record);

// A case fails when it does not pass.
struct FilmJob {
    using Texts = FilmCaseTexts;
    using Record = FilmRecord;
    using Runner = FilmRunner;
    static constexpr bool perMaterial = false;
    static constexpr NoBreakSpaces noBreakSpaces = NoBreakSpaces::Grouping;
    static constexpr std::array<JobInput<FilmCaseTexts>, 9> inputs{{
        {.column = BatchColumn::Load, .text = &FilmCaseTexts::load},
        {.column = BatchColumn::Frequency, .text = &FilmCaseTexts::frequency},
        {.column = BatchColumn::Diameter, .text = &FilmCaseTexts::diameter},
        {.column = BatchColumn::Length, .text = &FilmCaseTexts::length},
        {.column = BatchColumn::Clearance, .text = &FilmCaseTexts::clearance},
        {.column = BatchColumn::Viscosity, .text = &FilmCaseTexts::viscosity},
        {.column = BatchColumn::JournalRoughness, .optional = &FilmCaseTexts::journalRoughness},
        {.column = BatchColumn::BoreRoughness, .optional = &FilmCaseTexts::boreRoughness},
        {.column = BatchColumn::FilmMargin, .optional = &FilmCaseTexts::margin},
    }};

    [[nodiscard]] static const BatchJob& batchJob();
    [[nodiscard]] static std::unique_ptr<FilmWriter> makeWriter(
        std::ostream& out, OutputFormat format, const WriterSetup& setup)
    {
        return makeFilmWriter(out, format, setup);
    }
    [[nodiscard]] static bool fails(const FilmRecord& record) { return !record.passed(); }
};

}  // namespace bearing::cli
