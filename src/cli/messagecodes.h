#pragma once

#include <string>
#include <string_view>

namespace bearing::cli {

// A stable name for every message a case can end in, beside its Russian text, for the
// scripts that read CSV and JSON: the list in docs/command-line.md is this one.
namespace codes {
// The calculations' own messages.
inline constexpr std::string_view chooseMaterial = "choose_material";
inline constexpr std::string_view loadOrFrequencyMissing = "load_or_frequency_missing";
inline constexpr std::string_view zeroDiameter = "zero_diameter";
inline constexpr std::string_view lengthBelowMinimum = "length_below_minimum";
inline constexpr std::string_view loadOverflow = "load_overflow";
inline constexpr std::string_view frequencyOverflow = "frequency_overflow";
inline constexpr std::string_view lengthOverflow = "length_overflow";
inline constexpr std::string_view resultOverflow = "result_overflow";
// The command line's, where no calculation ran.
inline constexpr std::string_view unknownMaterial = "unknown_material";
inline constexpr std::string_view ambiguousMaterial = "ambiguous_material";
inline constexpr std::string_view materialOfOtherGroup = "material_of_other_group";
inline constexpr std::string_view unknownGroup = "unknown_group";
inline constexpr std::string_view fieldCount = "field_count";
inline constexpr std::string_view fieldTooLong = "field_too_long";
inline constexpr std::string_view notANumber = "not_a_number";
}  // namespace codes

// The code of one of the calculations' messages; "message" for a text it does not know.
[[nodiscard]] std::string_view messageCode(std::string_view message);

// Why the command line ran no calculation for a case.
struct CaseProblem {
    std::string_view code;  // empty: there is none
    std::string text;

    [[nodiscard]] bool empty() const { return code.empty(); }
};

}  // namespace bearing::cli
