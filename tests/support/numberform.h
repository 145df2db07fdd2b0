#pragma once

#include <string_view>

// What a well-formed shown number looks like, for the fuzz targets and the storm test.
// Both forms hold at most `maxDigits` significant digits (7 for a single, 15 for a
// double), drop trailing zeros after the separator, and switch to an exponent form
// such as "1.5E+20" (at least two exponent digits) for very large or small magnitudes.

namespace bearing::check {

// A result-line number: a blank or '-' first, '.' as the point, and no zero before the
// point: " 636.6", " .4", " 0", "-2", " 1E+20".
[[nodiscard]] bool isResultLineNumber(std::string_view text, int maxDigits);

// A bare number: no blank, `separator` as the decimal separator, the zero before it kept:
// "16,7", "0,15", "-3", "1,5E-07".
[[nodiscard]] bool isBareNumber(std::string_view text, std::string_view separator, int maxDigits);

// Whether the text holds "nan" or "inf" in any case, the way a broken conversion shows
// a value that is not a number.
[[nodiscard]] bool mentionsNonNumber(std::string_view text);

}  // namespace bearing::check
