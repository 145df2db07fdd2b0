#pragma once

#include <cstddef>

namespace bearing::cli {

// The width a table for people may take: `columns` (the COLUMNS variable) when it is a
// positive number, else the size of the terminal on `fd`, else 80 when `fd` is a terminal
// that does not say, else no limit (noWidthLimit): a file or a pipe takes every column.
[[nodiscard]] std::size_t terminalWidth(const char* columns, int fd);

}  // namespace bearing::cli
