#pragma once

#include "catalogue.h"
#include "resultwriter.h"

#include <cstddef>
#include <ostream>
#include <string_view>

namespace bearing::cli {

// The materials table with its row numbers, for --list-materials: in text each group
// under its header, as the material lists show them; in CSV and JSON a material a row.
void writeMaterialList(const Catalogue& catalogue, OutputFormat format, std::ostream& out,
    std::string_view decimalSeparator, std::size_t width);

}  // namespace bearing::cli
