#pragma once

#include "exitstatus.h"
#include "replacementfile.h"
#include "texttable.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace bearing::cli {

// What the command line takes from its environment besides the options.
struct Environment {
    std::string decimalSeparator = ".";  // for numbers in text, as the windows would write them
    std::size_t width = noWidthLimit;    // the terminal's width, for tables in text
    bool outputIsTerminal = false;       // the standard output is a terminal
    bool errorIsTerminal = false;        // the standard error is a terminal: a long batch shows its progress
    // How long a batch runs before its progress is shown.
    std::chrono::milliseconds progressAfter{1000};
    // How quick a batch's case is run by the thread that reads rather than by a worker
    // of --jobs; 0 sends every case after the first few to the workers.
    std::chrono::nanoseconds quickCase = std::chrono::microseconds(20);
    // The date of a report: SOURCE_DATE_EPOCH when it is set, for a report made again
    // byte for byte, else the time of the run, in seconds since 1970 (UTC).
    std::optional<std::string> sourceDateEpoch;
    std::int64_t now = 0;
    // The regular files that the standard input and output are redirected to, if they
    // are: no output file may be either.
    std::optional<FileIdentity> inputFile{};
    std::optional<FileIdentity> outputFile{};
};

// The whole command-line calculator: reads the options in `arguments` (without the
// program's name), a batch from `in` when it is given as "-", writes the results to `out`
// and the messages to `err`, and returns the exit status. A write that either stream or
// the workbook's file refuses ends the run with exitWriteFailed.
int runCommandLine(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err,
    const Environment& environment);

}  // namespace bearing::cli
