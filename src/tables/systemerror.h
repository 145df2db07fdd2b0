#pragma once

#include <string>

namespace bearing {

// The reason behind an errno value, in Russian, as the program's messages say it: the C
// library's own texts follow the locale, which the program does not set.
[[nodiscard]] std::string systemErrorText(int error);

}  // namespace bearing
