#include "numberform.h"

#include <algorithm>
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

enum class ZeroBeforePoint { Kept, Dropped };

// The unsigned part of a number with `separator` as its decimal separator.
bool isUnsignedNumber(std::string_view text, std::string_view separator, ZeroBeforePoint zero, int maxDigits)
{
    const std::string_view integer = takeDigits(text);
    std::string_view fraction;
    if (!separator.empty() && text.starts_with(separator)) {
        text.remove_prefix(separator.size());
        fraction = takeDigits(text);
        if (fraction.empty() || fraction.back() == '0') {
            return false;  // no separator without digits after it, no trailing zeros
        }
    }
    const bool exponentForm = !text.empty();
    if (exponentForm && (!isExponent(text) || integer.size() != 1 || integer == "0")) {
        return false;
    }
    if (zero == ZeroBeforePoint::Dropped && !fraction.empty()) {
        if (integer == "0") {
            return false;
        }
        if (integer.empty()) {
            return static_cast<int>(fraction.size() - fraction.find_first_not_of('0')) <= maxDigits;
        }
    }
    if (integer.empty() || (integer.size() > 1 && integer.front() == '0')) {
        return false;
    }
    // Significant digits: all of them but the zeros before the first other digit.
    const std::size_t integerZeros = integer == "0" ? 1 : 0;
    const std::size_t fractionZeros = integerZeros == 1 ? fraction.find_first_not_of('0') : 0;
    const std::size_t significant = integer.size() - integerZeros + fraction.size()
        - (fractionZeros == std::string_view::npos ? fraction.size() : fractionZeros);
    return static_cast<int>(std::max<std::size_t>(significant, 1)) <= maxDigits;
}

}  // namespace

bool isResultLineNumber(std::string_view text, int maxDigits)
{
    if (text.empty() || (text.front() != ' ' && text.front() != '-')) {
        return false;
    }
    return isUnsignedNumber(text.substr(1), ".", ZeroBeforePoint::Dropped, maxDigits);
}

bool isBareNumber(std::string_view text, std::string_view separator, int maxDigits)
{
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    return isUnsignedNumber(text, separator, ZeroBeforePoint::Kept, maxDigits);
}

bool mentionsNonNumber(std::string_view text)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const auto contains = [&](std::string_view word) {
        return std::search(text.begin(), text.end(), word.begin(), word.end(), [&](char a, char b) {
            return lower(a) == b;
        }) != text.end();
    };
    return contains("nan") || contains("inf");
}

}  // namespace bearing::check
