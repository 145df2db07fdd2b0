#pragma once

// The design check: does a proposed bearing, d × L, carry a load F at a frequency n in a
// material, and with how much margin? The sizing answers the opposite question (how large
// may d be, how short L); the check reads the same catalogue limits [p], [v], [pv], [t]
// and the same relations:
//
//   p = F / (d·L)          MPa        v = π·d·n / 60000   m/s        pv = p·v   MPa·m/s
//
// with π the single that the sizing uses (3.1415927410125732 as a double). Everything is
// computed in double from the inputs as given; the limits enter as their single values.
// The figures are kept unrounded; formatCheckFigure() and formatUtilisation() are the
// one rounding for display that every face (command line, report) uses.
//
// Texts flow one way: DesignCheckTexts -> readDesignCheckInput() -> checkDesign() ->
// DesignCheck, which holds either a fault (a stable code and a Russian message) or the
// figures.

#include "materialcatalogue.h"
#include "resultfield.h"
#include "sizing.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace bearing {

// What stops a check before its figures. The order is the order of the checks.
enum class CheckFault : std::uint8_t {
    None,
    LoadNotANumber,
    LoadNotPositive,
    LoadOutOfRange,
    FrequencyNotANumber,
    FrequencyNotPositive,
    FrequencyOutOfRange,
    DiameterNotANumber,
    DiameterNotPositive,
    DiameterOutOfRange,
    LengthNotANumber,
    LengthNotPositive,
    LengthOutOfRange,
    TemperatureNotANumber,
    TemperatureOutOfRange,
    ResultOutOfRange,  // an input is a number, but a figure lies beyond the double range
};

// A code that never changes between versions ("diameter_not_positive"), for scripts.
[[nodiscard]] std::string_view checkFaultCode(CheckFault fault);
// The Russian message, line breaks CR LF as in the sizing's messages; empty for None.
[[nodiscard]] std::string_view checkFaultMessage(CheckFault fault);

// The texts of one check as the user gave them.
struct DesignCheckTexts {
    std::string_view load;                        // F, N
    std::string_view frequency;                   // n, rpm
    std::string_view diameter;                    // d, mm
    std::string_view length;                      // L, mm
    std::optional<std::string_view> temperature;  // t, °C; none: not compared
};

// The inputs as numbers.
struct DesignCheckInput {
    double load = 0;
    double frequency = 0;
    double diameter = 0;
    double length = 0;
    std::optional<double> temperature;
};

struct DesignCheckReading {
    CheckFault fault = CheckFault::None;
    DesignCheckInput input;
};

// Reads a check's texts strictly, unlike the window's boxes: the whole text, blanks
// around it aside, must be one decimal number ("16.7", "16,7", "+5e3"); text that only
// starts with a number, an empty text, "inf" or "nan" is not a number. Load, frequency,
// diameter and length must be above zero; a temperature may be any finite number.
[[nodiscard]] DesignCheckReading readDesignCheckInput(const DesignCheckTexts& texts);

// One number read as readDesignCheckInput() reads each field: empty when it is not a
// number; an infinity when it cannot be held in a double, too large or too small but
// not zero ("1e400", "1e-400").
[[nodiscard]] std::optional<double> readCheckNumber(std::string_view text);

// Where a bearing works: the two figures that its p–v diagram plots.
struct PvPoint {
    double speed = 0;     // v, m/s
    double pressure = 0;  // p, MPa
};

// The point of a bearing d × L (mm) under F (N) at n (rpm): p = F/(d·L), v = π·d·n/60000.
// The check's pressure and speed are this point.
[[nodiscard]] PvPoint pvPointOf(double load, double frequency, double diameter, double length);

// The three limits of the check. The order is the order in which ties are settled.
enum class DesignLimit : std::uint8_t { Pressure, Speed, PV };
// The short name of a limit in machine form, as scripts read it: "p", "v", "pv".
[[nodiscard]] std::string_view designLimitCode(DesignLimit limit);

struct DesignCheck {
    CheckFault fault = CheckFault::None;  // when not None, no figure below is meaningful

    double pressure = 0;  // p = F / (d·L), MPa
    double speed = 0;     // v = π·d·n / 60000, m/s
    double pv = 0;        // p·v, MPa·m/s

    double pressureUse = 0;                         // p / [p]
    double speedUse = 0;                            // v / [v]
    double pvUse = 0;                               // pv / [pv]
    DesignLimit governing = DesignLimit::Pressure;  // the largest use (the first of equals)
    double governingUse = 0;
    bool limitsHold = false;  // every use at most 1

    // The largest load this geometry carries at n: min([p]·d·L, [pv]·d·L / v), N.
    double maxLoad = 0;
    DesignLimit maxLoadLimit = DesignLimit::Pressure;  // Pressure or PV
    // The largest frequency it runs at under F: min(60000·[v] / (π·d), 60000·[pv]·L / (π·F)).
    double maxFrequency = 0;                             // rpm
    double maxSpeed = 0;                                 // the sliding speed at maxFrequency, m/s
    DesignLimit maxFrequencyLimit = DesignLimit::Speed;  // Speed or PV

    std::optional<double> temperature;  // the user's working temperature, °C
    bool temperatureHolds = true;       // t ≤ [t], or no temperature given
    double temperatureMargin = 0;       // [t] − t, K (with a temperature)

    bool passes = false;  // limitsHold and temperatureHolds
};

// What every face says beside the verdict of a check that was given no temperature, so
// that a design cannot pass unnoticed with its temperature never compared with [t].
inline constexpr std::string_view temperatureNotCompared = "температура не сравнивалась: не задана";

// The verdict of a check that reached its figures, as every face words it: "проходит",
// "не проходит".
[[nodiscard]] std::string_view verdictWord(bool passes);

// One figure of a check beside its limit, as the check's lines show it: "давление p",
// "0,5 МПа", "[p] = 15 МПа", "3,3 %".
struct CheckFigureLine {
    std::string name;
    std::string value;
    std::string limit;
    std::string use;
};

// A check that reached its figures as the command line's text and the web page show it:
// p, v and pv beside their limits, then a line each for what governs, the largest load,
// the largest frequency, the temperature (when given) and the verdict.
struct CheckLines {
    std::array<CheckFigureLine, 3> figures;
    std::vector<std::string> lines;
};

[[nodiscard]] CheckLines checkLines(
    const DesignCheck& check, const MaterialRecord& material, std::string_view decimalSeparator);
// The temperature beside [t] ("температура 120 °C не выше [t] = 150 °C"), for a check
// given one.
[[nodiscard]] std::string checkTemperatureLine(
    const DesignCheck& check, const MaterialRecord& material, std::string_view decimalSeparator);

// The figures of a check (resultfield.h); the temperature's are none where no temperature
// was given.
using CheckFieldKind = ResultKind;
using CheckFieldValue = ResultValue;
using CheckField = ResultField<DesignCheck>;

namespace checkfield {

template <double DesignCheck::*Figure> CheckFieldValue number(const DesignCheck& check)
{
    return check.fault == CheckFault::None ? CheckFieldValue(check.*Figure) : CheckFieldValue();
}

template <DesignLimit DesignCheck::*Limit> CheckFieldValue code(const DesignCheck& check)
{
    return check.fault == CheckFault::None ? CheckFieldValue(designLimitCode(check.*Limit)) : CheckFieldValue();
}

template <auto Member> CheckFieldValue withTemperature(const DesignCheck& check)
{
    return check.fault == CheckFault::None && check.temperature ? CheckFieldValue(check.*Member) : CheckFieldValue();
}

inline CheckFieldValue passes(const DesignCheck& check)
{
    return check.fault == CheckFault::None ? CheckFieldValue(check.passes) : CheckFieldValue();
}

}  // namespace checkfield

inline constexpr std::array checkFields{
    CheckField{"pressure", "p, МПа", CheckFieldKind::Number, checkfield::number<&DesignCheck::pressure>},
    CheckField{"speed", "v, м/с", CheckFieldKind::Number, checkfield::number<&DesignCheck::speed>},
    CheckField{"pv", "pv, МПа·м/с", CheckFieldKind::Number, checkfield::number<&DesignCheck::pv>},
    CheckField{
        "pressure_use", "Загрузка по [p], %", CheckFieldKind::Number, checkfield::number<&DesignCheck::pressureUse>},
    CheckField{"speed_use", "Загрузка по [v], %", CheckFieldKind::Number, checkfield::number<&DesignCheck::speedUse>},
    CheckField{"pv_use", "Загрузка по [pv], %", CheckFieldKind::Number, checkfield::number<&DesignCheck::pvUse>},
    CheckField{"governing", "Определяет", CheckFieldKind::Code, checkfield::code<&DesignCheck::governing>},
    CheckField{"governing_use", "Наибольшая загрузка, %", CheckFieldKind::Number,
        checkfield::number<&DesignCheck::governingUse>},
    CheckField{"max_load", "Fmax, Н", CheckFieldKind::Number, checkfield::number<&DesignCheck::maxLoad>},
    CheckField{"max_load_limit", "Fmax по", CheckFieldKind::Code, checkfield::code<&DesignCheck::maxLoadLimit>},
    CheckField{"max_frequency", "nmax, об/мин", CheckFieldKind::Number, checkfield::number<&DesignCheck::maxFrequency>},
    CheckField{
        "max_frequency_limit", "nmax по", CheckFieldKind::Code, checkfield::code<&DesignCheck::maxFrequencyLimit>},
    CheckField{
        "max_sliding_speed", "v при nmax, м/с", CheckFieldKind::Number, checkfield::number<&DesignCheck::maxSpeed>},
    CheckField{"temperature_holds", "t не выше [t]", CheckFieldKind::Flag,
        checkfield::withTemperature<&DesignCheck::temperatureHolds>},
    CheckField{"temperature_margin", "[t] − t, К", CheckFieldKind::Number,
        checkfield::withTemperature<&DesignCheck::temperatureMargin>},
    CheckField{"passes", "Проходит", CheckFieldKind::Flag, checkfield::passes},
};

// The check for numbers that readDesignCheckInput() accepted.
[[nodiscard]] DesignCheck checkDesign(const MaterialRecord& material, const DesignCheckInput& input);
// Reads and checks in one step; a reading fault is the check's fault.
[[nodiscard]] DesignCheck checkDesign(const MaterialRecord& material, const DesignCheckTexts& texts);

// The short Russian name of a limit, as tables and charts head it: "[p]", "[v]", "[pv]".
[[nodiscard]] std::string_view limitSymbol(DesignLimit limit);
// What the limit is, in words: "давление", "скорость скольжения", "произведение pv".
[[nodiscard]] std::string_view limitName(DesignLimit limit);

// A check figure for display: four significant digits, but never fewer than the whole
// units (11436.6 is "11437"), rounded half up as the window rounds (floor(x·10^k + 0.5)
// / 10^k); magnitudes from 10^15 up or below 10^-9 in exponent form with four
// significant digits ("1.235e+20").
// `decimalSeparator` replaces the point.
[[nodiscard]] std::string formatCheckFigure(double value, std::string_view decimalSeparator = ".");
// A use as a percentage to 0.1 %, rounded half up: 0.998004 is "99.8". From 10^13 up,
// the percentage in exponent form with four significant digits ("1.235e+22"), also
// where a double cannot hold it ("1.000e+309" for a use of 10^307).
[[nodiscard]] std::string formatUtilisation(double use, std::string_view decimalSeparator = ".");

}  // namespace bearing
