#include "designcheck.h"

#include "inputfield.h"
#include "numbertext.h"
#include "sizing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace bearing {

namespace {

// One row a fault, in the order of CheckFault.
constexpr std::array<FaultText, 16> faultTexts{{
    {"none", ""},
    {"load_not_a_number", "Радиальное усилие задано не числом"},
    {"load_not_positive", "Радиальное усилие должно быть больше нуля"},
    {"load_overflow", messages::loadOutOfRange},
    {"frequency_not_a_number", "Частота вращения задана не числом"},
    {"frequency_not_positive", "Частота вращения должна быть больше нуля"},
    {"frequency_overflow", messages::frequencyOutOfRange},
    {"diameter_not_a_number", "Диаметр задан не числом"},
    {"diameter_not_positive", "Диаметр должен быть больше нуля"},
    {"diameter_overflow", "Ошибка: переполнение\r\n\r\nДиаметр выходит за пределы допустимого диапазона чисел"},
    {"length_not_a_number", "Длина задана не числом"},
    {"length_not_positive", "Длина должна быть больше нуля"},
    {"length_overflow", messages::lengthOutOfRange},
    {"temperature_not_a_number", "Рабочая температура задана не числом"},
    {"temperature_overflow",
        "Ошибка: переполнение\r\n\r\nРабочая температура выходит за пределы допустимого диапазона чисел"},
    {"check_result_overflow",
        "Ошибка: переполнение\r\n\r\nРезультат проверки выходит за пределы допустимого диапазона чисел\r\n"
        "Проверьте радиальное усилие, частоту вращения, диаметр и длину"},
}};

const FaultText& faultText(CheckFault fault) { return faultTexts.at(static_cast<std::size_t>(fault)); }

// A figure among the subnormal doubles has lost digits that the others keep: no answer.
bool isPositiveFigure(double value) { return std::isnormal(value) && value > 0; }

// floor(x·10^k + 0.5) / 10^k, written with k decimals.
std::string roundedFixed(double value, int decimals, std::string_view decimalSeparator)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::floor(value * scale + 0.5) / scale;
    return formatFixed(rounded == 0 ? 0.0 : rounded, decimals, decimalSeparator);
}

}  // namespace

std::string_view checkFaultCode(CheckFault fault) { return faultText(fault).code; }

std::string_view checkFaultMessage(CheckFault fault) { return faultText(fault).message; }

std::string_view designLimitCode(DesignLimit limit)
{
    switch (limit) {
    case DesignLimit::Pressure: return "p";
    case DesignLimit::Speed: return "v";
    case DesignLimit::PV: return "pv";
    }
    return {};
}

std::optional<double> readCheckNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    // A Russian user writes 16,7: one comma is the decimal point, when there is no point.
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) {
        return parseStrictDecimal(text);
    }
    if (text.find_first_of(".,", comma + 1) != std::string_view::npos || text.find('.') != std::string_view::npos) {
        return std::nullopt;
    }
    std::string number(text);
    number[comma] = '.';
    return parseStrictDecimal(number);
}

DesignCheckReading readDesignCheckInput(const DesignCheckTexts& texts)
{
    DesignCheckReading reading;
    const std::array<std::pair<std::string_view, std::pair<FieldFaults<CheckFault>, double*>>, 4> fields{{
        {texts.load,
            {{CheckFault::LoadNotANumber, CheckFault::LoadNotPositive, CheckFault::LoadOutOfRange},
                &reading.input.load}},
        {texts.frequency,
            {{CheckFault::FrequencyNotANumber, CheckFault::FrequencyNotPositive, CheckFault::FrequencyOutOfRange},
                &reading.input.frequency}},
        {texts.diameter,
            {{CheckFault::DiameterNotANumber, CheckFault::DiameterNotPositive, CheckFault::DiameterOutOfRange},
                &reading.input.diameter}},
        {texts.length,
            {{CheckFault::LengthNotANumber, CheckFault::LengthNotPositive, CheckFault::LengthOutOfRange},
                &reading.input.length}},
    }};
    for (const auto& [text, field] : fields) {
        reading.fault = readField(text, field.first, *field.second);
        if (reading.fault != CheckFault::None) {
            return reading;
        }
    }
    if (texts.temperature) {
        double temperature = 0;
        reading.fault = readField(*texts.temperature,
            FieldFaults<CheckFault>{CheckFault::TemperatureNotANumber, CheckFault::None,
                CheckFault::TemperatureOutOfRange, FieldRange::Any},
            temperature);
        reading.input.temperature = temperature;
    }
    return reading;
}

PvPoint pvPointOf(double load, double frequency, double diameter, double length)
{
    return {.speed = sizingPi * diameter * frequency / mmRpmPerMetrePerSecond, .pressure = load / (diameter * length)};
}

DesignCheck checkDesign(const MaterialRecord& material, const DesignCheckInput& input)
{
    DesignCheck check;
    const double F = input.load;
    const double n = input.frequency;
    const double d = input.diameter;
    const double L = input.length;
    const auto maxP = static_cast<double>(material.maxPressure);
    const auto maxV = static_cast<double>(material.maxSpeed);
    const auto maxPV = static_cast<double>(material.maxPV);

    const double area = d * L;
    const PvPoint point = pvPointOf(F, n, d, L);
    check.pressure = point.pressure;
    check.speed = point.speed;
    check.pv = check.pressure * check.speed;
    check.pressureUse = check.pressure / maxP;
    check.speedUse = check.speed / maxV;
    check.pvUse = check.pv / maxPV;

    check.governing = DesignLimit::Pressure;
    check.governingUse = check.pressureUse;
    if (check.speedUse > check.governingUse) {
        check.governing = DesignLimit::Speed;
        check.governingUse = check.speedUse;
    }
    if (check.pvUse > check.governingUse) {
        check.governing = DesignLimit::PV;
        check.governingUse = check.pvUse;
    }
    check.limitsHold = check.governingUse <= 1;

    const double pressureLoad = maxP * area;
    const double pvLoad = maxPV * area / check.speed;
    check.maxLoadLimit = pvLoad < pressureLoad ? DesignLimit::PV : DesignLimit::Pressure;
    check.maxLoad = std::min(pressureLoad, pvLoad);

    const double speedFrequency = mmRpmPerMetrePerSecond * maxV / (sizingPi * d);
    const double pvFrequency = mmRpmPerMetrePerSecond * maxPV * L / (sizingPi * F);
    check.maxFrequencyLimit = pvFrequency < speedFrequency ? DesignLimit::PV : DesignLimit::Speed;
    check.maxFrequency = std::min(speedFrequency, pvFrequency);
    check.maxSpeed = sizingPi * d * check.maxFrequency / mmRpmPerMetrePerSecond;

    // A figure that overflowed, or vanished below the smallest double, is no answer.
    for (const double figure : {area, check.pressure, check.speed, check.pv, check.pressureUse, check.speedUse,
             check.pvUse, pressureLoad, pvLoad, speedFrequency, pvFrequency, check.maxSpeed}) {
        if (!isPositiveFigure(figure)) {
            DesignCheck stopped;
            stopped.fault = CheckFault::ResultOutOfRange;
            return stopped;
        }
    }

    if (input.temperature) {
        check.temperature = input.temperature;
        check.temperatureHolds = *input.temperature <= static_cast<double>(material.maxTemperature);
        check.temperatureMargin = static_cast<double>(material.maxTemperature) - *input.temperature;
    }
    check.passes = check.limitsHold && check.temperatureHolds;
    return check;
}

DesignCheck checkDesign(const MaterialRecord& material, const DesignCheckTexts& texts)
{
    const DesignCheckReading reading = readDesignCheckInput(texts);
    if (reading.fault != CheckFault::None) {
        DesignCheck stopped;
        stopped.fault = reading.fault;
        return stopped;
    }
    return checkDesign(material, reading.input);
}

std::string_view limitSymbol(DesignLimit limit)
{
    switch (limit) {
    case DesignLimit::Pressure: return "[p]";
    case DesignLimit::Speed: return "[v]";
    case DesignLimit::PV: return "[pv]";
    }
    return {};
}

std::string_view limitName(DesignLimit limit)
{
    switch (limit) {
    case DesignLimit::Pressure: return "давление";
    case DesignLimit::Speed: return "скорость скольжения";
    case DesignLimit::PV: return "произведение pv";
    }
    return {};
}

std::string_view verdictWord(bool passes) { return passes ? "проходит" : "не проходит"; }

CheckLines checkLines(const DesignCheck& check, const MaterialRecord& material, std::string_view decimalSeparator)
{
    const auto figure = [decimalSeparator](double value) { return formatCheckFigure(value, decimalSeparator); };
    const auto use = [decimalSeparator](double value) { return formatUtilisation(value, decimalSeparator) + " %"; };
    const auto limit = [decimalSeparator](float value) { return formatTextBoxNumber(value, decimalSeparator); };
    CheckLines shown{.figures = {{
                         {.name = "давление p",
                             .value = figure(check.pressure) + " МПа",
                             .limit = "[p] = " + limit(material.maxPressure) + " МПа",
                             .use = use(check.pressureUse)},
                         {.name = "скорость скольжения v",
                             .value = figure(check.speed) + " м/с",
                             .limit = "[v] = " + limit(material.maxSpeed) + " м/с",
                             .use = use(check.speedUse)},
                         {.name = "произведение pv",
                             .value = figure(check.pv) + " МПа·м/с",
                             .limit = "[pv] = " + limit(material.maxPV) + " МПа·м/с",
                             .use = use(check.pvUse)},
                     }},
        .lines = {}};
    shown.lines.push_back("определяет " + std::string(limitSymbol(check.governing)) + " ("
        + std::string(limitName(check.governing)) + "): " + use(check.governingUse));
    shown.lines.push_back(
        "наибольшая нагрузка = " + figure(check.maxLoad) + " Н, по " + std::string(limitSymbol(check.maxLoadLimit)));
    shown.lines.push_back("наибольшая частота вращения = " + figure(check.maxFrequency) + " об/мин, по "
        + std::string(limitSymbol(check.maxFrequencyLimit)));
    if (check.temperature) {
        shown.lines.push_back(checkTemperatureLine(check, material, decimalSeparator));
    }
    shown.lines.push_back("итог: " + std::string(verdictWord(check.passes))
        + (check.temperature ? "" : " (" + std::string(temperatureNotCompared) + ")"));
    return shown;
}

std::string checkTemperatureLine(
    const DesignCheck& check, const MaterialRecord& material, std::string_view decimalSeparator)
{
    return "температура " + formatShortest(check.temperature.value_or(0), decimalSeparator) + " °C "
        + (check.temperatureHolds ? "не выше" : "выше") + " [t] = " + formatTextBoxNumber(material.maxTemperature)
        + " °C";
}

std::string formatCheckFigure(double value, std::string_view decimalSeparator)
{
    if (!std::isfinite(value)) {
        return value > 0 ? "∞" : (value < 0 ? "−∞" : "—");
    }
    const double magnitude = std::abs(value);
    if (magnitude != 0 && (magnitude >= 1e15 || magnitude < 1e-9)) {
        return formatScientific(value, 3, decimalSeparator);
    }
    const int leading = magnitude == 0 ? 0 : static_cast<int>(std::floor(std::log10(magnitude)));
    int decimals = std::max(0, 3 - leading);
    std::string text = roundedFixed(value, decimals, decimalSeparator);
    // Rounding may carry into a new leading digit (9.9996 is 10.000): one decimal fewer.
    if (decimals > 0 && magnitude != 0) {
        const double scale = std::pow(10.0, decimals);
        if (std::floor(magnitude * scale + 0.5) / scale >= std::pow(10.0, leading + 1)) {
            text = roundedFixed(value, --decimals, decimalSeparator);
        }
    }
    return text;
}

std::string formatUtilisation(double use, std::string_view decimalSeparator)
{
    const double percent = use * 100.0;
    if (std::isfinite(percent) && std::abs(percent) < 1e15) {
        return roundedFixed(percent, 1, decimalSeparator);
    }
    if (std::isfinite(percent) || !std::isfinite(use)) {
        return formatCheckFigure(percent, decimalSeparator);
    }
    // A use near the top of the double range has no percentage that a double holds: its
    // mantissa stays, its exponent (306 or more) grows by two.
    const std::string text = formatCheckFigure(use, decimalSeparator);
    const std::size_t exponent = text.find('e');
    return text.substr(0, exponent + 2) + std::to_string(std::stoi(text.substr(exponent + 2)) + 2);
}

}  // namespace bearing
