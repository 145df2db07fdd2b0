#include "materialcatalogue.h"
#include "numbertext.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace bearing {
namespace {

struct Row {
    std::string bearingName;
    std::string referenceName;
    float pressure;
    float speed;
    float pv;
    std::int16_t temperature;
};

// The table as the bearing window and the reference window show it, written out anew.
const std::array<Row, MaterialCatalogue::rowCount> expectedRows{{
    {"Графит", "Графит", 0.5F, 1.5F, 1.0F, 400},
    {"Углепластик", "Углепластик", 0.5F, 2.0F, 1.5F, 200},
    {"Полиамид", "Полиамид", 3.0F, 0.5F, 0.15F, 75},
    {"Капрон", "Капрон", 2.5F, 0.2F, 0.1F, 90},
    {"Текстолит", "Текстолит", 5.0F, 1.0F, 1.0F, 80},
    {"Фторопласт-4", "Фторопласт-4", 0.7F, 0.5F, 0.06F, 120},
    {"Металлофторопластовая лента", "Металлофторопластовая лента", 30.0F, 5.0F, 0.4F, 280},
    {"Металлокерамические сплавы", "Металлокерамические сплавы", 30.0F, 15.0F, 1.5F, 300},
    {"Минералокерамика", "Минералокерамика", 0.5F, 2.0F, 1.0F, 500},
    {"Чугун АЧС-1", "Чугун АЧС-1", 2.5F, 5.0F, 10.0F, 250},
    {"Чугун АЧС-5", "Чугун АЧС-5", 20.0F, 1.0F, 20.0F, 250},
    {"Латунь ЛКС 80-3-3", "Латунь ЛКС 80-3-3", 12.0F, 2.0F, 10.0F, 250},
    {"Латунь ЛМцЖ 52-4-1", "Латунь ЛМцЖ 52-4-1", 4.0F, 2.0F, 6.0F, 250},
    {"Бронза БРС30", "Бронза БРС30", 25.0F, 12.0F, 30.0F, 250},
    {"Бронза БрО10Ф1", "Бронза БрО10Ф1", 15.0F, 10.0F, 15.0F, 250},
    {"Бронза БрА9Ж4Л", "Бронза БрА9Ж4Л", 15.0F, 4.0F, 12.0F, 250},
    {"Баббит Б83", "Баббит Б83", 15.0F, 50.0F, 75.0F, 115},
    {"Баббит Б16", "Баббит Б16", 10.0F, 30.0F, 3.0F, 110},
    {"Фторопласт-4 ", "Фторопласт-4", 1.5F, 5.0F, 7.5F, 200},
    {"Полиамид АК-7", "Полиамид АК-7", 20.0F, 4.0F, 20.0F, 100},
    {"Текстолит ", "Текстолит", 10.0F, 10.0F, 25.0F, 100},
}};

TEST(MaterialCatalogue, EveryRowOfBothVariantsHoldsItsNameAndLimits)
{
    const MaterialCatalogue bearing(CatalogueVariant::BearingWindow);
    const MaterialCatalogue reference(CatalogueVariant::ReferenceWindow);
    for (int i = 0; i < MaterialCatalogue::rowCount; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const Row& expected = expectedRows.at(static_cast<std::size_t>(i));
        for (const MaterialCatalogue* catalogue : {&bearing, &reference}) {
            const MaterialRecord& row = catalogue->row(i);
            EXPECT_EQ(row.maxPressure, expected.pressure);
            EXPECT_EQ(row.maxSpeed, expected.speed);
            EXPECT_EQ(row.maxPV, expected.pv);
            EXPECT_EQ(row.maxTemperature, expected.temperature);
        }
        EXPECT_EQ(bearing.row(i).name, expected.bearingName);
        EXPECT_EQ(reference.row(i).name, expected.referenceName);
    }
}

TEST(MaterialCatalogue, NamesAreCyrillicWithAsciiDigitsHyphensAndBlanks)
{
    const MaterialCatalogue bearing(CatalogueVariant::BearingWindow);
    for (int i = 0; i < MaterialCatalogue::rowCount; ++i) {
        const std::string_view name = bearing.row(i).name;
        for (std::size_t k = 0; k < name.size(); ++k) {
            const auto byte = static_cast<unsigned char>(name[k]);
            if (byte < 0x80) {
                EXPECT_TRUE((byte >= '0' && byte <= '9') || byte == '-' || byte == ' ') << name << " at " << k;
            } else {
                // Two-byte UTF-8 in U+0400..U+04FF: lead byte 0xD0 to 0xD3.
                ASSERT_LT(k + 1, name.size());
                EXPECT_TRUE(byte >= 0xD0 && byte <= 0xD3) << name << " at " << k;
                ++k;
            }
        }
    }
    // "О" of "БрО10Ф1" is the Cyrillic letter, not the digit zero.
    EXPECT_EQ(bearing.row(14).name, "Бронза Бр\u041E10Ф1");
}

TEST(MaterialCatalogue, BearingWindowNamesAreAllDistinct)
{
    const MaterialCatalogue bearing(CatalogueVariant::BearingWindow);
    std::set<std::string_view> names;
    for (int i = 0; i < MaterialCatalogue::rowCount; ++i) {
        names.insert(bearing.row(i).name);
    }
    EXPECT_EQ(names.size(), 21U);
}

struct FindCase {
    const char* name;
    std::string text;
    std::int16_t expected;
};

void PrintTo(const FindCase& find, std::ostream* out) { *out << find.name; }

class FindMaterial : public testing::TestWithParam<FindCase> { };

TEST_P(FindMaterial, InTheBearingWindowCatalogue)
{
    const MaterialCatalogue bearing(CatalogueVariant::BearingWindow);
    EXPECT_EQ(bearing.findMaterial(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, FindMaterial,
    testing::Values(FindCase{"FirstRow", "Графит", 0}, FindCase{"Textolite", "Текстолит", 4},
        FindCase{"TextoliteWithBlank", "Текстолит ", 20}, FindCase{"Fluoroplastic", "Фторопласт-4", 5},
        FindCase{"FluoroplasticWithBlank", "Фторопласт-4 ", 18}, FindCase{"Bronze", "Бронза БрО10Ф1", 14},
        FindCase{"Empty", "", 21}, FindCase{"FirstHeader", "БЕЗ СМАЗКИ", 21},
        FindCase{"SecondHeader", "СО СМАЗКОЙ", 21}, FindCase{"LowerCase", "текстолит", 21},
        FindCase{"LeadingBlank", " Графит", 21}, FindCase{"TwoTrailingBlanks", "Текстолит  ", 21},
        FindCase{"LatinLookAlike", "Чугун AЧC-1", 21}, FindCase{"DigitZeroForLetterO", "Бронза Бр010Ф1", 21}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST(MaterialCatalogue, ReferenceVariantRepeatsTheNamesakes)
{
    const MaterialCatalogue reference(CatalogueVariant::ReferenceWindow);
    EXPECT_EQ(reference.row(18).name, reference.row(5).name);
    EXPECT_EQ(reference.row(20).name, reference.row(4).name);
    EXPECT_NE(reference.row(18).maxPressure, reference.row(5).maxPressure);
    EXPECT_EQ(formatTextBoxNumber(reference.row(2).maxPV, ","), "0,15");
}

TEST(MaterialCatalogue, RowOutsideTheTableIsACallerFault)
{
    const MaterialCatalogue bearing(CatalogueVariant::BearingWindow);
    EXPECT_THROW((void)bearing.row(MaterialCatalogue::noMaterial), std::out_of_range);
    EXPECT_THROW((void)bearing.row(-1), std::out_of_range);
}

TEST(MaterialGroups, HeadersAndRowRangesCoverTheTable)
{
    ASSERT_EQ(materialGroups.size(), 2U);
    EXPECT_EQ(materialGroups[0].header, "БЕЗ СМАЗКИ");
    EXPECT_EQ(materialGroups[0].firstRow, 0);
    EXPECT_EQ(materialGroups[0].lastRow, 8);
    EXPECT_EQ(materialGroups[1].header, "СО СМАЗКОЙ");
    EXPECT_EQ(materialGroups[1].firstRow, 9);
    EXPECT_EQ(materialGroups[1].lastRow, 20);
}

TEST(MaterialList, ShowsEachGroupAsItsHeaderABlankLineAndItsMaterials)
{
    // A header by its text, a blank line as "", a material by its catalogue row.
    std::vector<std::string> lines;
    lines.reserve(materialListItems.size());
    for (const MaterialListItem& item : materialListItems) {
        lines.push_back(item.isMaterial() ? std::to_string(item.row) : std::string(item.header));
    }
    EXPECT_EQ(lines,
        (std::vector<std::string>{"БЕЗ СМАЗКИ", "", "0", "1", "2", "3", "4", "5", "6", "7", "8", "", "СО СМАЗКОЙ", "",
            "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"}));
}

}  // namespace
}  // namespace bearing
