#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

// The exit statuses of the command-line calculator.
inline constexpr int exitResults = 0;  // every case gave its results
inline constexpr int exitMessage = 1;  // a case ended in a message
inline constexpr int exitUsage = 2;    // a usage error: nothing was calculated

// The whole command-line calculator: reads the options in `arguments` (without the
// program's name), a batch from `in` when it is given as "-", writes the results to `out`
// and the messages to `err`, and returns the exit status. Numbers in text output use
// `decimalSeparator`, as the windows would in the same environment.
int runCommandLine(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err,
    std::string_view decimalSeparator);

}  // namespace bearing::cli
