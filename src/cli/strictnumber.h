#pragma once

#include "messagecodes.h"
#include "sizingcase.h"

#include <string_view>

namespace bearing::cli {

// Whether `text` is a number written out in full, as --strict asks: a sign, digits with
// at most one point among or after them, an exponent (E or D, as the window reads them),
// and nothing else, not even a blank. The window reads more leniently: "abc" as 0, "1,5"
// as 1, "5 000" as 5000.
[[nodiscard]] bool isWholeNumber(std::string_view text);

// The first of the case's number texts that is not a whole number, as a problem naming
// its field; none when all are.
[[nodiscard]] CaseProblem strictProblem(const CaseTexts& texts);

}  // namespace bearing::cli
