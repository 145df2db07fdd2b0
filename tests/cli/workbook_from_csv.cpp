// Writes the cases of the command line's CSV (standard input) into a workbook (argv[1]),
// so that a second implementation can read the workbook back beside the CSV.
#include "batchreader.h"
#include "workbookwriter.h"

#include <charconv>
#include <iostream>
#include <map>
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
    if (argc != 2) {
        std::cerr << "usage: workbook_from_csv OUT.xlsx < cases.csv\n";
        return 2;
    }
    try {
        const bearing::MaterialCatalogue catalogue(bearing::CatalogueVariant::ReferenceWindow);
        WorkbookWriter writer(argv[1], catalogue);
        std::map<std::string, std::size_t> columns;
        BatchReader reader([&](const CsvRecord& record) {
            if (record.number == 0) {
                for (std::size_t i = 0; i < record.fields.size(); ++i) {
                    columns[record.fields[i]] = i;
                }
                return true;
            }
            const auto field = [&](const char* name) -> const std::string& { return record.fields[columns.at(name)]; };
            const std::string& rowText = field("row");
            const SheetCase sheetCase{.number = record.number,
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
    } catch (const OutputError& error) {
        std::cerr << error.what() << '\n';
        return 3;
    }
    return 0;
}
