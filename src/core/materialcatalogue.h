#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The built-in table of plain-bearing materials and their permissible limits. Each
// window holds a catalogue of its own variant; only the bearing window searches it by
// name, the reference window reads it by row.

namespace bearing {

struct MaterialRecord {
    std::string_view name;        // exactly as the lists show it (UTF-8)
    float maxPressure;            // [p], MPa
    float maxSpeed;               // [v], m/s
    float maxPV;                  // [pv], MPa·m/s
    std::int16_t maxTemperature;  // [t], °C
};

struct MaterialGroup {
    std::string_view header;
    int firstRow;
    int lastRow;
    std::string_view title;  // in running text: "без смазки"
};

// The materials used without lubrication come first, then those used with it.
inline constexpr std::array<MaterialGroup, 2> materialGroups{{
    {"БЕЗ СМАЗКИ", 0, 8, "без смазки"},
    {"СО СМАЗКОЙ", 9, 20, "со смазкой"},
}};

// The group a catalogue row belongs to.
[[nodiscard]] constexpr const MaterialGroup& groupOfCatalogueRow(int row)
{
    return row <= materialGroups[0].lastRow ? materialGroups[0] : materialGroups[1];
}

// One line of a material list. Every list of materials shows the groups the same way:
// the group's header, a blank line, its materials; a blank line between two groups.
struct MaterialListItem {
    std::string_view header;  // the group's header on a header line, else empty
    int row = -1;             // the catalogue row on a material line, else -1

    [[nodiscard]] constexpr bool isMaterial() const { return row >= 0; }
};

namespace detail {
constexpr std::size_t materialListLength()
{
    std::size_t length = materialGroups.size() - 1;  // the blank lines between groups
    for (const MaterialGroup& group : materialGroups) {
        length += 2 + static_cast<std::size_t>(group.lastRow - group.firstRow + 1);
    }
    return length;
}
}  // namespace detail

// The lines of a material list, top to bottom.
inline constexpr auto materialListItems = [] {
    std::array<MaterialListItem, detail::materialListLength()> items{};
    std::size_t next = 0;
    for (const MaterialGroup& group : materialGroups) {
        if (next != 0) {
            items[next++] = MaterialListItem{};
        }
        items[next++] = MaterialListItem{.header = group.header};
        items[next++] = MaterialListItem{};
        for (int row = group.firstRow; row <= group.lastRow; ++row) {
            items[next++] = MaterialListItem{.header = {}, .row = row};
        }
    }
    return items;
}();

// A material's name where materials of both groups are listed together and another of
// the other group has the same name: the name with its group after it ("Фторопласт-4,
// без смазки"), so that the two rows can be told apart. Every table and chart uses this.
[[nodiscard]] std::string nameWithGroup(std::string_view name, std::string_view groupTitle);

enum class CatalogueVariant {
    // Rows 18 and 20 end in a blank, which keeps them apart from their namesakes in rows
    // 5 and 4, so that a search by name reaches every row.
    BearingWindow,
    // Every name as written, the namesakes included.
    ReferenceWindow,
};

class MaterialCatalogue {
public:
    static constexpr int rowCount = 21;
    // What findMaterial() returns when no row has the text as its name.
    static constexpr std::int16_t noMaterial = 21;

    explicit MaterialCatalogue(CatalogueVariant variant);

    // Throws std::out_of_range for an index outside 0 to 20: callers test for
    // noMaterial first, so that is a fault of the calling code.
    [[nodiscard]] const MaterialRecord& row(int index) const;

    // The first row whose name equals `text` exactly (case and blanks count), or noMaterial.
    [[nodiscard]] std::int16_t findMaterial(std::string_view text) const;

private:
    std::array<MaterialRecord, rowCount> rows_;
};

}  // namespace bearing
