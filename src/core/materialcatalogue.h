#pragma once

#include <array>
#include <cstdint>
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
};

// The materials used without lubrication come first, then those used with it.
inline constexpr std::array<MaterialGroup, 2> materialGroups{{
    {"БЕЗ СМАЗКИ", 0, 8},
    {"СО СМАЗКОЙ", 9, 20},
}};

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
