#pragma once

#include "exitstatus.h"
#include "texttable.h"

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace bearing::cli {

// What the command line takes from its environment besides the options.
struct Environment {
    std::string decimalSeparator = ".";  // for numbers in text, as the windows would write them
    std::size_t width = noWidthLimit;    // the terminal's width, for tables in text
};

// The whole command-line calculator: reads the options in `arguments` (without the
// program's name), a batch from `in` when it is given as "-", writes the results to `out`
// and the messages to `err`, and returns the exit status. A write that either stream
// refuses ends the run with exitWriteFailed.
int runCommandLine(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err,
    const Environment& environment);

}  // namespace bearing::cli
