// Writes the cases of the command line's CSV (standard input) into a workbook (argv[1])
// and into the Russian CSV dialect (argv[2]), so that a second implementation can read
// them back beside the CSV.
#include "batchreader.h"
#include "csvdialect.h"
#include "workbookwriter.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::optional<double> number(const std::string& text)
{
    double value = 0;
    if (text.empty() || std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace bearing::cli;
    if (argc != 3) {
        std::cerr << "usage: sheets_from_csv OUT.xlsx OUT-ru.csv < cases.csv\n";
        return 2;
    }
    // The fields the command line writes as numbers.
    const std::set<std::string> numbers{"row", "max_pressure", "max_speed", "max_pv", "max_temperature",
        "max_diameter", "max_diameter_full", "min_length", "min_length_full", "pv_length", "pressure_length",
        "min_area", "min_diameter", "min_diameter_full"};
    std::string russian;
    CsvFields fields(russian, russianCsv);
    fields.start();
    try {
        const bearing::MaterialCatalogue catalogue(bearing::CatalogueVariant::ReferenceWindow);
        WorkbookWriter writer(argv[1], catalogue);
        std::map<std::string, std::size_t> columns;
        BatchReader reader([&](const CsvRecord& record) {
            for (std::size_t i = 0; i < record.fields.size(); ++i) {
                if (record.number == 0) {
                    columns[record.fields[i]] = i;
                    fields.text(record.fields[i]);
                } else {
                    const auto name = std::find_if(
                        columns.begin(), columns.end(), [i](const auto& column) { return column.second == i; });
                    if (numbers.contains(name->first)) {
                        fields.number(record.fields[i]);
                    } else {
                        fields.text(record.fields[i]);
                    }
                }
            }
            fields.end();
            if (record.number == 0) {
                return true;
            }
            const auto field = [&](const char* name) -> const std::string& { return record.fields[columns.at(name)]; };
            const std::string& rowText = field("row");
            const SheetCase sheetCase{.number = record.number,
                .carried = {},
                .material = field("material"),
                .load = field("load"),
                .frequency = field("frequency"),
                .length = field("length").empty() ? std::nullopt : std::optional<std::string_view>(field("length")),
                .row = rowText.empty() ? -1 : std::stoi(rowText) - 1,
                .maxDiameter = number(field("max_diameter")),
                .maxDiameterFull = number(field("max_diameter_full")),
                .minLength = number(field("min_length")),
                .minLengthFull = number(field("min_length_full")),
                .pvLength = number(field("pv_length")),
                .pressureLength = number(field("pressure_length")),
                .minArea = number(field("min_area")),
                .lengthLimit = field("length_limit"),
                .minDiameter = number(field("min_diameter")),
                .minDiameterFull = number(field("min_diameter_full")),
                .lengthBelowMinimum = field("length_below_minimum").empty()
                    ? std::nullopt
                    : std::optional<bool>(field("length_below_minimum") == "true"),
                .message = field("message"),
                .messageCode = {}};
            writer.write(sheetCase);
            return true;
        });
        reader.read(std::cin);
        writer.finish();
        std::ofstream(argv[2], std::ios::binary) << russian;
    } catch (const OutputError& error) {
        std::cerr << error.what() << '\n';
        return 3;
    }
    return 0;
}
