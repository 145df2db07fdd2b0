#include "numbertext.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>

namespace bearing {
namespace {

struct ParseCase {
    const char* name;
    std::string text;
    double expected;
};

// A failing or listed case shows its name, not the bytes of the struct.
void PrintTo(const ParseCase& parse, std::ostream* out) { *out << parse.name; }

class ParseNumber : public testing::TestWithParam<ParseCase> { };

TEST_P(ParseNumber, ReadsTheLongestNumberAtTheStart)
{
    const double value = parseNumber(GetParam().text);
    EXPECT_EQ(value, GetParam().expected) << '"' << GetParam().text << '"';
}

const double inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Rules, ParseNumber,
    testing::Values(ParseCase{"EmptyTextIsZero", "", 0.0}, ParseCase{"LeadingBlanks", "  2.5", 2.5},
        ParseCase{"BlankBetweenDigits", "1 500", 1500.0}, ParseCase{"TabsAndLineFeedsAnywhere", "\t1\n2 .\t5", 12.5},
        ParseCase{"CarriageReturnEndsTheNumber", "1\r2", 1.0}, ParseCase{"CommaEndsTheNumber", "2,5", 2.0},
        ParseCase{"Negative", "-3", -3.0}, ParseCase{"ExplicitPlus", "+7", 7.0},
        ParseCase{"TwoSignsAreNoNumber", "+-3", 0.0}, ParseCase{"LoneSign", "-", 0.0},
        ParseCase{"LowerCaseExponent", "1e3", 1000.0}, ParseCase{"UpperCaseExponent", "2E3", 2000.0},
        ParseCase{"DExponent", "1D2", 100.0}, ParseCase{"LowerCaseDExponent", "25d-1", 2.5},
        ParseCase{"NegativeExponent", "5E-1", 0.5}, ParseCase{"ExponentWithBlanks", "1 e + 2", 100.0},
        ParseCase{"ExponentLetterWithoutDigits", "7e", 7.0}, ParseCase{"ExponentSignWithoutDigits", "7e+x", 7.0},
        ParseCase{"TrailingLetters", "12abc", 12.0}, ParseCase{"UnitAfterNumber", "300 об/мин", 300.0},
        ParseCase{"LettersOnly", "abc", 0.0}, ParseCase{"LeadingPoint", ".5", 0.5},
        ParseCase{"TrailingPoint", "5.", 5.0}, ParseCase{"SecondPointEnds", "1.5.3", 1.5},
        ParseCase{"PointAlone", ".", 0.0}, ParseCase{"NegativeFraction", "-.25", -0.25},
        ParseCase{"CorrectlyRoundedDecimal", "0.1", 0.1}, ParseCase{"HexUpper", "&H1F", 31.0},
        ParseCase{"HexLower", "&hff", 255.0}, ParseCase{"HexStopsAtNonDigit", "&H1G", 1.0},
        ParseCase{"HexWithBlanks", " & H 1 0", 16.0}, ParseCase{"HexWithoutDigits", "&H", 0.0},
        ParseCase{"OctalUpper", "&O17", 15.0}, ParseCase{"OctalLower", "&o777", 511.0},
        ParseCase{"OctalStopsAtEight", "&O178", 15.0}, ParseCase{"AmpersandOther", "&X12", 0.0},
        ParseCase{"LargeHexIsRoundedOnce", "&H20000000000001", 9007199254740992.0},
        ParseCase{"LargeOctalIsRoundedOnce", "&O1000000000000000000001", 9223372036854775808.0},
        ParseCase{"HugeExponentOverflows", "1e400", inf}, ParseCase{"NegativeOverflow", "-1e400", -inf},
        ParseCase{"OverflowFromManyDigits", std::string(400, '9'), inf},
        ParseCase{"TinyUnderflowsToZero", "1e-400", 0.0},
        ParseCase{"FractionWithHugeNegativeExponent", "0.0001e-99999999999999999999", 0.0},
        ParseCase{"EnormousExponentDigits", "1e" + std::string(5000, '9'), inf},
        ParseCase{"ZeroWithEnormousExponent", "0e" + std::string(5000, '9'), 0.0},
        ParseCase{"MegabyteOfDigits", "1" + std::string(1 << 20, '0') + "e-1048576", 1.0},
        ParseCase{"HexOverflow", "&H" + std::string(300, 'F'), inf},
        ParseCase{"LargestDouble", "1.7976931348623157e308", std::numeric_limits<double>::max()}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

// Whatever the text, a decimal or hexadecimal number is the nearest double to what it
// spells, as the C library's correctly rounded reading gives it (infinite past the range,
// zero or subnormal below it); D and d stand for e.
TEST(ParseNumber, EqualsTheNearestDoubleForAnyDecimalOrHexadecimalText)
{
    std::mt19937_64 random(20261208);
    const auto digits = [&random](std::string_view alphabet, std::size_t most) {
        std::string text(1 + random() % most, '0');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        return text;
    };
    for (int i = 0; i < 40000 && !HasFailure(); ++i) {
        std::string mantissa = digits("0123456789", 25);
        if (random() % 2 == 0) {
            mantissa.insert(random() % (mantissa.size() + 1), ".");
        }
        const std::string exponent = std::to_string(static_cast<int>(random() % 800) - 400);
        const std::string letter(1, "eEdD"[random() % 4]);
        const std::string sign = random() % 2 == 0 ? "-" : "";
        std::string reference = sign;
        reference.append(mantissa).append("e").append(exponent);
        std::string text = sign;
        text.append(mantissa).append(letter).append(exponent);
        EXPECT_EQ(parseNumber(text), std::strtod(reference.c_str(), nullptr)) << text;

        // Past 53 bits a hexadecimal integer rounds once, ties to even, up to the largest double.
        std::string hex = digits("0123456789ABCDEF", 16);
        hex.append(random() % 250, '0').append(random() % 2 == 0 ? digits("08", 3) : "");
        EXPECT_EQ(parseNumber("&H" + hex), std::strtod(("0x" + hex).c_str(), nullptr)) << "&H" << hex;
    }
}

TEST(StoreSingle, RoundsToTheNearestSingleAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(storeSingle(0.15), 0.15F);
    EXPECT_EQ(storeSingle(-2.5), -2.5F);
    EXPECT_EQ(storeSingle(1e-50), 0.0F);
    const auto largest = static_cast<double>(std::numeric_limits<float>::max());
    EXPECT_EQ(storeSingle(largest), std::numeric_limits<float>::max());
    // Below half a unit past the largest single the value still rounds down to it.
    EXPECT_EQ(storeSingle(std::nextafter(0x1.ffffffp+127, 0.0)), std::numeric_limits<float>::max());
    EXPECT_FALSE(storeSingle(0x1.ffffffp+127));
    EXPECT_FALSE(storeSingle(1e39));
    EXPECT_FALSE(storeSingle(-1e39));
    EXPECT_FALSE(storeSingle(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(storeSingle(std::numeric_limits<double>::quiet_NaN()));
}

struct FormatCase {
    const char* name;
    std::string text;
    std::string expected;
};

std::string caseName(const testing::TestParamInfo<FormatCase>& info) { return info.param.name; }

void PrintTo(const FormatCase& format, std::ostream* out) { *out << format.name; }

class Formatting : public testing::TestWithParam<FormatCase> { };

TEST_P(Formatting, WritesTheExpectedText) { EXPECT_EQ(GetParam().text, GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(FormatResultLineNumber, Formatting,
    testing::Values(FormatCase{"SingleWithFraction", formatResultLineNumber(636.6F), " 636.6"},
        FormatCase{"SingleIntegral", formatResultLineNumber(191.0F), " 191"},
        FormatCase{"SingleRoundedToSevenDigits", formatResultLineNumber(28.6F), " 28.6"},
        FormatCase{"SingleSevenDigits", formatResultLineNumber(1.0F / 3.0F), " .3333333"},
        FormatCase{"DoubleFifteenDigits", formatResultLineNumber(1.0 / 3.0), " .333333333333333"},
        FormatCase{"DoubleShort", formatResultLineNumber(5.2), " 5.2"},
        FormatCase{"NoZeroBeforeThePoint", formatResultLineNumber(0.4), " .4"},
        FormatCase{"NegativeBelowOne", formatResultLineNumber(-0.4), "-.4"},
        FormatCase{"Negative", formatResultLineNumber(-12.5), "-12.5"},
        FormatCase{"Zero", formatResultLineNumber(0.0), " 0"},
        FormatCase{"NegativeZero", formatResultLineNumber(-0.0), " 0"},
        FormatCase{"LargeExponent", formatResultLineNumber(1e20), " 1E+20"},
        FormatCase{"DoubleLastFixed", formatResultLineNumber(123456789012345.0), " 123456789012345"},
        FormatCase{"DoubleFirstExponent", formatResultLineNumber(1e15), " 1E+15"},
        FormatCase{"SingleFirstExponent", formatResultLineNumber(12345678.0F), " 1.234568E+07"},
        FormatCase{"SingleLastFixed", formatResultLineNumber(1234567.0F), " 1234567"},
        FormatCase{"SmallFixed", formatResultLineNumber(0.0001), " .0001"},
        FormatCase{"SmallExponent", formatResultLineNumber(0.00001), " 1E-05"},
        FormatCase{"ThreeDigitExponent", formatResultLineNumber(2.5e-300), " 2.5E-300"},
        FormatCase{"LargestSingle", formatResultLineNumber(std::numeric_limits<float>::max()), " 3.402823E+38"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(FormatTextBoxNumber, Formatting,
    testing::Values(FormatCase{"DoubleUnderComma", formatTextBoxNumber(16.7, ","), "16,7"},
        FormatCase{"DoubleUnderPoint", formatTextBoxNumber(16.7, "."), "16.7"},
        FormatCase{"SingleUnderComma", formatTextBoxNumber(0.15F, ","), "0,15"},
        FormatCase{"SingleUnderPoint", formatTextBoxNumber(0.15F, "."), "0.15"},
        FormatCase{"ZeroBeforeSeparatorKept", formatTextBoxNumber(0.06F, ","), "0,06"},
        FormatCase{"NoLeadingBlank", formatTextBoxNumber(250.0, ","), "250"},
        FormatCase{"Negative", formatTextBoxNumber(-1.5, ","), "-1,5"},
        FormatCase{"NegativeZero", formatTextBoxNumber(-0.0, ","), "0"},
        FormatCase{"NoDigitGrouping", formatTextBoxNumber(1234567.0, ","), "1234567"},
        FormatCase{"MultiByteSeparator", formatTextBoxNumber(2.5, "\u066B"), "2\u066B5"},
        FormatCase{"ExponentWithSeparator", formatTextBoxNumber(1.5e20, ","), "1,5E+20"},
        FormatCase{"ShortInteger", formatTextBoxNumber(std::int16_t{250}), "250"},
        FormatCase{"NegativeShortInteger", formatTextBoxNumber(std::int16_t{-32768}), "-32768"}),
    caseName);

// A double is written from its shortest form when that form is short enough, and a whole
// number of tenths, double or single, from its digits; whatever the value, the text must
// be the value rounded to 15 (a single: 7) significant digits by the rules of %G, which
// the library's precision form gives the slow way.
TEST(FormatNumber, EqualsRoundingToFifteenOrSevenDigitsForAnyValue)
{
    const auto rounded = [](double value, int digits) {
        std::array<char, 64> buffer{};
        const auto [end, error]
            = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, digits);
        std::string text(buffer.data(), end);
        if (const auto e = text.find('e'); e != std::string::npos) {
            text[e] = 'E';
        }
        return text == "-0" ? std::string("0") : text;
    };
    std::mt19937_64 random(20261207);
    int checked = 0;
    const auto check = [&](double value) {
        if (std::isfinite(value)) {
            ++checked;
            EXPECT_EQ(formatTextBoxNumber(value, "."), rounded(value, 15)) << std::hexfloat << value;
        }
        if (const std::optional<float> single = storeSingle(value)) {
            EXPECT_EQ(formatTextBoxNumber(*single, "."), rounded(static_cast<double>(*single), 7))
                << std::hexfloat << *single;
        }
    };
    for (int i = 0; i < 100000 && !HasFailure(); ++i) {
        const std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        check(value);
        // Short decimals at every scale, subnormal ones included, and results rounded to 0.1 mm.
        const std::string digits = std::to_string(random() % 100'000'000'000'000'000ULL).substr(0, 1 + random() % 17);
        check(std::strtod((digits + "e" + std::to_string(static_cast<int>(random() % 640) - 320)).c_str(), nullptr));
        check(std::floor(static_cast<double>(random() % 100'000'000) / 7.0 * 10 + 0.5) / 10);
    }
    // Tenths with every last digit, up to where a single is written from its tenths and past it.
    for (int tenths = -1'000'100; tenths <= 1'000'100 && !HasFailure(); tenths += 7) {
        check(static_cast<double>(tenths) / 10);
    }
    for (const double edge : {0.0, -0.0, 1e-5, 1e-4, 1e14, 1e15, 99999.95, 999999999999999.0, 9999999999999999.0,
             99999999999999.95, std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
             std::numeric_limits<double>::max()}) {
        check(edge);
    }
    EXPECT_GT(checked, 550000);
}

TEST(FormatNumber, ShortestSingleIsWhatToCharsWritesForAnySingle)
{
    std::mt19937 random(20261208);
    std::string text;
    const auto check = [&text](float value) {
        std::array<char, 32> buffer{};
        const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        assignShortestSingle(text, value);
        EXPECT_EQ(text, std::string_view(buffer.data(), written.ptr)) << std::hexfloat << value;
        // The decimal that text stands for, as a cell or a JSON number holds it.
        double decimal = value;
        std::from_chars(buffer.data(), written.ptr, decimal);
        EXPECT_TRUE(std::isnan(value) || shortestDecimal(value) == decimal) << std::hexfloat << value;
    };
    // Every bit pattern at random, then every power of ten and its neighbours, where the
    // layout turns from a point to an exponent, and whole numbers and tenths.
    for (int i = 0; i < 2'000'000 && !HasFailure(); ++i) {
        const std::uint32_t bits = random();
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        check(value);
    }
    for (int exponent = -45; exponent <= 38 && !HasFailure(); ++exponent) {
        const auto power = static_cast<float>(std::pow(10.0, exponent));
        for (const float value :
            {power, std::nextafter(power, 0.0F), std::nextafter(power, std::numeric_limits<float>::infinity()),
                1.5F * power, -power, 123456.7F * power}) {
            check(value);
        }
    }
    for (int whole = -200'000; whole <= 200'000 && !HasFailure(); ++whole) {
        check(static_cast<float>(whole));
        check(static_cast<float>(whole) / 10);
    }
    check(0.0F);
    check(-0.0F);
    check(std::numeric_limits<float>::infinity());
    check(std::numeric_limits<float>::quiet_NaN());
    check(std::numeric_limits<float>::denorm_min());
    check(std::numeric_limits<float>::max());
}

}  // namespace
}  // namespace bearing
