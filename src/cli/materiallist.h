#pragma once

#include "caserunner.h"

#include <ostream>

namespace bearing::cli {

// The materials table with its row numbers, for --list-materials: in text each group
// under its header, as the material lists show them; in CSV and JSON a material a row;
// a workbook of the material sheet alone in the file settings.output.
void writeMaterialList(const RunSettings& settings, std::ostream& out);

}  // namespace bearing::cli
