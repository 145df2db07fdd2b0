#pragma once

#include "messagecodes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

// The two groups of the catalogue, as the command line names them.
enum class Group { Dry, Lubricated };

[[nodiscard]] std::optional<Group> groupFromName(std::string_view name);  // "dry", "lubricated"
[[nodiscard]] std::string_view groupName(Group group);                    // "dry", "lubricated"
[[nodiscard]] std::string_view groupTitle(Group group);  // "без смазки", "со смазкой"
[[nodiscard]] Group groupOfRow(int row);

// What a material given on the command line or in a batch row stands for.
struct MaterialChoice {
    enum class Kind { Found, Unknown, Ambiguous, OtherGroup };
    Kind kind = Kind::Unknown;
    int row = -1;                   // the catalogue row (0 to 20) when found
    std::vector<int> candidates{};  // the rows that share an ambiguous name

    // The user's message for anything but Found, in Russian, with its code.
    [[nodiscard]] CaseProblem problem(std::string_view text) const;
};

// A row's number in --list-materials and in the output.
[[nodiscard]] constexpr int rowNumber(int row) { return row + 1; }

}  // namespace bearing::cli
