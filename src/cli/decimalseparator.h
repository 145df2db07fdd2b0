#pragma once

#include <string>
#include <string_view>

namespace bearing::cli {

// The locale name that decides how numbers are written, taken as the windows take it:
// LC_ALL, else LC_NUMERIC, else LANG, else "C" (the first one set and not empty).
[[nodiscard]] std::string numericLocaleName(const char* lcAll, const char* lcNumeric, const char* lang);

// The decimal separator of a locale name such as "ru_RU.UTF-8" ("," there), from the
// Unicode CLDR data that the windows' toolkit also writes numbers by; "." for "C",
// "POSIX" and any name the data does not know. The separator is a whole UTF-8 sequence.
[[nodiscard]] std::string decimalSeparatorOf(std::string_view localeName);

// decimalSeparatorOf(numericLocaleName(...)) for this process's environment.
[[nodiscard]] std::string decimalSeparatorFromEnvironment();

}  // namespace bearing::cli
