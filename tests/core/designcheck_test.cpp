#include "designcheck.h"

#include "numbertext.h"
#include "sizing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace bearing {
namespace {

const MaterialCatalogue catalogue{CatalogueVariant::ReferenceWindow};

const MaterialRecord& material(std::string_view name) { return catalogue.row(catalogue.findMaterial(name)); }

struct FigureCase {
    const char* name;
    const char* material;
    const char* load;
    const char* frequency;
    const char* diameter;
    const char* length;
    std::optional<std::string_view> temperature;
    double pressure, speed, pv;
    double pressureUse, speedUse, pvUse;
    DesignLimit governing;
    double maxLoad;
    DesignLimit maxLoadLimit;
    double maxFrequency;
    DesignLimit maxFrequencyLimit;
    bool passes;
};

// Every figure worked out by hand from p = F/(d·L), v = π·d·n/60000, pv = p·v,
// Fmax = min([p]·d·L, [pv]·d·L/v) and nmax = min(60000·[v]/(π·d), 60000·[pv]·L/(π·F)).
const std::vector<FigureCase> figureCases{
    // БрО10Ф1 [p] 15, [v] 10, [pv] 15. p = 5000/334 = 14.97006, v = π·16.7·300/60000 = 0.2623230,
    // pv = 3.926990; uses 0.998004, 0.0262323, 0.2617994. Fmax: 15·334 = 5010 against
    // 15·334/0.262323 = 19098.6. nmax: 600000/(π·16.7) = 11436.6 against 18e6/(π·5000) = 1145.92.
    {"BronzeWorkedExampleNearlyAtItsPressure", "Бронза БрО10Ф1", "5000", "300", "16.7", "20", std::nullopt, 14.970060,
        0.2623230, 3.926990, 0.9980040, 0.02623230, 0.2617994, DesignLimit::Pressure, 5010, DesignLimit::Pressure,
        1145.916, DesignLimit::PV, true},
    // Графит [p] 0.5, [v] 1.5, [pv] 1. p = 1000/1000 = 1, v = π·20·1000/60000 = 1.047198,
    // pv = 1.047198; uses 2, 0.698132, 1.047198. Fmax: 0.5·1000 = 500 against 1000/1.047198
    // = 954.93. nmax: 90000/(π·20) = 1432.39 against 60000·50/(π·1000) = 954.93.
    {"GraphiteTwiceItsPressure", "Графит", "1000", "1000", "20", "50", std::nullopt, 1.0, 1.047198, 1.047198, 2.0,
        0.6981317, 1.047198, DesignLimit::Pressure, 500, DesignLimit::Pressure, 954.9297, DesignLimit::PV, false},
    // Капрон [p] 2.5, [v] 0.2, [pv] 0.1. p = 10/100 = 0.1, v = π·10·1000/60000 = 0.5235988,
    // pv = 0.05235988; uses 0.04, 2.617994, 0.5235988. Fmax: 2.5·100 = 250 against
    // 0.1·100/0.5235988 = 19.0986. nmax: 12000/(π·10) = 381.972 against 60000/(π·10) = 1909.86.
    {"NylonTooFast", "Капрон", "10", "1000", "10", "10", std::nullopt, 0.1, 0.5235988, 0.05235988, 0.04, 2.617994,
        0.5235988, DesignLimit::Speed, 19.09859, DesignLimit::PV, 381.9719, DesignLimit::Speed, false},
    // Баббит Б83 [p] 15, [v] 50, [pv] 75. p = 4000/2000 = 2, v = π·50·3000/60000 = 7.853982,
    // pv = 15.70796; uses 0.133333, 0.1570796, 0.2094395. Fmax: 15·2000 = 30000 against
    // 75·2000/7.853982 = 19098.6. nmax: 3e6/(π·50) = 19098.6 against 1.8e8/(π·4000) = 14323.9.
    {"BabbittWithinEveryLimitPvFirst", "Баббит Б83", "4000", "3000", "50", "40", std::nullopt, 2.0, 7.853982, 15.70796,
        0.1333333, 0.1570796, 0.2094395, DesignLimit::PV, 19098.59, DesignLimit::PV, 14323.94, DesignLimit::PV, true},
    // Баббит Б16 [p] 10, [v] 30, [pv] 3. p = 1000/100 = 10 exactly: a use of 1 passes.
    // v = π·10·100/60000 = 0.05235988 (use 0.001745329), pv = 0.5235988 (use 0.1745329).
    // Fmax: 10·100 = 1000 against 300/0.05235988 = 5729.58. nmax: 1.8e6/(π·10) = 57295.8
    // against 60000·3·10/(π·1000) = 572.958.
    {"BabbittExactlyAtItsPressurePasses", "Баббит Б16", "1000", "100", "10", "10", std::nullopt, 10.0, 0.05235988,
        0.5235988, 1.0, 0.001745329, 0.1745329, DesignLimit::Pressure, 1000, DesignLimit::Pressure, 572.9578,
        DesignLimit::PV, true},
    // The worked example at 260 °C: every limit holds, [t] 250 does not.
    {"BronzeAboveItsTemperatureFails", "Бронза БрО10Ф1", "5000", "300", "16,7", " 20 ", "260", 14.970060, 0.2623230,
        3.926990, 0.9980040, 0.02623230, 0.2617994, DesignLimit::Pressure, 5010, DesignLimit::Pressure, 1145.916,
        DesignLimit::PV, false},
};

// GoogleTest prints a case's parameter beside its name (and ctest -N lists it): the texts
// the check reads, each in brackets so that blanks and empty texts show.
void printTexts(const DesignCheckTexts& texts, std::ostream* os)
{
    *os << "F [" << texts.load << "], n [" << texts.frequency << "], d [" << texts.diameter << "], L [" << texts.length
        << ']';
    if (texts.temperature) {
        *os << ", t [" << *texts.temperature << ']';
    }
}

void PrintTo(const FigureCase& c, std::ostream* os)
{
    *os << c.material << ", ";
    printTexts({c.load, c.frequency, c.diameter, c.length, c.temperature}, os);
}

class DesignCheckFigures : public testing::TestWithParam<FigureCase> { };

TEST_P(DesignCheckFigures, MatchTheHandCalculation)
{
    const FigureCase& c = GetParam();
    const DesignCheck check = checkDesign(material(c.material),
        DesignCheckTexts{.load = c.load,
            .frequency = c.frequency,
            .diameter = c.diameter,
            .length = c.length,
            .temperature = c.temperature});
    ASSERT_EQ(check.fault, CheckFault::None);
    const auto near = [](double expected) { return std::abs(expected) * 2e-6; };
    EXPECT_NEAR(check.pressure, c.pressure, near(c.pressure));
    EXPECT_NEAR(check.speed, c.speed, near(c.speed));
    EXPECT_NEAR(check.pv, c.pv, near(c.pv));
    EXPECT_NEAR(check.pressureUse, c.pressureUse, near(c.pressureUse));
    EXPECT_NEAR(check.speedUse, c.speedUse, near(c.speedUse));
    EXPECT_NEAR(check.pvUse, c.pvUse, near(c.pvUse));
    EXPECT_EQ(check.governing, c.governing);
    EXPECT_NEAR(check.maxLoad, c.maxLoad, near(c.maxLoad));
    EXPECT_EQ(check.maxLoadLimit, c.maxLoadLimit);
    EXPECT_NEAR(check.maxFrequency, c.maxFrequency, near(c.maxFrequency));
    EXPECT_EQ(check.maxFrequencyLimit, c.maxFrequencyLimit);
    EXPECT_EQ(check.passes, c.passes);
    // The largest load and frequency are where the governing use would reach 1.
    const DesignCheck atMaxLoad = checkDesign(material(c.material),
        DesignCheckInput{.load = check.maxLoad,
            .frequency = std::stod(c.frequency),
            .diameter = *readCheckNumber(c.diameter),
            .length = *readCheckNumber(c.length),
            .temperature = {}});
    EXPECT_NEAR(std::max(atMaxLoad.pressureUse, atMaxLoad.pvUse), 1.0, 1e-12);
    EXPECT_NEAR(check.maxSpeed, sizingPi * *readCheckNumber(c.diameter) * check.maxFrequency / 60000, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignCheckFigures, testing::ValuesIn(figureCases), [](const auto& info) { return info.param.name; });

TEST(DesignCheck, WorkedExampleShowsAsTheReportAndCommandLineShowIt)
{
    const DesignCheck check = checkDesign(
        material("Бронза БрО10Ф1"), DesignCheckTexts{"5000", "300", "16.7", "20", std::string_view("80")});
    EXPECT_EQ(formatCheckFigure(check.pressure, ","), "14,97");
    EXPECT_EQ(formatUtilisation(check.governingUse, ","), "99,8");
    EXPECT_EQ(formatCheckFigure(check.maxLoad), "5010");
    EXPECT_EQ(formatCheckFigure(check.maxFrequency), "1146");
    EXPECT_TRUE(check.temperatureHolds);
    EXPECT_EQ(check.temperatureMargin, 170);

    // The lines of docs/command-line.md's example, with a comma.
    const CheckLines shown = checkLines(check, material("Бронза БрО10Ф1"), ",");
    std::vector<std::string> lines;
    for (const CheckFigureLine& figure : shown.figures) {
        lines.push_back(figure.name + " = " + figure.value + ", " + figure.use + " от " + figure.limit);
    }
    lines.insert(lines.end(), shown.lines.begin(), shown.lines.end());
    EXPECT_EQ(lines,
        (std::vector<std::string>{"давление p = 14,97 МПа, 99,8 % от [p] = 15 МПа",
            "скорость скольжения v = 0,2623 м/с, 2,6 % от [v] = 10 м/с",
            "произведение pv = 3,927 МПа·м/с, 26,2 % от [pv] = 15 МПа·м/с", "определяет [p] (давление): 99,8 %",
            "наибольшая нагрузка = 5010 Н, по [p]", "наибольшая частота вращения = 1146 об/мин, по [pv]",
            "температура 80 °C не выше [t] = 250 °C", "итог: проходит"}));
}

struct FaultCase {
    const char* name;
    DesignCheckTexts texts;
    CheckFault fault;
};

const std::vector<FaultCase> faultCases{
    {"EmptyLoad", {"", "300", "16.7", "20", {}}, CheckFault::LoadNotANumber},
    {"LoadWithItsUnit", {"5000 Н", "300", "16.7", "20", {}}, CheckFault::LoadNotANumber},
    {"LoadInfinity", {"inf", "300", "16.7", "20", {}}, CheckFault::LoadNotANumber},
    {"LoadNan", {"nan", "300", "16.7", "20", {}}, CheckFault::LoadNotANumber},
    {"LoadZero", {"0", "300", "16.7", "20", {}}, CheckFault::LoadNotPositive},
    {"LoadNegative", {"-5", "300", "16.7", "20", {}}, CheckFault::LoadNotPositive},
    {"LoadBeyondTheDoubles", {"1e400", "300", "16.7", "20", {}}, CheckFault::LoadOutOfRange},
    {"LoadBelowTheDoubles", {"1e-400", "300", "16.7", "20", {}}, CheckFault::LoadOutOfRange},
    {"LoadCheckedBeforeFrequency", {"x", "0", "16.7", "20", {}}, CheckFault::LoadNotANumber},
    {"FrequencyZero", {"5000", "0", "16.7", "20", {}}, CheckFault::FrequencyNotPositive},
    {"FrequencyHexadecimal", {"5000", "&H10", "16.7", "20", {}}, CheckFault::FrequencyNotANumber},
    {"FrequencyBeyondTheDoubles", {"5000", "-1e999", "16.7", "20", {}}, CheckFault::FrequencyOutOfRange},
    {"DiameterTwoPoints", {"5000", "300", "16.7.1", "20", {}}, CheckFault::DiameterNotANumber},
    {"DiameterPointAndComma", {"5000", "300", "1.6,7", "20", {}}, CheckFault::DiameterNotANumber},
    {"DiameterNegativeZero", {"5000", "300", "-0", "20", {}}, CheckFault::DiameterNotPositive},
    {"DiameterBeyondTheDoubles", {"5000", "300", "2e308", "20", {}}, CheckFault::DiameterOutOfRange},
    {"LengthExponentWithoutDigits", {"5000", "300", "16.7", "2e", {}}, CheckFault::LengthNotANumber},
    {"LengthBlank", {"5000", "300", "16.7", "   ", {}}, CheckFault::LengthNotANumber},
    {"LengthNegative", {"5000", "300", "16.7", "-20", {}}, CheckFault::LengthNotPositive},
    {"LengthBeyondTheDoubles", {"5000", "300", "16.7", "1e309", {}}, CheckFault::LengthOutOfRange},
    {"TemperatureInWords", {"5000", "300", "16.7", "20", "горячо"}, CheckFault::TemperatureNotANumber},
    {"TemperatureEmpty", {"5000", "300", "16.7", "20", ""}, CheckFault::TemperatureNotANumber},
    {"TemperatureBeyondTheDoubles", {"5000", "300", "16.7", "20", "1e999"}, CheckFault::TemperatureOutOfRange},
    {"TemperatureBelowZeroIsAnswered", {"5000", "300", "16.7", "20", "-40"}, CheckFault::None},
    {"SignsBlanksAndExponentsAreAnswered", {" +5e3", "3E2 ", "16,7", "2.0e+1", {}}, CheckFault::None},
    {"AreaVanishingBelowTheDoubles", {"1", "300", "1e-200", "1e-200", {}}, CheckFault::ResultOutOfRange},
    {"SpeedBeyondTheDoubles", {"5000", "1e300", "1e300", "20", {}}, CheckFault::ResultOutOfRange},
    {"PressureVanishingBelowTheDoubles", {"1e-300", "300", "16.7", "1e300", {}}, CheckFault::ResultOutOfRange},
    {"PressureAmongTheSubnormals", {"1e-300", "310", "1e17", "6.3", {}}, CheckFault::ResultOutOfRange},
};

void PrintTo(const FaultCase& c, std::ostream* os) { printTexts(c.texts, os); }

class DesignCheckFaults : public testing::TestWithParam<FaultCase> { };

TEST_P(DesignCheckFaults, StopTheCheckWithTheirCode)
{
    const FaultCase& c = GetParam();
    const DesignCheck check = checkDesign(material("Бронза БрО10Ф1"), c.texts);
    EXPECT_EQ(checkFaultCode(check.fault), checkFaultCode(c.fault));
    if (c.fault == CheckFault::None) {
        EXPECT_TRUE(std::isfinite(check.pressure) && check.pressure > 0);
    } else {
        EXPECT_FALSE(check.passes);
    }
    // A stopped check hands no field on; an answered one every field, the temperature's
    // only with a temperature.
    for (const CheckField& field : checkFields) {
        const bool ofTemperature = field.name.starts_with("temperature_");
        const bool expected = c.fault == CheckFault::None && (!ofTemperature || c.texts.temperature.has_value());
        EXPECT_EQ(!std::holds_alternative<std::monostate>(field.value(check)), expected) << field.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignCheckFaults, testing::ValuesIn(faultCases), [](const auto& info) { return info.param.name; });

TEST(DesignCheck, EveryFaultHasItsOwnCodeAndARussianMessage)
{
    std::set<std::string_view> codes;
    for (int i = 1; i <= static_cast<int>(CheckFault::ResultOutOfRange); ++i) {
        const auto fault = static_cast<CheckFault>(i);
        EXPECT_TRUE(codes.insert(checkFaultCode(fault)).second) << checkFaultCode(fault);
        EXPECT_GT(checkFaultMessage(fault).size(), 20U);
        EXPECT_EQ(checkFaultMessage(fault).find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string_view::npos);
    }
    EXPECT_EQ(checkFaultCode(CheckFault::DiameterNotPositive), "diameter_not_positive");
    // The overflow messages the sizing also shows keep its texts.
    EXPECT_EQ(checkFaultMessage(CheckFault::LoadOutOfRange), messages::loadOutOfRange);
    EXPECT_EQ(checkFaultMessage(CheckFault::LengthOutOfRange), messages::lengthOutOfRange);
}

struct ShownCase {
    const char* name;
    double value;
    const char* figure;       // formatCheckFigure with ","
    const char* utilisation;  // formatUtilisation with "."
};

const std::vector<ShownCase> shownCases{
    {"FourSignificantDigits", 14.970059880239521, "14,97", "1497.0"},
    {"SmallFigure", 0.26232299387454993, "0,2623", "26.2"},
    {"WholeUnitsKept", 11436.6, "11437", "1143660.0"},
    {"RoundingCarriesIntoANewDigit", 9.99996, "10,00", "1000.0"},
    {"ExactHalfGoesUp", 1.0625, "1,063", "106.3"},
    {"VerySmallInExponentForm", 2.5e-12, "2,500e-12", "0.0"},
    {"VeryLargeInExponentForm", 1.23456e20, "1,235e+20", "1.235e+22"},
    {"UseWhosePercentageOverflows", 1e307, "1,000e+307", "1.000e+309"},
    {"UseOfAnInfiniteLoad", std::numeric_limits<double>::infinity(), "∞", "∞"},
    {"Zero", 0.0, "0,000", "0.0"},
    {"UseJustBelowOneShowsAsAWholeHundred", 0.99951, "0,9995", "100.0"},
};

TEST(DesignCheck, FiguresAreRoundedForDisplayOneWay)
{
    ShortestText field{};
    const auto written = [&field](double value) { return std::string_view(field.data(), writeShortest(field, value)); };
    for (const ShownCase& c : shownCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatCheckFigure(c.value, ","), c.figure);
        EXPECT_EQ(formatUtilisation(c.value), c.utilisation);
        // The machine form of a batch writes the same digits as the report's unrounded column.
        EXPECT_EQ(written(-c.value), formatShortest(-c.value, "."));
    }
    EXPECT_EQ(written(-2.2250738585072014e-308), "-2.2250738585072014e-308");  // the longest shortest form
}

}  // namespace
}  // namespace bearing
