#pragma once

namespace bearing::cli {

// The exit statuses of the command-line calculator.
inline constexpr int exitResults = 0;      // every case gave its results
inline constexpr int exitMessage = 1;      // a case ended in a message
inline constexpr int exitUsage = 2;        // a usage error: nothing was calculated
inline constexpr int exitWriteFailed = 3;  // the output or the error stream refused a write

}  // namespace bearing::cli
