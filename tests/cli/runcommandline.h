#pragma once

#include "commandline.h"

#include <istream>
#include <sstream>
#include <string>
#include <vector>

namespace bearing::cli {

// One run of the command line in-process, under a comma locale.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline Outcome run(const std::vector<std::string>& arguments, const std::string& input = {},
    std::size_t width = noWidthLimit, std::istream* in = nullptr)
{
    std::istringstream given(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCommandLine(arguments, in != nullptr ? *in : given, out, err,
        {.decimalSeparator = ",", .width = width, .sourceDateEpoch = std::nullopt, .now = 0});
    return {status, out.str(), err.str()};
}

}  // namespace bearing::cli
