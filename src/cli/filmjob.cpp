#include "filmjob.h"

#include "checkedoutput.h"
#include "csvwriter.h"
#include "jsonwriter.h"
#include "tablewriter.h"
#include "texttable.h"
#include "workbookresults.h"

#include <utility>

namespace bearing::cli {

namespace {

// The inputs as given (the required margin is among the figures, as used), the figures,
// the messages.
constexpr auto filmTable = columns::joined(
    std::array{
        columns::input<FilmRecord, &FilmCaseTexts::load>("load"),
        columns::input<FilmRecord, &FilmCaseTexts::frequency>("frequency"),
        columns::input<FilmRecord, &FilmCaseTexts::diameter>("diameter"),
        columns::input<FilmRecord, &FilmCaseTexts::length>("length"),
        columns::input<FilmRecord, &FilmCaseTexts::clearance>("clearance"),
        columns::input<FilmRecord, &FilmCaseTexts::viscosity>("viscosity"),
        columns::optionalInput<FilmRecord, &FilmCaseTexts::journalRoughness>("roughness_journal"),
        columns::optionalInput<FilmRecord, &FilmCaseTexts::boreRoughness>("roughness_bore"),
    },
    columns::results<FilmRecord, filmFields>(), columns::messages<FilmRecord>());

// One case: its lines, as the web page shows them.
void appendFilmLines(const FilmRecord& record, std::string_view separator, std::string& text)
{
    if (record.film) {
        for (const std::string& line : filmLines(*record.film, separator)) {
            text += line + "\n";
        }
    }
}

constexpr std::array streamedColumns{
    TableColumn{.cell = Cell::Number, .heading = "№", .alignRight = true, .width = 6},
    TableColumn{.cell = Cell::Sommerfeld, .heading = "S", .alignRight = true, .priority = 5, .width = 9},
    TableColumn{.cell = Cell::Eccentricity, .heading = "ε", .alignRight = true, .width = 6},
    TableColumn{.cell = Cell::MinFilm, .heading = "h_min, мкм", .alignRight = true, .width = 10},
    TableColumn{.cell = Cell::FilmMargin, .heading = "Запас", .alignRight = true, .width = 6},
    TableColumn{.cell = Cell::MaxFilmPressure, .heading = "p_max, МПа", .alignRight = true, .priority = 3, .width = 10},
    TableColumn{.cell = Cell::FrictionCoefficient, .heading = "f", .alignRight = true, .priority = 4, .width = 9},
    TableColumn{.cell = Cell::FrictionPower, .heading = "N_тр, Вт", .alignRight = true, .priority = 1, .width = 9},
    TableColumn{.cell = Cell::Flow, .heading = "Q, см³/с", .alignRight = true, .priority = 2, .width = 9},
    TableColumn{.cell = Cell::Verdict, .heading = "Итог", .width = 11},
    TableColumn{.cell = Cell::Note, .heading = "Прим.", .width = 5},
};

// A batch's row: the figures a designer scans for, the verdict.
void filmRow(const FilmRecord& record, std::size_t number, const WriterSetup& setup, TableRow& row,
    std::vector<std::string>& /*notes*/)
{
    cellOf(row, Cell::Number) = std::to_string(number);
    const OilFilm* film = record.film && record.film->fault == FilmFault::None ? &*record.film : nullptr;
    cellOf(row, Cell::Verdict) = film != nullptr ? std::string(verdictWord(film->passes)) : "нет расчета";
    const auto shown = [&setup](double value) { return formatCheckFigure(value, setup.decimalSeparator); };
    if (film != nullptr) {
        cellOf(row, Cell::Sommerfeld) = shown(film->sommerfeld);
    }
    if (film != nullptr && film->solved) {
        cellOf(row, Cell::Eccentricity) = shown(film->eccentricity);
        cellOf(row, Cell::MinFilm) = shown(film->minFilmThickness);
        cellOf(row, Cell::FilmMargin) = shown(film->filmMargin);
        cellOf(row, Cell::MaxFilmPressure) = shown(film->maxPressure);
        cellOf(row, Cell::FrictionCoefficient) = shown(film->frictionCoefficient);
        cellOf(row, Cell::FrictionPower) = shown(film->frictionPower);
        cellOf(row, Cell::Flow) = shown(film->flow);
    }
}

}  // namespace

FilmTexts FilmCaseTexts::view() const { return filmTextsOf(*this); }

std::span<const Column<FilmRecord>> filmColumns() { return filmTable; }

const BatchJob& FilmJob::batchJob()
{
    static constexpr std::array<BatchColumn, 9> columns{BatchColumn::Load, BatchColumn::Frequency,
        BatchColumn::Diameter, BatchColumn::Length, BatchColumn::Clearance, BatchColumn::Viscosity,
        BatchColumn::JournalRoughness, BatchColumn::BoreRoughness, BatchColumn::FilmMargin};
    static const BatchJob job{.columns = columns,
        .required = 6,
        .batchName = "пакета масляного слоя",
        .columnsName = "масляного слоя",
        .isOutputField = [](std::string_view name) { return hasColumn(filmColumns(), name); }};
    return job;
}

void FilmRunner::run(const FilmCaseTexts& texts, std::optional<Group> /*group*/, FilmRecord& record) const
{
    record.start(texts);
    record.film = solveOilFilm(texts.view());
    record.clearMessages();
    const OilFilm& film = *record.film;
    if (film.fault != FilmFault::None) {
        record.addMessage(filmFaultMessage(film.fault), filmFaultCode(film.fault));
        return;
    }
    if (film.limit != FilmLimit::None) {
        record.addMessage(filmLimitMessage(film.limit), filmLimitCode(film.limit));
    }
}

void FilmRunner::refuse(const FilmCaseTexts& texts, const CaseProblem& problem, FilmRecord& record) const
{
    record.start(texts);
    record.film.reset();
    record.clearMessages();
    record.addMessage(problem.text, problem.code);
}

std::unique_ptr<FilmWriter> makeFilmWriter(std::ostream& out, OutputFormat format, const WriterSetup& setup)
{
    switch (format) {
    case OutputFormat::Csv: return std::make_unique<CsvWriter<FilmRecord>>(out, setup, filmColumns());
    case OutputFormat::Json: return std::make_unique<JsonWriter<FilmRecord>>(out, setup, filmColumns());
    case OutputFormat::Xlsx: return makeWorkbookFilms(setup);
    case OutputFormat::Text: break;
    }
    if (setup.layout == Layout::OneCase) {
        return std::make_unique<LinesWriter<FilmRecord>>(out, setup, appendFilmLines);
    }
    return std::make_unique<TableWriter<FilmRecord>>(out, setup, streamedColumns, filmRow);
}

FilmReportCase filmReportCase(const FilmRecord& record)
{
    const FilmCaseTexts& texts = record.read != nullptr ? *record.read : *record.texts;
    FilmReportCase c{.load = texts.load,
        .frequency = texts.frequency,
        .diameter = texts.diameter,
        .length = texts.length,
        .clearance = texts.clearance,
        .viscosity = texts.viscosity,
        .journalRoughness = texts.journalRoughness,
        .boreRoughness = texts.boreRoughness,
        .margin = texts.margin,
        .film = record.film.value_or(OilFilm{}),
        .messages = {},
        .carried = {}};
    if (!record.film) {
        c.messages = record.messages;
    }
    return c;
}

}  // namespace bearing::cli
