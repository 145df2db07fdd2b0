#pragma once

#include "materialcatalogue.h"
#include "materialchoice.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

// A material's fields in machine form (a point, the shortest text of each single), as
// --list-materials and every case write them.
struct MaterialFields {
    std::string row;
    std::string name;
    std::string group;
    std::string shownName;  // as tables show it: a name both groups have carries its group
    std::string maxPressure;
    std::string maxSpeed;
    std::string maxPV;
    std::string maxTemperature;
};

// The catalogue as the command line uses it: built once a run and passed down to
// whatever needs a material, its name or its fields.
class Catalogue {
public:
    Catalogue();

    // The materials as the lists show them, and as the bearing window's list holds them.
    [[nodiscard]] const MaterialCatalogue& listed() const { return listed_; }
    [[nodiscard]] const MaterialCatalogue& bearingWindow() const { return bearingWindow_; }
    [[nodiscard]] std::string_view name(int row) const { return listed_.row(row).name; }
    [[nodiscard]] const MaterialFields& fields(int row) const { return fields_.at(static_cast<std::size_t>(row)); }

    // A material is its name as the material lists show it, or its number in
    // --list-materials (1 to 21). Two rows of each of two pairs share a name; such a name
    // alone is ambiguous unless `group` picks one of them. The bearing window's own names
    // of the lubricated namesakes, with their trailing blank, also choose those rows.
    [[nodiscard]] MaterialChoice choose(std::string_view text, std::optional<Group> group) const;

private:
    MaterialCatalogue listed_;
    MaterialCatalogue bearingWindow_;
    std::map<std::string, std::vector<int>, std::less<>> rowsByName_;
    std::array<MaterialFields, MaterialCatalogue::rowCount> fields_;
};

// The material of case after case: chosen again only when its text or the group
// changes, as batches tend to repeat a material row after row.
class MaterialChooser {
public:
    explicit MaterialChooser(const Catalogue& catalogue)
        : catalogue_(catalogue)
    {
    }

    [[nodiscard]] const MaterialChoice& choose(std::string_view text, std::optional<Group> group);

private:
    const Catalogue& catalogue_;
    std::string lastText_;
    std::optional<Group> lastGroup_;
    std::optional<MaterialChoice> lastChoice_;
};

// The shortest text that reads back as the same single.
[[nodiscard]] std::string fullSingle(float value);

}  // namespace bearing::cli
