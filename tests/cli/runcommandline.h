#pragma once

#include "batchreader.h"
#include "commandline.h"

#include <istream>
#include <sstream>
#include <string>
#include <vector>

namespace bearing::cli {

// One run of the command line in-process.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// A run in `environment`, with `input` (or `*in`, when given) as its standard input.
inline Outcome runIn(const Environment& environment, const std::vector<std::string>& arguments,
    const std::string& input = {}, std::istream* in = nullptr)
{
    std::istringstream given(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCommandLine(arguments, in != nullptr ? *in : given, out, err, environment);
    return {status, out.str(), err.str()};
}

// A run under a comma locale.
inline Outcome run(const std::vector<std::string>& arguments, const std::string& input = {},
    std::size_t width = noWidthLimit, std::istream* in = nullptr)
{
    return runIn(
        {.decimalSeparator = ",", .width = width, .sourceDateEpoch = std::nullopt, .now = 0}, arguments, input, in);
}

// The records of a CSV text, each as its fields.
inline std::vector<std::vector<std::string>> readCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> records;
    BatchReader reader([&records](const CsvRecord& record) {
        records.emplace_back(record.fields.begin(), record.fields.end());
        return true;
    });
    reader.read(text);
    return records;
}

// `arguments` followed by `more`.
inline std::vector<std::string> with(std::vector<std::string> arguments, const std::vector<std::string>& more)
{
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

}  // namespace bearing::cli
