#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every number the user types and every number the program shows passes through
// these conversions. The program works with three numeric kinds: single (float),
// double and short integer (std::int16_t); the overload chosen names the kind.

namespace bearing {

// Reads the longest number at the start of `text`. Blanks, tabs and line feeds are
// dropped wherever they stand; only '.' is a decimal point; E, e, D or d opens an
// exponent; "&H" and "&O" open hexadecimal and octal integers. Text holding no
// number reads as 0. A magnitude beyond the double range reads as an infinity,
// which storeSingle() then refuses.
[[nodiscard]] double parseNumber(std::string_view text);

// Rounds a double to the nearest single, as storing into a single does. Empty when
// the value is not finite or lies beyond the largest single.
[[nodiscard]] std::optional<float> storeSingle(double value);

// A result-line number: one leading blank unless negative, always '.', no zero before
// the point ("0.4" is " .4"), 7 significant digits for a single and 15 for a double,
// exponent form ("1E+20") for very large or very small magnitudes.
[[nodiscard]] std::string formatResultLineNumber(float value);
[[nodiscard]] std::string formatResultLineNumber(double value);

// A bare number for a text box or list: no leading blank, the user's decimal
// separator, the zero before it kept ("0,15"); a short integer as plain digits.
[[nodiscard]] std::string formatTextBoxNumber(float value, std::string_view decimalSeparator);
[[nodiscard]] std::string formatTextBoxNumber(double value, std::string_view decimalSeparator);
[[nodiscard]] std::string formatTextBoxNumber(std::int16_t value);

}  // namespace bearing
