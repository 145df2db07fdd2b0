#include "workbooktable.h"

#include "numbertext.h"

#include <charconv>
#include <optional>

namespace bearing {

namespace {

// A number in machine form as a cell's number; none when the text is not one.
std::optional<double> numberOfText(std::string_view text)
{
    double value = 0;
    if (text.empty() || std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

SheetCell sheetCell(FieldKind kind, const FieldValue& value, std::string_view (*shown)(std::string_view))
{
    if (const auto* single = std::get_if<float>(&value)) {
        return shortestDecimal(*single);
    }
    if (const auto* decimal = std::get_if<double>(&value)) {
        return *decimal;
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? "да" : "нет";
    }
    const auto* given = std::get_if<std::string_view>(&value);
    const std::string_view text = given == nullptr ? std::string_view() : shown != nullptr ? shown(*given) : *given;
    if (text.empty()) {
        return {};
    }
    switch (kind) {
    case FieldKind::Number:
    case FieldKind::Integer: {
        const std::optional<double> number = numberOfText(text);
        return number ? SheetCell(*number) : SheetCell(text);
    }
    case FieldKind::Flag: return text == "true" ? "да" : "нет";
    case FieldKind::Text:
    case FieldKind::Optional: break;
    }
    return text;
}

}  // namespace bearing
