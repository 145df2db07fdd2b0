#include "numberform.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace bearing::check {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view takeDigits(std::string_view& text)
{
    const auto* const end = std::find_if(text.begin(), text.end(), [](char c) { return !isDigit(c); });
    const auto count = static_cast<std::size_t>(end - text.begin());
    const std::string_view digits = text.substr(0, count);
    text.remove_prefix(count);
    return digits;
}

// "E+05", "E-123": a sign and at least two digits, with no zero padding beyond two.
bool isExponent(std::string_view text)
{
    if (text.size() < 4 || text[0] != 'E' || (text[1] != '+' && text[1] != '-')) {
        return false;
    }
    text.remove_prefix(2);
    const std::string_view digits = takeDigits(text);
    return text.empty() && digits.size() >= 2 && (digits.size() == 2 || digits[0] != '0');
}

// The unsigned part of a number whose decimal separator has already been replaced by
// '.', with the zero before the point present for magnitudes below 1.
bool isUnsignedNumber(std::string_view text, int maxDigits)
{
    const std::string_view integer = takeDigits(text);
    std::string_view fraction;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        fraction = takeDigits(text);
        if (fraction.empty() || fraction.back() == '0') {
            return false;  // no point without digits after it, no trailing zeros
        }
    }
    if (integer.empty() || (integer.size() > 1 && integer.front() == '0')) {
        return false;
    }
    const bool exponentForm = !text.empty();
    if (exponentForm && (!isExponent(text) || integer.size() != 1 || integer == "0")) {
        return false;
    }
    std::string digits = std::string(integer).append(fraction);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    return static_cast<int>(digits.size()) <= maxDigits;
}

}  // namespace

bool isResultLineNumber(std::string_view text, int maxDigits)
{
    if (text.empty() || (text.front() != ' ' && text.front() != '-')) {
        return false;
    }
    text.remove_prefix(1);
    if (text.starts_with("0.")) {
        return false;  // a result line drops the zero before the point
    }
    std::string number(text);
    if (number.starts_with('.')) {
        number.insert(0, 1, '0');
    }
    return isUnsignedNumber(number, maxDigits);
}

bool isBareNumber(std::string_view text, std::string_view separator, int maxDigits)
{
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    std::string number(text);
    if (number.find('.') != std::string::npos && separator != ".") {
        return false;
    }
    if (const auto at = number.find(separator); !separator.empty() && at != std::string::npos) {
        number.replace(at, separator.size(), ".");
    }
    return isUnsignedNumber(number, maxDigits);
}

bool mentionsNonNumber(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

}  // namespace bearing::check
