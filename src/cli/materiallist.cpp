#include "materiallist.h"

#include "checkedoutput.h"
#include "csvwriter.h"
#include "jsonwriter.h"
#include "textwriter.h"
#include "workbookwriter.h"

#include <array>

namespace bearing::cli {

namespace {

enum class ListColumn { Number, Name, Pressure, Speed, PV, Temperature, Count };

constexpr std::array<TableColumn, static_cast<std::size_t>(ListColumn::Count)> listColumns{{
    {.heading = "№", .alignRight = true},
    {.heading = "Материал", .cuttable = true},
    {.heading = "[p], МПа", .alignRight = true},
    {.heading = "[v], м/с", .alignRight = true},
    {.heading = "[pv], МПа·м/с", .alignRight = true},
    {.heading = "[t], °C", .alignRight = true},
}};

std::string textList(const Catalogue& catalogue, std::string_view separator, std::size_t width)
{
    std::vector<std::vector<std::string>> rows;
    for (const MaterialListItem& item : materialListItems) {
        std::vector<std::string> cells(listColumns.size());
        const auto cell = [&cells](ListColumn name) -> std::string& { return cells.at(static_cast<std::size_t>(name)); };
        if (item.isMaterial()) {
            const MaterialFields& material = catalogue.fields(item.row);
            cell(ListColumn::Number) = material.row;
            cell(ListColumn::Name) = material.name;
            cell(ListColumn::Pressure) = localForm(material.maxPressure, separator);
            cell(ListColumn::Speed) = localForm(material.maxSpeed, separator);
            cell(ListColumn::PV) = localForm(material.maxPV, separator);
            cell(ListColumn::Temperature) = material.maxTemperature;
        } else {
            cell(ListColumn::Name) = item.header;
        }
        rows.push_back(std::move(cells));
    }
    TextTable table(listColumns);
    // A group's header is as long as a name, and fits as one.
    table.fit(rows, width);
    std::string text;
    table.appendHeadings(text);
    for (const std::vector<std::string>& row : rows) {
        table.appendRow(text, row);
    }
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
        WorkbookWriter book(settings.output, catalogue.listed(), {.inputDecimalMark = '.', .carriedNames = {}, .withCases = false});
        book.finish();
        return;
    }
    }
    writeChecked(out, Stream::Output, text, true);
}

}  // namespace bearing::cli
