#pragma once

#include "caserunner.h"

#include <functional>
#include <istream>
#include <ostream>
#include <string>

namespace bearing::cli {

// The cases of a CSV batch from the file `source` ("-": `in`), a row of output for every
// record as it streams in, and the exit status. Nothing is written before the header is
// found usable; memory does not grow with the batch.
// `onCase`, when given, sees every case after it is written (for a report).
[[nodiscard]] int runBatch(const RunSettings& settings, const std::string& source, std::istream& in, std::ostream& out,
    std::ostream& err, const std::function<void(const CaseRecord&)>& onCase = {});

}  // namespace bearing::cli
