#pragma once

#include "batchreader.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

// Which field of a batch record holds which input. The columns the calculator does not
// know (an id, a note) are carried through to the output unchanged, before its own.
struct BatchColumns {
    std::size_t count = 0;
    std::optional<std::size_t> material, load, frequency, length, group;
    std::vector<std::size_t> carried;
    std::vector<std::string> carriedNames;
};

// Reads the header of a batch into `columns`; the reason it is unusable, if it is.
// A name within a typing slip of a known column ("lenght", "Load") is taken for a
// misspelling of it, not for a column of the user's own.
[[nodiscard]] std::optional<std::string> readHeader(const CsvRecord& header, BatchColumns& columns);

// The known column that `name` misspells, if any.
[[nodiscard]] std::optional<std::string_view> misspeltColumn(std::string_view name);

}  // namespace bearing::cli
