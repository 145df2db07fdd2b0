#pragma once

// The figures of a calculation as every face hands them to scripts and spreadsheets: one
// row a field, its machine name (CSV, JSON, the web page), its heading with the unit (the
// workbook), and its value, none where the calculation has none (every field of a case
// that stopped at a fault).

#include <cstdint>
#include <string_view>
#include <variant>

namespace bearing {

enum class ResultKind : std::uint8_t { Number, Code, Flag };
using ResultValue = std::variant<std::monostate, double, bool, std::string_view>;

template <class Result> struct ResultField {
    std::string_view name;
    std::string_view heading;
    ResultKind kind = ResultKind::Number;
    ResultValue (*value)(const Result& result) = nullptr;
};

}  // namespace bearing
