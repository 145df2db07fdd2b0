#pragma once

// A logarithmic chart axis: a range of whole decades fitted around the values a chart
// must show, a mapping from values to pixels, and ticks that stay readable whether the
// range spans one decade or twenty.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

struct AxisTick {
    double value = 0;
    bool labelled = false;  // a labelled tick gets a grid line and a number
    std::string label;      // empty on an unlabelled tick
};

class LogAxis {
public:
    // Whole decades around the positive finite `values` (others are ignored), with at
    // least a fifth of a decade between a value and the end of the axis, and at least
    // two decades in all. With no usable value: 1 to 100.
    LogAxis(std::span<const double> values, double pixelStart, double pixelEnd);

    [[nodiscard]] double low() const { return low_; }
    [[nodiscard]] double high() const { return high_; }
    // Where a value lies; values outside the range lie outside the pixel range. A value
    // that is not positive maps to the low end.
    [[nodiscard]] double pixel(double value) const;
    // Up to `maxLabels` labelled ticks: every decade, every second or fifth decade and so
    // on on a long axis, 1-2-5 within a short one; the other decade steps unlabelled.
    [[nodiscard]] std::vector<AxisTick> ticks(int maxLabels, std::string_view decimalSeparator) const;

private:
    int lowExponent_ = 0;
    int highExponent_ = 2;
    double low_ = 1;
    double high_ = 100;
    double pixelStart_ = 0;
    double pixelEnd_ = 1;
};

// m·10^k for a tick: exact for k ≥ 0, correctly rounded for k < 0 (0.05 is the double
// nearest 0.05, not 5 × 0.01).
[[nodiscard]] double decadeValue(int mantissa, int exponent);

// A tick's number: plain decimals from 0.001 to 10000 ("0,05", "2000"), powers of ten
// beyond that ("10⁻⁶", "5·10⁸").
[[nodiscard]] std::string tickLabel(int mantissa, int exponent, std::string_view decimalSeparator);

}  // namespace bearing
