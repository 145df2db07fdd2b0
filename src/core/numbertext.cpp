#include "numbertext.h"

#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
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

// The non-negative integer that hexadecimal `digits` spell, rounded to the nearest double
// (ties to even) once, from all its bits; beyond the double range it is infinite.
double hexIntegerValue(std::string_view digits)
{
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) {
        return 0.0;
    }
    // 257 digits and more pass 2^1024 whatever they are.
    constexpr std::size_t digitsBeyondRange = 257;
    if (digits.size() >= digitsBeyondRange) {
        return std::numeric_limits<double>::infinity();
    }
    // The leading 60 bits or fewer make the candidate; every bit after them only says
    // whether the value lies above a tie.
    constexpr std::size_t leadingDigits = 15;
    const std::size_t taken = std::min(digits.size(), leadingDigits);
    std::uint64_t leading = 0;
    for (std::size_t i = 0; i < taken; ++i) {
        leading = leading << 4U | static_cast<std::uint64_t>(hexDigitValue(digits[i]));
    }
    const bool sticky = digits.find_first_not_of('0', taken) != std::string_view::npos;
    const auto droppedBits = static_cast<int>(4 * (digits.size() - taken));

    // Keep the top 53 significant bits of `leading`, round on the rest and the sticky bit.
    const int width = static_cast<int>(std::bit_width(leading));
    constexpr int mantissaBits = std::numeric_limits<double>::digits;
    if (width <= mantissaBits && !sticky) {
        return std::ldexp(static_cast<double>(leading), droppedBits);
    }
    const int shift = width - mantissaBits;
    std::uint64_t mantissa = leading >> static_cast<unsigned>(shift);
    const std::uint64_t rest = leading & ((std::uint64_t{1} << static_cast<unsigned>(shift)) - 1);
    const std::uint64_t half = std::uint64_t{1} << static_cast<unsigned>(shift - 1);
    if (rest > half || (rest == half && (sticky || (mantissa & 1U) != 0))) {
        ++mantissa;  // a carry to 2^53 is still exact in a double
    }
    return std::ldexp(static_cast<double>(mantissa), shift + droppedBits);
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
    return hexIntegerValue(hexDigits);
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
    // Beyond the double range the library gives an infinity, below it a zero.
    double value = 0.0;
    fast_float::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
}

// The rules of %G for a value whose shortest round-trip form has at most `digits`
// significant digits. Those digits are then the value rounded to `digits` digits: the
// value lies within half a unit in its last binary place of them, far less than half a
// unit in the last of 15 decimal places. Shortest forms cost a fraction of rounding to a
// precision, and the shown results (rounded to 0.1 mm) all have short forms.
std::optional<std::string> generalFormOfShortest(double value, int digits)
{
    // The library writes the shortest form either with a point ("0.00012", "1000000") or
    // with an exponent ("1.5e+20"); its significant digits and the decimal exponent of the
    // first are the same either way.
    std::array<char, 32> buffer{};
    const auto result = fmt::format_to_n(buffer.data(), buffer.size(), "{}", value);
    std::string_view shortest(buffer.data(), std::min(result.size, buffer.size()));
    const bool negative = shortest.starts_with('-');
    shortest.remove_prefix(negative ? 1 : 0);
    const std::size_t e = std::min(shortest.find('e'), shortest.size());
    int exponent = 0;
    if (e < shortest.size()) {
        std::from_chars(shortest.data() + e + 2, shortest.data() + shortest.size(), exponent);
        exponent = shortest[e + 1] == '-' ? -exponent : exponent;
    }
    const std::string_view written = shortest.substr(0, e);
    const std::size_t point = std::min(written.find('.'), written.size());
    std::string mantissa(written.substr(0, point));
    mantissa.append(written.substr(std::min(point + 1, written.size())));
    exponent += static_cast<int>(point) - 1;
    const std::size_t leadingZeros = mantissa.find_first_not_of('0');
    if (leadingZeros == std::string::npos) {
        mantissa = "0";
        exponent = 0;
    } else {
        mantissa.erase(0, leadingZeros);
        exponent -= static_cast<int>(leadingZeros);
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
    }
    if (mantissa.size() > static_cast<std::size_t>(digits)) {
        return std::nullopt;
    }

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
    const auto written = fmt::format_to_n(buffer.data(), buffer.size(), "{:.{}G}", value, digits);
    std::string text(buffer.data(), std::min(written.size, buffer.size()));
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

namespace {

std::string withSeparator(std::string text, std::string_view decimalSeparator)
{
    if (const auto dot = text.find('.'); dot != std::string::npos) {
        text.replace(dot, 1, decimalSeparator);
    }
    return text;
}

}  // namespace

std::string formatShortest(double value, std::string_view decimalSeparator)
{
    return withSeparator(fmt::format("{}", value), decimalSeparator);
}

char* writeShortest(ShortestText& out, double value)
{
    // Any double's shortest form fits, at most 24 characters ("-2.2250738585072014e-308"):
    // written straight into the buffer, which is much faster than a bounded write.
    return fmt::format_to(out.data(), FMT_COMPILE("{}"), value);
}

void assignShortestSingle(std::string& text, float value)
{
    // Written into a buffer and assigned at once: appending piece by piece to the string
    // costs more than finding the digits.
    ShortestText buffer{};
    text.assign(buffer.data(), writeShortestSingle(buffer, value));
}

char* writeShortestSingle(ShortestText& out, float value)
{
    char* const start = out.data();
    // As std::to_chars writes them, which not every standard library has for a single.
    if (value == 0 || !std::isfinite(value)) {
        const std::string_view magnitude = value == 0 ? "0" : (std::isinf(value) ? "inf" : "nan");
        char* at = start;
        if (std::signbit(value)) {
            *at++ = '-';
        }
        return std::copy(magnitude.begin(), magnitude.end(), at);
    }
    // The shortest digits from the library's Dragonbox, the algorithm its own "{}" uses
    // (significand × 10^exponent, no trailing zeros); the layout is std::to_chars's. The
    // library's own writing of them would cost as much as std::to_chars.
    const auto decimal = fmt::detail::dragonbox::to_decimal(std::fabs(value));
    std::array<char, 16> digits{};
    const char* const digitsEnd = std::to_chars(digits.data(), digits.data() + digits.size(), decimal.significand).ptr;
    const auto n = static_cast<int>(digitsEnd - digits.data());
    const int first = decimal.exponent + n - 1;  // the decimal exponent of the first digit
    // A single's exponent has at most two digits, and the layout writes at least two.
    const int scientific = n + (n > 1 ? 1 : 0) + 4;
    const int fixed = first >= 0 ? std::max(n, first + 1) + (n > first + 1 ? 1 : 0) : 1 - first + n;
    char* at = start;
    if (value < 0) {
        *at++ = '-';
    }
    const auto put = [&at](const char* from, int count) { at = std::copy_n(from, count, at); };
    if (fixed > scientific) {
        *at++ = digits[0];
        if (n > 1) {
            *at++ = '.';
            put(digits.data() + 1, n - 1);
        }
        const int magnitude = std::abs(first);
        put(first < 0 ? "e-" : "e+", 2);
        *at++ = static_cast<char>('0' + magnitude / 10);
        *at++ = static_cast<char>('0' + magnitude % 10);
    } else if (first < 0) {
        put("0.", 2);
        at = std::fill_n(at, -first - 1, '0');
        put(digits.data(), n);
    } else if (n <= first + 1) {
        // A whole number: of the texts as short, the one nearest the single is its exact
        // value ("211143475200", not "211143480000"), which fits 64 bits here (a point
        // beats an exponent only below 10^14).
        at = std::to_chars(at, start + out.size(), static_cast<std::uint64_t>(std::fabs(value))).ptr;
    } else {
        put(digits.data(), first + 1);
        *at++ = '.';
        put(digits.data() + first + 1, n - first - 1);
    }
    return at;
}

double shortestDecimal(float value)
{
    if (!std::isfinite(value)) {
        return value;
    }
    ShortestText text{};
    const char* const end = writeShortestSingle(text, value);
    double decimal = value;
    fast_float::from_chars(text.data(), end, decimal);
    return decimal;
}

std::string formatFixed(double value, int decimals, std::string_view decimalSeparator)
{
    return withSeparator(fmt::format("{:.{}f}", value, decimals), decimalSeparator);
}

std::string formatScientific(double value, int decimals, std::string_view decimalSeparator)
{
    return withSeparator(fmt::format("{:.{}e}", value, decimals), decimalSeparator);
}

std::optional<double> parseStrictDecimal(std::string_view text)
{
    std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
    const std::size_t mantissaStart = i;
    bool digits = false;
    bool point = false;
    bool nonZero = false;
    for (; i < text.size(); ++i) {
        if (isDecimalDigit(text[i])) {
            digits = true;
            nonZero = nonZero || text[i] != '0';
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const std::size_t exponentStart = i;
        while (i < text.size() && isDecimalDigit(text[i])) {
            ++i;
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    // fast_float takes no '+' before the number; the sign goes back on afterwards.
    const bool negative = text[0] == '-';
    const std::string_view unsigned_ = text.substr(mantissaStart);
    double value = 0;
    const auto result = fast_float::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value);
    if (result.ptr != unsigned_.data() + unsigned_.size()) {
        return std::nullopt;
    }
    // Past the double range the library gives an infinity above it and a zero below it.
    if (value == 0 && nonZero) {
        value = std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

}  // namespace bearing
