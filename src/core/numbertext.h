#pragma once

#include <array>
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

// The writings of the check, the charts and the report, which have no window twin; each
// puts `decimalSeparator` in place of the point and depends on no C locale.
// The shortest decimal that reads back as the same double ("14.970059880239521").
[[nodiscard]] std::string formatShortest(double value, std::string_view decimalSeparator);
// Room for the shortest form of a double or a single, for writing it without a string.
using ShortestText = std::array<char, 48>;
// The same with a point, at the start of `out`, for a field written row after row;
// returns the text's end.
char* writeShortest(ShortestText& out, double value);
// The shortest decimal that reads back as the same single, laid out as std::to_chars
// lays it out (with a point or an exponent, whichever is shorter, the point on a tie:
// "0.15", "1e+05", "1.5e-07"), at the start of `out`; a few times faster than
// std::to_chars. Returns the text's end.
char* writeShortestSingle(ShortestText& out, float value);
// The same into `text`, whose memory is kept.
void assignShortestSingle(std::string& text, float value);
// The decimal a single stands for: its shortest text, read as a double, so that 0.15F is
// 0.15 and not 0.1500000059604645 (a spreadsheet's cell, a JSON number).
[[nodiscard]] double shortestDecimal(float value);
// Exactly `decimals` decimals, rounded to nearest ("14.970").
[[nodiscard]] std::string formatFixed(double value, int decimals, std::string_view decimalSeparator);
// Exponent form with `decimals` decimals in the mantissa ("1.235e+20").
[[nodiscard]] std::string formatScientific(double value, int decimals, std::string_view decimalSeparator);

// A strict decimal reading: digits with at most one point, an optional exponent, nothing
// else. Empty when `text` is not such a number; an infinity (of the text's sign) when its
// value lies beyond the double range, too large or too small but not zero.
[[nodiscard]] std::optional<double> parseStrictDecimal(std::string_view text);

}  // namespace bearing
