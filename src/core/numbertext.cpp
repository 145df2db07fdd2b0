#include "numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace bearing {

namespace {

constexpr int singleDigits = 7;
constexpr int doubleDigits = 15;

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigitValue(char c)
{
    if (isDecimalDigit(c)) {
        return c - '0';
    }
    const char lower = static_cast<char>(c | 0x20);
    if (lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

// Blanks, tabs and line feeds do not count anywhere in a typed number: "1 500" is 1500.
std::string withoutBlanks(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            kept.push_back(c);
        }
    }
    return kept;
}

// from_chars reports a result beyond the double range without telling which way it
// went; the decimal exponent of the leading digit does. `mantissa` holds digits and at
// most one point, with at least one non-zero digit.
double outOfRangeValue(std::string_view mantissa, long long exponent)
{
    const auto point = mantissa.find('.');
    const auto integerDigits = static_cast<long long>(point == std::string_view::npos ? mantissa.size() : point);
    const auto firstNonZero = static_cast<long long>(mantissa.find_first_not_of("0."));
    const long long leadingPosition
        = firstNonZero < integerDigits ? integerDigits - firstNonZero - 1 : integerDigits - firstNonZero;
    return leadingPosition + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

// "&H1F", "&O17": a non-negative integer, rounded to the nearest double once, at the end.
double parseRadixInteger(std::string_view digits, int radix)
{
    std::string hexDigits;
    if (radix == 16) {
        const auto* const end = std::find_if(digits.begin(), digits.end(), [](char c) { return hexDigitValue(c) < 0; });
        hexDigits.assign(digits.begin(), end);
    } else {
        // Three bits an octal digit, regrouped into four bits a hexadecimal digit.
        std::string bits;
        for (const char c : digits) {
            if (c < '0' || c > '7') {
                break;
            }
            for (int shift = 2; shift >= 0; --shift) {
                bits.push_back(static_cast<char>('0' + (((c - '0') >> shift) & 1)));
            }
        }
        bits.insert(0, (4 - bits.size() % 4) % 4, '0');
        for (std::size_t i = 0; i < bits.size(); i += 4) {
            const int nibble
                = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 + (bits[i + 3] - '0');
            hexDigits.push_back("0123456789abcdef"[nibble]);
        }
    }
    if (hexDigits.empty()) {
        return 0.0;
    }
    double value = 0.0;
    const auto [end, error]
        = std::from_chars(hexDigits.data(), hexDigits.data() + hexDigits.size(), value, std::chars_format::hex);
    if (error == std::errc::result_out_of_range) {
        return std::numeric_limits<double>::infinity();
    }
    return value;
}

double parseDecimal(std::string_view text)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t mantissaStart = pos;
    bool anyDigit = false;
    bool pointSeen = false;
    for (; pos < text.size(); ++pos) {
        if (isDecimalDigit(text[pos])) {
            anyDigit = true;
        } else if (text[pos] == '.' && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    const std::string_view mantissa = text.substr(mantissaStart, pos - mantissaStart);

    // The exponent counts only when at least one digit follows its letter and sign.
    std::string_view exponentDigits;
    bool exponentNegative = false;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
        std::size_t e = pos + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
            exponentNegative = text[e] == '-';
            ++e;
        }
        const std::size_t digitsStart = e;
        while (e < text.size() && isDecimalDigit(text[e])) {
            ++e;
        }
        exponentDigits = text.substr(digitsStart, e - digitsStart);
    }

    // The library reads the text as it stands unless its exponent letter is D or d.
    std::string_view number = mantissa;
    std::string normalised;
    if (!exponentDigits.empty()) {
        const char letter = text[pos];
        if (letter == 'E' || letter == 'e') {
            number = text.substr(mantissaStart, static_cast<std::size_t>(exponentDigits.end() - mantissa.begin()));
        } else {
            normalised.append(mantissa).append(exponentNegative ? "e-" : "e").append(exponentDigits);
            number = normalised;
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Saturating: any exponent past a million already decides the direction.
        long long exponent = 0;
        for (const char c : exponentDigits) {
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        }
        value = outOfRangeValue(mantissa, exponentNegative ? -exponent : exponent);
    }
    return negative ? -value : value;
}

// The rules of %G for a value whose shortest round-trip form has at most `digits`
// significant digits. Those digits are then the value rounded to `digits` digits: the
// value lies within half a unit in its last binary place of them, far less than half a
// unit in the last of 15 decimal places. Shortest forms cost a fraction of rounding to a
// precision, and the shown results (rounded to 0.1 mm) all have short forms.
std::optional<std::string> generalFormOfShortest(double value, int digits)
{
    std::array<char, 32> buffer{};
    const auto [end, error]
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    if (error != std::errc{}) {
        return std::nullopt;
    }
    std::string_view scientific(buffer.data(), static_cast<std::size_t>(end - buffer.data()));  // "-d.ddde+XX"
    const bool negative = scientific.starts_with('-');
    scientific.remove_prefix(negative ? 1 : 0);
    const std::size_t e = scientific.find('e');
    std::string mantissa(1, scientific.front());
    if (e > 1) {
        mantissa.append(scientific.substr(2, e - 2));
    }
    if (mantissa.size() > static_cast<std::size_t>(digits)) {
        return std::nullopt;
    }
    int exponent = 0;
    std::from_chars(scientific.data() + e + 2, scientific.data() + scientific.size(), exponent);
    exponent = scientific[e + 1] == '-' ? -exponent : exponent;

    std::string text = negative ? "-" : "";
    if (exponent < -4 || exponent >= digits) {
        text += mantissa.front();
        if (mantissa.size() > 1) {
            text.append(".").append(mantissa, 1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        text.append(magnitude.size() < 2 ? 2 - magnitude.size() : 0, '0').append(magnitude);
    } else if (exponent >= 0) {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        mantissa.append(integerDigits > mantissa.size() ? integerDigits - mantissa.size() : 0, '0');
        text.append(mantissa, 0, integerDigits);
        if (mantissa.size() > integerDigits) {
            text.append(".").append(mantissa, integerDigits);
        }
    } else {
        text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(mantissa);
    }
    return text;
}

// Every shown length and diameter is a whole number of tenths. When `value` is the
// nearest double or, with 7 digits, the nearest single to such a number k/10 below these
// bounds, that decimal is `value` rounded to `digits` digits: the value lies closer to it
// than half a unit in its last decimal place (a single's unit in the last place stays
// below a unit in the 7th digit up to 1e5), and it has no exponent form. Writing k/10
// directly costs a fraction of the library's conversions, which run on every row of a batch.
constexpr double tenthsBelowForDouble = 1e15;
constexpr double tenthsBelowForSingle = 1e6;

std::optional<std::string> tenthsForm(double value, int digits)
{
    const double tenths = std::round(value * 10.0);
    const bool single = digits == singleDigits;
    if (!(std::fabs(tenths) < (single ? tenthsBelowForSingle : tenthsBelowForDouble))) {
        return std::nullopt;
    }
    const double nearest = tenths / 10.0;
    if (single ? static_cast<double>(static_cast<float>(nearest)) != value : nearest != value) {
        return std::nullopt;
    }
    const auto count = static_cast<long long>(std::fabs(tenths));
    std::array<char, 24> buffer{};
    char* end = buffer.data();
    if (tenths < 0) {
        *end++ = '-';
    }
    end = std::to_chars(end, buffer.data() + buffer.size(), count / 10).ptr;
    if (count % 10 != 0) {
        *end++ = '.';
        *end++ = static_cast<char>('0' + count % 10);
    }
    return std::string(buffer.data(), end);
}

// The shortest general form with at most `digits` significant digits (the rules of %G),
// with the exponent letter in upper case.
std::string generalForm(double value, int digits)
{
    if (value == 0.0) {
        value = 0.0;  // a negative zero is written as 0
    }
    if (std::optional<std::string> text = tenthsForm(value, digits)) {
        return *std::move(text);
    }
    // A single's value read as a double seldom has a short form, and a subnormal double's
    // last binary place is too coarse for the reasoning above: both go the long way.
    if (digits == doubleDigits && (value == 0.0 || std::fabs(value) >= std::numeric_limits<double>::min())) {
        if (std::optional<std::string> text = generalFormOfShortest(value, digits)) {
            return *std::move(text);
        }
    }
    std::array<char, 64> buffer{};
    const auto [end, error]
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, digits);
    std::string text(buffer.data(), error == std::errc{} ? end : buffer.data());
    if (const auto e = text.find('e'); e != std::string::npos) {
        text[e] = 'E';
    }
    return text;
}

std::string resultLineForm(double value, int digits)
{
    std::string text = generalForm(value, digits);
    const std::size_t zero = text.front() == '-' ? 1 : 0;
    if (text.compare(zero, 2, "0.") == 0) {
        text.erase(zero, 1);
    }
    if (text.front() != '-') {
        text.insert(0, 1, ' ');
    }
    return text;
}

std::string localeForm(double value, int digits, std::string_view decimalSeparator)
{
    std::string text = generalForm(value, digits);
    if (const auto point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, decimalSeparator);
    }
    return text;
}

}  // namespace

double parseNumber(std::string_view text)
{
    // Most texts hold no blank and are read where they stand.
    std::string kept;
    std::string_view number = text;
    if (std::any_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n'; })) {
        kept = withoutBlanks(text);
        number = kept;
    }
    if (number.size() >= 2 && number[0] == '&') {
        const char kind = static_cast<char>(number[1] | 0x20);
        if (kind == 'h') {
            return parseRadixInteger(number.substr(2), 16);
        }
        if (kind == 'o') {
            return parseRadixInteger(number.substr(2), 8);
        }
        return 0.0;
    }
    return parseDecimal(number);
}

std::optional<float> storeSingle(double value)
{
    // Half a unit in the last place above the largest single: from here on a double
    // rounds to infinity. NaN fails the comparison too.
    constexpr double firstBeyondSingle = 0x1.ffffffp+127;
    if (!(std::fabs(value) < firstBeyondSingle)) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

std::string formatResultLineNumber(float value) { return resultLineForm(static_cast<double>(value), singleDigits); }

std::string formatResultLineNumber(double value) { return resultLineForm(value, doubleDigits); }

std::string formatTextBoxNumber(float value, std::string_view decimalSeparator)
{
    return localeForm(static_cast<double>(value), singleDigits, decimalSeparator);
}

std::string formatTextBoxNumber(double value, std::string_view decimalSeparator)
{
    return localeForm(value, doubleDigits, decimalSeparator);
}

std::string formatTextBoxNumber(std::int16_t value) { return std::to_string(value); }

}  // namespace bearing
