#include "sizing.h"

#include "numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace bearing {

namespace {

// π as a single, the value the formulas have always used; it enters them as a double.
constexpr float pi = 3.14159265358979323846F;
// Converts mm·rpm into m/s.
constexpr double mmRpmPerMetrePerSecond = 60000.0;

// Ends a run that cannot give a result: the result lines are emptied and no later
// calculation may use the state.
PressFigures stopRun(SizingState& state, CalculationWindow& window, std::string_view message)
{
    window.setText(Control::MaxDiameterLine, {});
    window.setText(Control::MinLengthLine, {});
    state.resultValid = false;
    window.showMessage(message, messages::errorTitle, MessageIcon::Warning);
    return {};
}

// Shows "caption number мм" in `control`. Written on every press, the line is built on
// the stack: captions and numbers are short.
void showResultLine(CalculationWindow& window, Control control, std::string_view caption, std::string_view number)
{
    constexpr std::string_view unit = " мм";
    std::array<char, 128> line{};
    if (caption.size() + number.size() + unit.size() > line.size()) {
        window.setText(control, std::string(caption).append(number).append(unit));
        return;
    }
    char* end = std::copy(caption.begin(), caption.end(), line.begin());
    end = std::copy(number.begin(), number.end(), end);
    end = std::copy(unit.begin(), unit.end(), end);
    window.setText(control, std::string_view(line.data(), static_cast<std::size_t>(end - line.data())));
}

}  // namespace

double roundToTenth(double millimetres) { return std::floor(millimetres * 10.0 + 0.5) / 10.0; }

SizingFigures sizeBearing(const MaterialRecord& material, float load, float frequency)
{
    SizingFigures figures;
    const auto F = static_cast<double>(load);
    const auto n = static_cast<double>(frequency);
    if (!(F >= 0) || !(n > 0)) {
        figures.stop = SizingStop::LoadOrFrequencyInvalid;
        return figures;
    }

    // The sliding speed π·d·n/60000 may not exceed [v].
    const double x = (static_cast<double>(material.maxSpeed) * mmRpmPerMetrePerSecond) / (n * static_cast<double>(pi));
    const std::optional<float> maxDiameter = storeSingle(roundToTenth(x));
    if (!maxDiameter) {
        figures.stop = SizingStop::DiameterOutOfRange;
        return figures;
    }
    figures.maxDiameter = *maxDiameter;

    // The product of pressure F/(d·L) and sliding speed may not exceed [pv] ...
    const std::optional<float> pvLength = storeSingle(
        (F * n * static_cast<double>(pi)) / (static_cast<double>(material.maxPV) * mmRpmPerMetrePerSecond));
    // ... and the pressure may not exceed [p]: d·L at least F/[p].
    const std::optional<float> minArea = storeSingle(F / static_cast<double>(material.maxPressure));
    if (!pvLength || !minArea) {
        figures.stop = SizingStop::LengthOutOfRange;
        return figures;
    }
    figures.pvLength = *pvLength;
    figures.minArea = *minArea;

    // No pressure length without a diameter; the caller tells the user so.
    if (figures.maxDiameter > 0) {
        const std::optional<float> pressureLength
            = storeSingle(static_cast<double>(figures.minArea) / static_cast<double>(figures.maxDiameter));
        if (!pressureLength) {
            figures.stop = SizingStop::PressureLengthOutOfRange;
            return figures;
        }
        figures.pressureLength = *pressureLength;
    }
    figures.pressureGoverns = figures.pressureLength > figures.pvLength;
    figures.minLength = figures.pressureGoverns ? figures.pressureLength : figures.pvLength;
    return figures;
}

DiameterForLength diameterForLength(float minLength, float minArea, float length)
{
    if (length < minLength) {
        return {.check = LengthCheck::BelowMinimum};
    }
    // With no load there is no pressure to carry: every accepted length, 0 included,
    // needs no diameter at all.
    const std::optional<float> diameter
        = minArea == 0 ? 0.0F : storeSingle(static_cast<double>(minArea) / static_cast<double>(length));
    if (!diameter) {
        return {.check = LengthCheck::DiameterOutOfRange};
    }
    return {.check = LengthCheck::Accepted, .diameter = *diameter};
}

PressFigures calculateSizing(const MaterialCatalogue& catalogue, SizingState& state, CalculationWindow& window)
{
    state.resultValid = true;

    const std::optional<float> load = storeSingle(parseNumber(window.text(Control::Load)));
    if (!load) {
        return stopRun(state, window, messages::loadOutOfRange);
    }
    const std::optional<float> frequency = storeSingle(parseNumber(window.text(Control::Frequency)));
    if (!frequency) {
        return stopRun(state, window, messages::frequencyOutOfRange);
    }

    const std::int16_t index = catalogue.findMaterial(window.text(Control::MaterialList));
    if (index == MaterialCatalogue::noMaterial) {
        return stopRun(state, window, messages::chooseMaterial);
    }
    const MaterialRecord& material = catalogue.row(index);
    const SizingFigures figures = sizeBearing(material, *load, *frequency);
    switch (figures.stop) {
    case SizingStop::LoadOrFrequencyInvalid: return stopRun(state, window, messages::enterLoadAndFrequency);
    case SizingStop::DiameterOutOfRange: return stopRun(state, window, messages::resultOutOfRange);
    default: break;
    }
    state.maxDiameter = figures.maxDiameter;
    showResultLine(window, Control::MaxDiameterLine, "максимальный диаметр =", formatStr(state.maxDiameter));

    state.maxPressure = material.maxPressure;
    state.maxSpeed = material.maxSpeed;
    state.maxPV = material.maxPV;
    state.maxTemperature = static_cast<float>(material.maxTemperature);
    if (figures.stop == SizingStop::LengthOutOfRange) {
        return stopRun(state, window, messages::resultOutOfRange);
    }
    state.minLength = figures.pvLength;
    state.minArea = figures.minArea;
    if (figures.stop == SizingStop::PressureLengthOutOfRange) {
        return stopRun(state, window, messages::resultOutOfRange);
    }

    // A pressure length left from an earlier run would belong to another material or load.
    state.pressureLength = figures.pressureLength;
    if (state.maxDiameter == 0) {
        window.showMessage(messages::zeroDiameter, messages::errorTitle, MessageIcon::Warning);
    }
    state.minLength = figures.minLength;
    showResultLine(window, Control::MinLengthLine,
        "минимальная длина =", formatStr(roundToTenth(static_cast<double>(state.minLength))));
    return {.sizing = figures, .forLength = std::nullopt};
}

PressFigures calculateDiameterForLength(const MaterialCatalogue& catalogue, SizingState& state,
    CalculationWindow& window, std::string_view decimalSeparator)
{
    const std::optional<float> length = storeSingle(parseNumber(window.text(Control::Length)));
    if (!length) {
        return stopRun(state, window, messages::lengthOutOfRange);
    }

    PressFigures press = calculateSizing(catalogue, state, window);
    if (!state.resultValid) {
        return press;
    }
    const DiameterForLength found = diameterForLength(state.minLength, state.minArea, *length);
    press.forLength = found;
    if (found.check == LengthCheck::BelowMinimum) {
        window.showMessage(messages::lengthBelowMinimum, messages::errorTitle, MessageIcon::Warning);
        return press;
    }
    if (found.check == LengthCheck::DiameterOutOfRange) {
        return stopRun(state, window, messages::resultOutOfRange);
    }
    window.setText(Control::MinDiameterOnLength,
        formatLocale(roundToTenth(static_cast<double>(found.diameter)), decimalSeparator));
    return press;
}

}  // namespace bearing
