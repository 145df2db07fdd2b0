#pragma once

#include "resultwriter.h"

#include <cstddef>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bearing::cli {

// Text for people: Russian headings, the user's decimal separator, a table no wider than
// the terminal, each message once as a numbered note under the table.
[[nodiscard]] std::unique_ptr<ResultWriter> makeTextWriter(std::ostream& out, const WriterSetup& setup);

// A number in machine form with the user's decimal separator.
[[nodiscard]] std::string localForm(std::string_view number, std::string_view separator);

// The messages of a table, each written once under it and referred to by its number.
// Memory is bounded: past a thousand different messages the rest are counted, not kept.
class TableNotes {
public:
    // The cell that refers to a row's messages ("1", "2, 3"; empty for none).
    [[nodiscard]] std::string refer(std::span<const std::string> messages);
    void append(std::string& out, std::size_t width) const;

private:
    static constexpr std::size_t mostNotes = 1000;
    std::unordered_map<std::string, std::size_t> numbers_;
    std::vector<const std::string*> texts_;  // in the order of their numbers
    std::size_t unlisted_ = 0;
};

}  // namespace bearing::cli
