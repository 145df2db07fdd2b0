#pragma once

#include "bearingcase.h"
#include "caserunner.h"

#include <functional>
#include <ostream>

namespace bearing::cli {

// One case: its results on `out`, its messages on `err`; the exit status. `onCase`, when
// given, sees the case after it is written (for a report).
[[nodiscard]] int runOneCase(const RunSettings& settings, const CaseTexts& texts, std::ostream& out, std::ostream& err,
    const std::function<void(const CaseRecord&)>& onCase = {});

// The same load, frequency and length for every material of the catalogue, in catalogue
// order; the exit status. `onCase`, when given, sees every case after it is written.
[[nodiscard]] int runAllMaterials(const RunSettings& settings, const CaseTexts& texts, std::ostream& out,
    std::ostream& err, const std::function<void(const CaseRecord&)>& onCase = {});

}  // namespace bearing::cli
