// Fuzzes the number conversions. Any text reads without fault and never as NaN; every
// finite value, read from the text or taken from the input's raw bits, is written in
// the documented forms and reads back as itself to the digits written.

#include "fuzzcheck.h"
#include "numberform.h"
#include "numbertext.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using bearing::check::isBareNumber;
using bearing::check::isResultLineNumber;
using bearing::check::require;

constexpr int singleDigits = 7;
constexpr int doubleDigits = 15;

void checkSingle(float value)
{
    const std::string line = bearing::formatResultLineNumber(value);
    require(isResultLineNumber(line, singleDigits), "formatResultLineNumber(single) is a result-line number", line);
    const std::string point = bearing::formatTextBoxNumber(value, ".");
    const std::string comma = bearing::formatTextBoxNumber(value, ",");
    require(isBareNumber(point, ".", singleDigits), "formatTextBoxNumber(single, '.') is a bare number", point);
    require(isBareNumber(comma, ",", singleDigits), "formatTextBoxNumber(single, ',') is a bare number", comma);

    // Seven digits do not always pick the same single again, but the single nearest to
    // them lies within one unit of the seventh digit.
    const double back = bearing::parseNumber(line);
    const std::optional<float> stored = bearing::storeSingle(back);
    require(stored.has_value(), "a written single reads back within the single range", line);
    const double error = std::fabs(static_cast<double>(*stored) - static_cast<double>(value));
    require(error <= std::fabs(static_cast<double>(value)) * 1e-6, "a written single reads back to 7 digits", line);
    require(bearing::parseNumber(point) == back, "both forms of a single read as the same number", point);
}

void checkDouble(double value)
{
    const std::string line = bearing::formatResultLineNumber(value);
    require(isResultLineNumber(line, doubleDigits), "formatResultLineNumber(double) is a result-line number", line);
    const std::string comma = bearing::formatTextBoxNumber(value, ",");
    require(isBareNumber(comma, ",", doubleDigits), "formatTextBoxNumber(double, ',') is a bare number", comma);

    // Fifteen digits always survive the way through a double and back, except where
    // rounding to them passes the largest double ("1.79769313486232E+308").
    const double back = bearing::parseNumber(line);
    if (std::isinf(back)) {
        require(
            std::fabs(value) > 1.79769313486231e308, "only a written double near the largest reads as infinite", line);
        return;
    }
    require(bearing::formatResultLineNumber(back) == line, "a written double reads back to 15 digits", line);
    require(bearing::parseNumber(bearing::formatTextBoxNumber(value, ".")) == back,
        "both forms of a double read as the same number", line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // libFuzzer hands over bytes; the conversions read them as UTF-8 text.
    const std::string_view text(reinterpret_cast<const char*>(data), size);  // NOLINT(*-reinterpret-cast)

    const double value = bearing::parseNumber(text);
    require(!std::isnan(value), "parseNumber never gives NaN");
    if (std::isfinite(value)) {
        checkDouble(value);
    }
    const std::optional<float> single = bearing::storeSingle(value);
    if (std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())) {
        require(single.has_value(), "storeSingle keeps every value of the single range");
    }
    if (single) {
        require(std::isfinite(*single) && *single == static_cast<float>(value), "storeSingle rounds to nearest");
        checkSingle(*single);
    }

    if (size >= sizeof(double)) {
        double bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        if (std::isfinite(bits)) {
            checkDouble(bits);
        }
    }
    if (size >= sizeof(float)) {
        float bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        if (std::isfinite(bits)) {
            checkSingle(bits);
        }
    }
    return 0;
}
