#pragma once

#include "bearingcase.h"
#include "caserunner.h"

#include <ostream>

namespace bearing::cli {

// One case: its results on `out`, its messages on `err`; the exit status.
[[nodiscard]] int runOneCase(const RunSettings& settings, const CaseTexts& texts, std::ostream& out, std::ostream& err);

// The same load, frequency and length for every material of the catalogue, in catalogue
// order; the exit status.
[[nodiscard]] int runAllMaterials(
    const RunSettings& settings, const CaseTexts& texts, std::ostream& out, std::ostream& err);

}  // namespace bearing::cli
