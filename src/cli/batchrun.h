#pragma once

#include "caserunner.h"

#include <istream>
#include <ostream>
#include <string>

namespace bearing::cli {

// The cases of a CSV batch from the file `source` ("-": `in`), a row of output for every
// record as it streams in, and the exit status. Nothing is written before the header is
// found usable; memory does not grow with the batch.
[[nodiscard]] int runBatch(
    const RunSettings& settings, const std::string& source, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace bearing::cli
