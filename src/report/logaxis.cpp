#include "logaxis.h"

#include "numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace bearing {

namespace {

// Far enough from the double range's ends that every tick value is a normal number.
constexpr int lowestExponent = -300;
constexpr int highestExponent = 300;
// Space kept between the outermost value and the end of the axis, in decades.
constexpr double endMargin = 0.2;

std::string superscript(int number)
{
    static constexpr std::array<std::string_view, 10> digits{"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text = number < 0 ? "⁻" : "";
    const std::string plain = std::to_string(number < 0 ? -number : number);
    for (const char c : plain) {
        text += digits.at(static_cast<std::size_t>(c - '0'));
    }
    return text;
}

int floorMod(int value, int step) { return ((value % step) + step) % step; }

}  // namespace

// The double nearest to mantissa·10^exponent, read from its decimal form: the same on
// every platform, where std::pow(10.0, n) differs between C libraries in the last bit
// (10^23, 10^29, 10^34), and with it the charts' bytes.
double decadeValue(int mantissa, int exponent)
{
    return parseNumber(std::to_string(mantissa) + "e" + std::to_string(exponent));
}

std::string tickLabel(int mantissa, int exponent, std::string_view decimalSeparator)
{
    if (exponent >= 0 && exponent <= 4) {
        return std::to_string(mantissa) + std::string(static_cast<std::size_t>(exponent), '0');
    }
    if (exponent < 0 && exponent >= -3) {
        return "0" + std::string(decimalSeparator) + std::string(static_cast<std::size_t>(-exponent - 1), '0')
            + std::to_string(mantissa);
    }
    return (mantissa == 1 ? std::string() : std::to_string(mantissa) + "·") + "10" + superscript(exponent);
}

LogAxis::LogAxis(std::span<const double> values, double pixelStart, double pixelEnd)
    : pixelStart_(pixelStart)
    , pixelEnd_(pixelEnd)
{
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (const double value : values) {
        if (std::isfinite(value) && value > 0) {
            lowest = std::min(lowest, std::log10(value));
            highest = std::max(highest, std::log10(value));
        }
    }
    if (lowest <= highest) {
        lowExponent_ = std::clamp(static_cast<int>(std::floor(lowest - endMargin)), lowestExponent, highestExponent);
        highExponent_ = std::clamp(static_cast<int>(std::ceil(highest + endMargin)), lowestExponent, highestExponent);
    }
    if (highExponent_ - lowExponent_ < 2) {
        // Widen on both sides alike, so that a single value sits in the middle.
        --lowExponent_;
        highExponent_ = lowExponent_ + 2;
    }
    low_ = decadeValue(1, lowExponent_);
    high_ = decadeValue(1, highExponent_);
}

double LogAxis::pixel(double value) const
{
    if (!(value > 0)) {
        return pixelStart_;
    }
    const double position = (std::log10(value) - lowExponent_) / (highExponent_ - lowExponent_);
    return pixelStart_ + position * (pixelEnd_ - pixelStart_);
}

std::vector<AxisTick> LogAxis::ticks(int maxLabels, std::string_view decimalSeparator) const
{
    const int span = highExponent_ - lowExponent_;
    std::vector<AxisTick> ticks;
    if (3 * span + 1 <= maxLabels) {
        for (int exponent = lowExponent_; exponent <= highExponent_; ++exponent) {
            for (int mantissa = 1; mantissa <= (exponent == highExponent_ ? 1 : 9); ++mantissa) {
                const bool labelled = mantissa == 1 || mantissa == 2 || mantissa == 5;
                ticks.push_back({.value = decadeValue(mantissa, exponent),
                    .labelled = labelled,
                    .label = labelled ? tickLabel(mantissa, exponent, decimalSeparator) : std::string()});
            }
        }
        return ticks;
    }
    int step = 1;
    while (span / step + 1 > std::max(maxLabels, 2)) {
        ++step;
    }
    // Minor steps within each decade only while there is room for them.
    const bool minorSteps = span <= 6;
    for (int exponent = lowExponent_; exponent <= highExponent_; ++exponent) {
        const bool labelled = floorMod(exponent, step) == 0;
        ticks.push_back({.value = decadeValue(1, exponent),
            .labelled = labelled,
            .label = labelled ? tickLabel(1, exponent, decimalSeparator) : std::string()});
        if (minorSteps && exponent < highExponent_) {
            for (int mantissa = 2; mantissa <= 9; ++mantissa) {
                ticks.push_back({.value = decadeValue(mantissa, exponent), .labelled = false, .label = {}});
            }
        }
    }
    return ticks;
}

}  // namespace bearing
