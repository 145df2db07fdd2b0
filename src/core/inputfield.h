#pragma once

// How a calculation reads the texts it is given, one field at a time, as the design check
// and the oil film both do: each field has its own three faults, and each fault one row of
// a table (a code that never changes and a Russian message) in the order of its enum.

#include "designcheck.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace bearing {

struct FaultText {
    std::string_view code;
    std::string_view message;
};

// The finite numbers a field takes.
enum class FieldRange : std::uint8_t { Any, NotNegative, Positive };

// A field's faults, of the calculation's own fault enum.
template <typename Fault> struct FieldFaults {
    Fault notANumber;
    Fault outsideRange;  // a finite number outside `range`
    Fault outOfRange;    // beyond what a double holds
    FieldRange range = FieldRange::Positive;
};

// Reads `text` as readCheckNumber() does into `value` and gives Fault::None, or gives the
// field's fault and leaves `value` alone.
template <typename Fault>
[[nodiscard]] Fault readField(std::string_view text, const FieldFaults<Fault>& faults, double& value)
{
    const std::optional<double> number = readCheckNumber(text);
    if (!number) {
        return faults.notANumber;
    }
    if (!std::isfinite(*number)) {
        return faults.outOfRange;
    }
    const bool inRange
        = faults.range == FieldRange::Any || (faults.range == FieldRange::Positive ? *number > 0 : *number >= 0);
    if (!inRange) {
        return faults.outsideRange;
    }
    // "-0" where no negative number is taken is zero: a smooth surface, not a negative one.
    value = faults.range == FieldRange::NotNegative && *number == 0 ? 0.0 : *number;
    return Fault::None;
}

}  // namespace bearing
