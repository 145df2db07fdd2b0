#pragma once

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
    int row = -1;                 // the catalogue row (0 to 20) when found
    std::vector<int> candidates;  // the rows that share an ambiguous name

    // The user's message for anything but Found, in Russian.
    [[nodiscard]] std::string problem(std::string_view text) const;
};

// A material is its name as the material lists show it, or its number in
// --list-materials (1 to 21). Two rows of each of two pairs share a name; such a name
// alone is ambiguous unless `group` picks one of them. The bearing window's own names of
// the lubricated namesakes, with their trailing blank, also choose those rows.
[[nodiscard]] MaterialChoice chooseMaterial(std::string_view text, std::optional<Group> group);

// The name of a row as the lists show it (without the bearing window's trailing blank).
[[nodiscard]] std::string_view materialName(int row);

// A row's number in --list-materials and in the output.
[[nodiscard]] constexpr int rowNumber(int row) { return row + 1; }

}  // namespace bearing::cli
