#include "checkwriter.h"

#include "checkedoutput.h"
#include "csvwriter.h"
#include "jsonwriter.h"
#include "materialchoice.h"
#include "numbertext.h"
#include "tablewriter.h"
#include "terminaltext.h"
#include "texttable.h"
#include "workbookresults.h"

#include <array>
#include <utility>

namespace bearing::cli {

namespace {

std::string verdict(const CheckRecord& record)
{
    if (!record.check || record.check->fault != CheckFault::None) {
        return "нет расчета";
    }
    return std::string(verdictWord(record.check->passes));
}

// One check: the figures, each with its share of the limit, and the verdict.
void appendCheckLines(const CheckRecord& record, std::string_view separator, std::string& text)
{
    if (!record.check || record.check->fault != CheckFault::None) {
        return;
    }
    const CheckLines shown = checkLines(*record.check, *record.limits, separator);
    for (const CheckFigureLine& figure : shown.figures) {
        text += figure.name + " = " + figure.value + ", " + figure.use + " от " + figure.limit + "\n";
    }
    for (const std::string& line : shown.lines) {
        text += line + "\n";
    }
}

constexpr std::array tableColumns{
    TableColumn{.cell = Cell::Number, .heading = "№", .alignRight = true},
    TableColumn{.cell = Cell::Material, .heading = "Материал", .cuttable = true},
    TableColumn{.cell = Cell::WorkingPressure, .heading = "p, МПа", .alignRight = true, .priority = 4},
    TableColumn{.cell = Cell::SlidingSpeed, .heading = "v, м/с", .alignRight = true, .priority = 5},
    TableColumn{.cell = Cell::WorkingPV, .heading = "pv, МПа·м/с", .alignRight = true, .priority = 6},
    TableColumn{.cell = Cell::PressureUse, .heading = "[p], %", .alignRight = true, .priority = 1},
    TableColumn{.cell = Cell::SpeedUse, .heading = "[v], %", .alignRight = true, .priority = 2},
    TableColumn{.cell = Cell::PVUse, .heading = "[pv], %", .alignRight = true, .priority = 3},
    TableColumn{.cell = Cell::Governing, .heading = "Использование", .alignRight = true},
    TableColumn{.cell = Cell::MaxLoad, .heading = "Fmax, Н", .alignRight = true, .priority = 7},
    TableColumn{.cell = Cell::MaxFrequency, .heading = "nmax, об/мин", .alignRight = true, .priority = 8},
    TableColumn{.cell = Cell::Verdict, .heading = "Итог"},
    TableColumn{.cell = Cell::Note, .heading = "Прим.", .hideWhenEmpty = true},
};

// The same columns with fixed widths, for a batch that streams.
constexpr auto streamedColumns = [] {
    std::array<TableColumn, tableColumns.size()> columns = tableColumns;
    const std::array<std::size_t, tableColumns.size()> widths{6, 24, 8, 8, 11, 7, 7, 7, 17, 9, 12, 11, 5};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        columns.at(i).width = widths.at(i);
    }
    return columns;
}();

TableRow tableRow(const CheckRecord& record, std::string number, std::string_view separator)
{
    TableRow row;
    cellOf(row, Cell::Number) = std::move(number);
    cellOf(row, Cell::Material) = record.material != nullptr ? record.material->shownName : record.texts->material;
    cellOf(row, Cell::Verdict) = verdict(record);
    if (!record.check || record.check->fault != CheckFault::None) {
        return row;
    }
    const DesignCheck& k = *record.check;
    cellOf(row, Cell::WorkingPressure) = formatCheckFigure(k.pressure, separator);
    cellOf(row, Cell::SlidingSpeed) = formatCheckFigure(k.speed, separator);
    cellOf(row, Cell::WorkingPV) = formatCheckFigure(k.pv, separator);
    cellOf(row, Cell::PressureUse) = formatUtilisation(k.pressureUse, separator);
    cellOf(row, Cell::SpeedUse) = formatUtilisation(k.speedUse, separator);
    cellOf(row, Cell::PVUse) = formatUtilisation(k.pvUse, separator);
    cellOf(row, Cell::Governing)
        = formatUtilisation(k.governingUse, separator) + " % " + std::string(limitSymbol(k.governing));
    cellOf(row, Cell::MaxLoad) = formatCheckFigure(k.maxLoad, separator);
    cellOf(row, Cell::MaxFrequency) = formatCheckFigure(k.maxFrequency, separator);
    return row;
}

// A check's row, with the notes the table has no column for: the temperature when it was
// not compared or is above [t]. Every material is numbered by its row, a batch by its
// records.
void checkRow(const CheckRecord& record, std::size_t number, const WriterSetup& setup, TableRow& row,
    std::vector<std::string>& notes)
{
    const bool batch = setup.layout == Layout::Batch;
    row = tableRow(record, batch ? std::to_string(number) : (record.material != nullptr ? record.material->row : ""),
        setup.decimalSeparator);
    if (record.check && record.check->fault == CheckFault::None) {
        const DesignCheck& k = *record.check;
        if (!k.temperature) {
            notes.emplace_back(temperatureNotCompared);
        } else if (!k.temperatureHolds) {
            notes.push_back(checkTemperatureLine(k, *record.limits, setup.decimalSeparator));
        }
    }
}

}  // namespace

std::unique_ptr<CheckWriter> makeCheckWriter(std::ostream& out, OutputFormat format, const WriterSetup& setup)
{
    switch (format) {
    case OutputFormat::Csv: return std::make_unique<CsvWriter<CheckRecord>>(out, setup, checkColumns());
    case OutputFormat::Json: return std::make_unique<JsonWriter<CheckRecord>>(out, setup, checkColumns());
    case OutputFormat::Text: break;
    case OutputFormat::Xlsx: return makeWorkbookChecks(setup);
    }
    switch (setup.layout) {
    case Layout::OneCase: return std::make_unique<LinesWriter<CheckRecord>>(out, setup, appendCheckLines);
    case Layout::MaterialTable: return std::make_unique<TableWriter<CheckRecord>>(out, setup, tableColumns, checkRow);
    case Layout::Batch: return std::make_unique<TableWriter<CheckRecord>>(out, setup, streamedColumns, checkRow);
    }
    return nullptr;
}

}  // namespace bearing::cli
