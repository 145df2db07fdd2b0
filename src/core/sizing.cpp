#include "sizing.h"

#include "numbertext.h"

#include <array>
#include <cmath>
#include <optional>

namespace bearing {

namespace {

struct MessageText {
    std::string_view code;
    std::string_view text;
};

// One row a message, in the order of SizingMessage.
constexpr std::array<MessageText, 9> messageTexts{{
    {"none", ""},
    {"choose_material", messages::chooseMaterial},
    {"load_or_frequency_missing", messages::enterLoadAndFrequency},
    {"zero_diameter", messages::zeroDiameter},
    {"length_below_minimum", messages::lengthBelowMinimum},
    {"load_overflow", messages::loadOutOfRange},
    {"frequency_overflow", messages::frequencyOutOfRange},
    {"length_overflow", messages::lengthOutOfRange},
    {"result_overflow", messages::resultOutOfRange},
}};

const MessageText& messageText(SizingMessage message) { return messageTexts.at(static_cast<std::size_t>(message)); }

}  // namespace

std::string_view sizingMessageCode(SizingMessage message) { return messageText(message).code; }

std::string_view sizingMessageText(SizingMessage message) { return messageText(message).text; }

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
    const double x = (static_cast<double>(material.maxSpeed) * mmRpmPerMetrePerSecond) / (n * sizingPi);
    const std::optional<float> maxDiameter = storeSingle(roundToTenth(x));
    if (!maxDiameter) {
        figures.stop = SizingStop::DiameterOutOfRange;
        return figures;
    }
    figures.maxDiameter = *maxDiameter;

    // The product of pressure F/(d·L) and sliding speed may not exceed [pv] ...
    const std::optional<float> pvLength
        = storeSingle((F * n * sizingPi) / (static_cast<double>(material.maxPV) * mmRpmPerMetrePerSecond));
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

}  // namespace bearing
