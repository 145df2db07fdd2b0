#include "materiallist.h"

#include "checkedoutput.h"
#include "csvwriter.h"
#include "jsonwriter.h"
#include "tablewriter.h"
#include "workbookwriter.h"

#include <array>

namespace bearing::cli {

namespace {

constexpr std::array listColumns{
    TableColumn{.cell = Cell::Number, .heading = "№", .alignRight = true},
    TableColumn{.cell = Cell::Material, .heading = "Материал", .cuttable = true},
    TableColumn{.cell = Cell::Pressure, .heading = "[p], МПа", .alignRight = true},
    TableColumn{.cell = Cell::Speed, .heading = "[v], м/с", .alignRight = true},
    TableColumn{.cell = Cell::PV, .heading = "[pv], МПа·м/с", .alignRight = true},
    TableColumn{.cell = Cell::Temperature, .heading = "[t], °C", .alignRight = true},
};

std::string textList(const Catalogue& catalogue, std::string_view separator, std::size_t width)
{
    std::vector<TableRow> rows;
    for (const MaterialListItem& item : materialListItems) {
        TableRow& cells = rows.emplace_back();
        if (!item.isMaterial()) {
            // A group's header stands where a name does, and fits as one.
            cellOf(cells, Cell::Material) = item.header;
            continue;
        }
        const MaterialFields& material = catalogue.fields(item.row);
        cellOf(cells, Cell::Number) = material.row;
        cellOf(cells, Cell::Material) = material.shownName;
        cellOf(cells, Cell::Pressure) = localForm(material.maxPressure, separator);
        cellOf(cells, Cell::Speed) = localForm(material.maxSpeed, separator);
        cellOf(cells, Cell::PV) = localForm(material.maxPV, separator);
        cellOf(cells, Cell::Temperature) = material.maxTemperature;
    }
    std::string text;
    TextTable(listColumns).appendTable(text, rows, width);
    return text;
}

}  // namespace

void writeMaterialList(const RunSettings& settings, std::ostream& out)
{
    const Catalogue& catalogue = *settings.catalogue;
    std::string text;
    switch (settings.format) {
    case OutputFormat::Csv: {
        CsvFields fields(text, settings.csvDialect);
        fields.start();
        appendCsvHeader(fields, materialColumns());
        for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
            appendCsvRecord(fields, materialColumns(), catalogue.fields(row));
        }
        break;
    }
    case OutputFormat::Json: {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
            nlohmann::ordered_json object = nlohmann::ordered_json::object();
            addJsonFields(object, materialColumns(), catalogue.fields(row));
            rows.push_back(std::move(object));
        }
        text = jsonText(rows, 2) + '\n';
        break;
    }
    case OutputFormat::Text: text = textList(catalogue, settings.decimalSeparator, settings.width); break;
    case OutputFormat::Xlsx: {
        WorkbookWriter book(
            settings.output, catalogue.listed(), {.inputDecimalMark = '.', .carriedNames = {}, .withCases = false});
        book.finish();
        return;
    }
    }
    writeChecked(out, Stream::Output, text, true);
}

}  // namespace bearing::cli
