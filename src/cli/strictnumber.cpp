#include "strictnumber.h"

#include "terminaltext.h"

#include <array>
#include <cctype>
#include <utility>

namespace bearing::cli {

namespace {

std::size_t digitsFrom(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) != 0) {
        ++end;
    }
    return end - at;
}

std::size_t signFrom(std::string_view text, std::size_t at)
{
    return at < text.size() && (text[at] == '+' || text[at] == '-') ? 1 : 0;
}

}  // namespace

bool isWholeNumber(std::string_view text)
{
    std::size_t at = signFrom(text, 0);
    const std::size_t whole = digitsFrom(text, at);
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && text[at] == '.') {
        fraction = digitsFrom(text, at + 1);
        at += 1 + fraction;
    }
    if (whole + fraction == 0) {
        return false;
    }
    if (at < text.size() && std::string_view("eEdD").find(text[at]) != std::string_view::npos) {
        at += 1 + signFrom(text, at + 1);
        const std::size_t exponent = digitsFrom(text, at);
        if (exponent == 0) {
            return false;
        }
        at += exponent;
    }
    return at == text.size();
}

CaseProblem strictProblem(const CaseTexts& texts)
{
    const std::array<std::pair<std::string_view, const std::string*>, 3> fields{{
        {"load", &texts.load},
        {"frequency", &texts.frequency},
        {"length", texts.length ? &*texts.length : nullptr},
    }};
    for (const auto& [name, text] : fields) {
        if (text != nullptr && !isWholeNumber(*text)) {
            return {codes::notANumber,
                "Поле " + std::string(name) + ": " + echoed(*text)
                    + " — не число целиком; с --strict число пишется цифрами, с точкой, без пробелов"};
        }
    }
    return {};
}

}  // namespace bearing::cli
