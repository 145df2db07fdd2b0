#include "materialcatalogue.h"

#include <stdexcept>
#include <string>

namespace bearing {

namespace {

// clang-format off
constexpr std::array<MaterialRecord, MaterialCatalogue::rowCount> bearingWindowRows{{
    //  name                             [p]     [v]     [pv]    [t]
    {"Графит",                          0.5F,   1.5F,   1.0F,   400},
    {"Углепластик",                     0.5F,   2.0F,   1.5F,   200},
    {"Полиамид",                        3.0F,   0.5F,   0.15F,   75},
    {"Капрон",                          2.5F,   0.2F,   0.1F,    90},
    {"Текстолит",                       5.0F,   1.0F,   1.0F,    80},
    {"Фторопласт-4",                    0.7F,   0.5F,   0.06F,  120},
    {"Металлофторопластовая лента",    30.0F,   5.0F,   0.4F,   280},
    {"Металлокерамические сплавы",     30.0F,  15.0F,   1.5F,   300},
    {"Минералокерамика",                0.5F,   2.0F,   1.0F,   500},
    {"Чугун АЧС-1",                     2.5F,   5.0F,  10.0F,   250},
    {"Чугун АЧС-5",                    20.0F,   1.0F,  20.0F,   250},
    {"Латунь ЛКС 80-3-3",              12.0F,   2.0F,  10.0F,   250},
    {"Латунь ЛМцЖ 52-4-1",              4.0F,   2.0F,   6.0F,   250},
    {"Бронза БРС30",                   25.0F,  12.0F,  30.0F,   250},
    {"Бронза БрО10Ф1",                 15.0F,  10.0F,  15.0F,   250},
    {"Бронза БрА9Ж4Л",                 15.0F,   4.0F,  12.0F,   250},
    {"Баббит Б83",                     15.0F,  50.0F,  75.0F,   115},
    {"Баббит Б16",                     10.0F,  30.0F,   3.0F,   110},
    {"Фторопласт-4 ",                   1.5F,   5.0F,   7.5F,   200},
    {"Полиамид АК-7",                  20.0F,   4.0F,  20.0F,   100},
    {"Текстолит ",                     10.0F,  10.0F,  25.0F,   100},
}};
// clang-format on

std::string_view withoutTrailingBlanks(std::string_view name) { return name.substr(0, name.find_last_not_of(' ') + 1); }

}  // namespace

MaterialCatalogue::MaterialCatalogue(CatalogueVariant variant)
    : rows_(bearingWindowRows)
{
    if (variant == CatalogueVariant::ReferenceWindow) {
        for (MaterialRecord& record : rows_) {
            record.name = withoutTrailingBlanks(record.name);
        }
    }
}

const MaterialRecord& MaterialCatalogue::row(int index) const
{
    if (index < 0 || index >= rowCount) {
        throw std::out_of_range("material row " + std::to_string(index) + " does not exist");
    }
    return rows_[static_cast<std::size_t>(index)];
}

std::int16_t MaterialCatalogue::findMaterial(std::string_view text) const
{
    for (std::int16_t i = 0; i < rowCount; ++i) {
        if (rows_[static_cast<std::size_t>(i)].name == text) {
            return i;
        }
    }
    return noMaterial;
}

std::string nameWithGroup(std::string_view name, std::string_view groupTitle)
{
    std::string heading(name);
    heading.append(", ").append(groupTitle);
    return heading;
}

}  // namespace bearing
