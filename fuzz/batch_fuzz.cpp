// Fuzzes the command line's batch: whatever bytes arrive on the standard input, the run
// ends with a status of 0, 1 or 2; with a usable header it writes one row for every
// record, each with every field, a machine-form number or nothing in every number field,
// a JSON document that parses, and a text table of one line a record under a heading
// that fits the terminal, free of control characters.
//
// An input is a format byte ('j' for JSON, 't' for text, anything else CSV; an upper-case
// 'J', 'T' or 'C' runs the design check, --check, with its diameter, length and
// temperature columns), then the batch itself.

#include "batchreader.h"
#include "commandline.h"
#include "fuzzcheck.h"
#include "numberform.h"
#include "terminaltext.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

using bearing::check::require;

// The fields that hold numbers; the rest echo the input or name things.
const std::set<std::string, std::less<>> numberFields{"row", "max_pressure", "max_speed", "max_pv", "max_temperature",
    "max_diameter", "max_diameter_full", "min_length", "min_length_full", "pv_length", "pressure_length", "min_area",
    "min_diameter", "min_diameter_full",
    // The design check's.
    "pressure", "speed", "pv", "pressure_use", "speed_use", "pv_use", "governing_use", "max_load", "max_frequency",
    "max_sliding_speed", "temperature_margin"};

bool isMachineNumber(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && !bearing::check::mentionsNonNumber(text);
}

// The records that the command line itself reads from `input` (the header included).
std::size_t recordCount(std::string_view input)
{
    std::size_t count = 0;
    bearing::BatchReader reader([&count](const bearing::CsvRecord&) {
        ++count;
        return true;
    });
    reader.read(input);
    return count;
}

void checkCsv(std::string_view input, const std::string& out)
{
    std::vector<std::string> header;
    std::size_t rows = 0;
    bearing::BatchReader reader([&](const bearing::CsvRecord& record) {
        if (record.number == 0) {
            header.assign(record.fields.begin(), record.fields.end());
            return true;
        }
        ++rows;
        require(record.fieldCount == header.size() && !record.tooLong, "every row has every field");
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (numberFields.contains(header[i]) && !record.fields[i].empty()) {
                require(isMachineNumber(record.fields[i]), "a number field holds a number", record.fields[i]);
            }
        }
        return true;
    });
    reader.read(out);
    require(rows + 1 == recordCount(input), "one row for every record");
}

void checkText(std::string_view input, const std::string& out)
{
    constexpr std::size_t width = 80;
    require(std::none_of(out.begin(), out.end(),
                [](char c) { return (static_cast<unsigned char>(c) < 0x20U && c != '\n') || c == 0x7F; }),
        "text shows no control character");
    std::size_t rows = 0;
    std::size_t start = 0;
    while (start < out.size() && out[start] != '\n') {
        const std::size_t end = out.find('\n', start);
        require(end != std::string::npos, "every line ends");
        // A number too long for its column pushes the rest of its line on; the heading fits.
        require(rows > 0 || bearing::codePoints(std::string_view(out).substr(start, end - start)) <= width,
            "the heading fits the terminal", out.substr(start, end - start));
        ++rows;
        start = end + 1;
    }
    require(rows == recordCount(input), "a heading and one line for every record");
}

void checkJson(std::string_view input, const std::string& out)
{
    const nlohmann::json rows = nlohmann::json::parse(out, nullptr, false);
    require(!rows.is_discarded() && rows.is_array(), "the output is a JSON array");
    require(rows.size() + 1 == recordCount(input), "one object for every record");
    for (const nlohmann::json& row : rows) {
        for (const auto& [name, value] : row.items()) {
            if (numberFields.contains(name)) {
                require(value.is_null() || value.is_number(), "a number field holds a number or null", name);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);  // NOLINT(*-reinterpret-cast)
    const bool check = bytes.front() == 'J' || bytes.front() == 'T' || bytes.front() == 'C';
    const char format = static_cast<char>(check ? bytes.front() - 'A' + 'a' : bytes.front());
    const std::string_view input = bytes.substr(1);
    std::istringstream in{std::string(input)};
    std::ostringstream out;
    std::ostringstream err;
    std::vector<std::string> arguments{"--batch", "-", "--format",
        format == 'j'       ? "json"
            : format == 't' ? "text"
                            : "csv"};
    if (check) {
        arguments.emplace_back("--check");
    }
    const int status = bearing::cli::runCommandLine(
        arguments, in, out, err, {.decimalSeparator = ",", .width = 80, .sourceDateEpoch = std::nullopt, .now = 0});
    require(
        status == bearing::cli::exitResults || status == bearing::cli::exitMessage || status == bearing::cli::exitUsage,
        "the status is 0, 1 or 2");
    if (status == bearing::cli::exitUsage) {
        require(out.str().empty(), "an unusable batch writes nothing");
        return 0;
    }
    if (format == 'j') {
        checkJson(input, out.str());
    } else if (format == 't') {
        checkText(input, out.str());
    } else {
        checkCsv(input, out.str());
    }
    return 0;
}
