#pragma once

#include <string>
#include <string_view>

namespace bearing::cli {

// A stable name for every message where the command line ran no calculation, beside
// its Russian text, for the scripts that read CSV and JSON. The calculations' own codes
// come from the core (sizingMessageCode(), checkFaultCode()); docs/command-line.md lists
// them all.
namespace codes {
inline constexpr std::string_view unknownMaterial = "unknown_material";
inline constexpr std::string_view ambiguousMaterial = "ambiguous_material";
inline constexpr std::string_view materialOfOtherGroup = "material_of_other_group";
inline constexpr std::string_view unknownGroup = "unknown_group";
inline constexpr std::string_view fieldCount = "field_count";
inline constexpr std::string_view mixedSeparators = "mixed_separators";
inline constexpr std::string_view unclosedQuote = "unclosed_quote";
inline constexpr std::string_view fieldTooLong = "field_too_long";
inline constexpr std::string_view notANumber = "not_a_number";
}  // namespace codes

// Why the command line ran no calculation for a case.
struct CaseProblem {
    std::string_view code;  // empty: there is none
    std::string text;

    [[nodiscard]] bool empty() const { return code.empty(); }
};

}  // namespace bearing::cli
