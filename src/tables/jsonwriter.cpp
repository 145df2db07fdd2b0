#include "jsonwriter.h"

#include "numbertext.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace bearing {

namespace {

nlohmann::ordered_json jsonOfText(FieldKind kind, std::string_view value)
{
    if (value.empty() && kind != FieldKind::Text) {
        return nullptr;
    }
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Optional: return std::string(value);
    case FieldKind::Flag: return value == "true";
    case FieldKind::Integer: {
        std::int64_t number = 0;
        std::from_chars(value.data(), value.data() + value.size(), number);
        return number;
    }
    case FieldKind::Number: {
        // The text has at most 15 significant digits, so the double's shortest form,
        // which the library writes, is this text again.
        double number = 0;
        std::from_chars(value.data(), value.data() + value.size(), number);
        return number;
    }
    }
    return nullptr;
}

}  // namespace

nlohmann::ordered_json jsonValue(FieldKind kind, const FieldValue& value)
{
    if (const auto* text = std::get_if<std::string_view>(&value)) {
        return jsonOfText(kind, *text);
    }
    if (const auto* single = std::get_if<float>(&value)) {
        return shortestDecimal(*single);
    }
    if (const auto* decimal = std::get_if<double>(&value)) {
        return *decimal;
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    return kind == FieldKind::Text ? nlohmann::ordered_json("") : nlohmann::ordered_json(nullptr);
}

std::string jsonText(const nlohmann::ordered_json& value, int indent)
{
    return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace bearing
