#include "textwriter.h"

#include "tablewriter.h"

#include <array>

namespace bearing::cli {

namespace {

constexpr std::string_view belowMinimumMark = "L < Lmin";

// The columns of the table of every material.
constexpr std::array materialTableColumns{
    TableColumn{.cell = Cell::Number, .heading = "№", .alignRight = true},
    TableColumn{.cell = Cell::Material, .heading = "Материал", .cuttable = true},
    TableColumn{.cell = Cell::Group, .heading = "Группа", .priority = 5},
    TableColumn{.cell = Cell::Pressure, .heading = "[p], МПа", .alignRight = true, .priority = 1},
    TableColumn{.cell = Cell::Speed, .heading = "[v], м/с", .alignRight = true, .priority = 2},
    TableColumn{.cell = Cell::PV, .heading = "[pv], МПа·м/с", .alignRight = true, .priority = 3},
    TableColumn{.cell = Cell::Temperature, .heading = "[t], °C", .alignRight = true, .priority = 4},
    TableColumn{.cell = Cell::MaxDiameter, .heading = "Dmax, мм", .alignRight = true},
    TableColumn{.cell = Cell::MinLength, .heading = "Lmin, мм", .alignRight = true},
    TableColumn{.cell = Cell::Limit, .heading = "Lmin по"},
    TableColumn{.cell = Cell::MinDiameter, .heading = "Dmin, мм", .alignRight = true, .hideWhenEmpty = true},
    TableColumn{.cell = Cell::Note, .heading = "Прим.", .hideWhenEmpty = true},
};

// The columns of a batch; their widths are fixed, as the rows stream.
constexpr std::array batchTableColumns{
    TableColumn{.cell = Cell::Number, .heading = "№", .alignRight = true, .width = 5},
    TableColumn{.cell = Cell::Material, .heading = "Материал", .width = 18, .cuttable = true},
    TableColumn{.cell = Cell::Load, .heading = "F, Н", .priority = 2, .width = 8, .cuttable = true},
    TableColumn{.cell = Cell::Frequency, .heading = "n, об/мин", .priority = 3, .width = 9, .cuttable = true},
    TableColumn{.cell = Cell::Length, .heading = "L, мм", .priority = 1, .width = 6, .cuttable = true},
    TableColumn{.cell = Cell::MaxDiameter, .heading = "Dmax, мм", .alignRight = true, .width = 8},
    TableColumn{.cell = Cell::MinLength, .heading = "Lmin, мм", .alignRight = true, .width = 8},
    TableColumn{.cell = Cell::Limit, .heading = "Lmin по", .width = 7},
    TableColumn{.cell = Cell::MinDiameter, .heading = "Dmin, мм", .alignRight = true, .width = 8},
    TableColumn{.cell = Cell::Note, .heading = "Прим.", .width = 5},
};

std::string limitTitle(std::string_view limit) { return limit.empty() ? "" : "[" + std::string(limit) + "]"; }

// One case: the window's result lines; its messages go to the standard error.
void appendCaseLines(const CaseRecord& record, std::string_view /*separator*/, std::string& text)
{
    const CaseOutcome* outcome = record.outcome();
    if (outcome == nullptr) {
        return;
    }
    for (const std::string& line : {outcome->maxDiameterLine, outcome->minLengthLine}) {
        if (!line.empty()) {
            text += line + '\n';
        }
    }
    if (!outcome->minDiameter.empty()) {
        text += "минимальный диаметр = " + outcome->minDiameter + " мм\n";
    }
}

// The cells every table of sizings has: the results.
void resultCells(const CaseRecord& record, std::string_view separator, TableRow& cells)
{
    cellOf(cells, Cell::MaxDiameter) = localForm(record.maxDiameter, separator);
    cellOf(cells, Cell::MinLength) = localForm(record.minLength, separator);
    cellOf(cells, Cell::Limit) = limitTitle(record.lengthLimit());
    const DiameterForLength* forLength = record.forLength();
    cellOf(cells, Cell::MinDiameter) = forLength != nullptr && forLength->check == LengthCheck::BelowMinimum
        ? std::string(belowMinimumMark)
        : localForm(record.minDiameter, separator);
}

// Every material: the material's row, its limits and the results.
void materialRow(const CaseRecord& record, std::size_t /*number*/, const WriterSetup& setup, TableRow& cells,
    std::vector<std::string>& /*notes*/)
{
    const std::string& separator = setup.decimalSeparator;
    cellOf(cells, Cell::Number) = record.material->row;
    cellOf(cells, Cell::Material) = record.material->shownName;
    cellOf(cells, Cell::Group) = groupTitle(groupOfRow(record.row));
    cellOf(cells, Cell::Pressure) = localForm(record.material->maxPressure, separator);
    cellOf(cells, Cell::Speed) = localForm(record.material->maxSpeed, separator);
    cellOf(cells, Cell::PV) = localForm(record.material->maxPV, separator);
    cellOf(cells, Cell::Temperature) = record.material->maxTemperature;
    resultCells(record, separator, cells);
}

// A batch: the record's number, the inputs as given and the results.
void batchRow(const CaseRecord& record, std::size_t number, const WriterSetup& setup, TableRow& cells,
    std::vector<std::string>& /*notes*/)
{
    cellOf(cells, Cell::Number) = std::to_string(number);
    // As given, unless it is a name that both groups have.
    cellOf(cells, Cell::Material) = record.material != nullptr && record.material->shownName != record.material->name
        ? record.material->shownName
        : record.texts->material;
    cellOf(cells, Cell::Load) = record.texts->load;
    cellOf(cells, Cell::Frequency) = record.texts->frequency;
    cellOf(cells, Cell::Length) = record.texts->length.value_or("");
    resultCells(record, setup.decimalSeparator, cells);
}

}  // namespace

std::unique_ptr<ResultWriter> makeTextWriter(std::ostream& out, const WriterSetup& setup)
{
    switch (setup.layout) {
    case Layout::OneCase: return std::make_unique<LinesWriter<CaseRecord>>(out, setup, appendCaseLines);
    case Layout::MaterialTable:
        return std::make_unique<TableWriter<CaseRecord>>(out, setup, materialTableColumns, materialRow);
    case Layout::Batch: return std::make_unique<TableWriter<CaseRecord>>(out, setup, batchTableColumns, batchRow);
    }
    return nullptr;
}

}  // namespace bearing::cli
