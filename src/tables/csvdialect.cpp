#include "csvdialect.h"

#include "numbertext.h"

#include <algorithm>

namespace bearing {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view noBreakSpace = "\xC2\xA0";            // U+00A0
constexpr std::string_view narrowNoBreakSpace = "\xE2\x80\xAF";  // U+202F

char otherSeparator(char separator) { return separator == ';' ? ',' : ';'; }

// The bytes of a space that groups digits at `at` of `text`; 0 for none.
std::size_t groupingSpaceAt(std::string_view text, std::size_t at)
{
    const std::string_view rest = text.substr(std::min(at, text.size()));
    for (const std::string_view space : {std::string_view(" "), noBreakSpace, narrowNoBreakSpace}) {
        if (rest.starts_with(space)) {
            return space.size();
        }
    }
    return 0;
}

std::size_t digitsFrom(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    return end - at;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number as a spreadsheet reads one: a sign, digits with at most one decimal point or
// comma, an exponent ("-5", "+1,5", "-2e-3").
bool isPlainNumber(std::string_view text)
{
    std::size_t at = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool digits = false;
    bool mark = false;
    for (; at < text.size(); ++at) {
        if (isDigit(text[at])) {
            digits = true;
        } else if ((text[at] == '.' || text[at] == ',') && !mark) {
            mark = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        at += at + 1 < text.size() && (text[at + 1] == '-' || text[at + 1] == '+') ? 2 : 1;
        if (at == text.size()) {
            return false;
        }
        while (at < text.size() && isDigit(text[at])) {
            ++at;
        }
    }
    return at == text.size();
}

// A text that a spreadsheet would take for a formula: it starts as one ("=", "+", "-",
// "@") or with a blank a spreadsheet drops before it (tab, CR), and it is no number.
bool readsAsFormula(std::string_view text)
{
    return !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos
        && !isPlainNumber(text);
}

}  // namespace

std::optional<CsvDialect> csvDialectNamed(std::string_view name)
{
    if (name == "international") {
        return internationalCsv;
    }
    if (name == "ru") {
        return russianCsv;
    }
    return std::nullopt;
}

CsvFields::CsvFields(std::string& out, const CsvDialect& dialect)
    : out_(out)
    , dialect_(dialect)
{
    // A comma is quoted in either dialect: a spreadsheet may split at it beside a semicolon.
    for (const char c : {dialect.separator, ',', '"', '\r', '\n'}) {
        quoted_.at(static_cast<unsigned char>(c)) = true;
    }
}

void CsvFields::start()
{
    if (dialect_.byteOrderMark) {
        out_ += byteOrderMark;
    }
}

void CsvFields::separate()
{
    if (lineStarted_) {
        out_ += dialect_.separator;
    }
    lineStarted_ = true;
}

void CsvFields::text(std::string_view field)
{
    separate();
    // A text that a spreadsheet would run as a formula gets the apostrophe that makes a
    // spreadsheet's cell a text, inside quotes, as spreadsheets document it.
    const bool formula = readsAsFormula(field);
    const bool quoting = formula
        || std::any_of(field.begin(), field.end(), [this](char c) { return quoted_[static_cast<unsigned char>(c)]; });
    if (!quoting) {
        out_ += field;
        return;
    }
    out_ += formula ? "\"'" : "\"";
    for (const char c : field) {
        if (c == '"') {
            out_ += '"';
        }
        out_ += c;
    }
    out_ += '"';
}

void CsvFields::number(std::string_view number)
{
    separate();
    // A decimal comma is quoted: a spreadsheet that splits at commas as well as at
    // semicolons, as LibreOffice does until told otherwise, then still reads one number.
    const bool quoting = dialect_.decimalMark == ',' && number.find('.') != std::string_view::npos;
    if (quoting) {
        out_ += '"';
    }
    const std::size_t start = out_.size();
    out_ += number;
    if (dialect_.decimalMark != '.') {
        std::replace(out_.begin() + static_cast<std::ptrdiff_t>(start), out_.end(), '.', dialect_.decimalMark);
    }
    if (quoting) {
        out_ += '"';
    }
}

void CsvFields::value(FieldKind kind, const FieldValue& value)
{
    if (const auto* given = std::get_if<std::string_view>(&value)) {
        if (kind == FieldKind::Number || kind == FieldKind::Integer) {
            number(*given);
        } else {
            text(*given);
        }
    } else if (const auto* single = std::get_if<float>(&value)) {
        ShortestText shortest{};
        number({shortest.data(), writeShortestSingle(shortest, *single)});
    } else if (const auto* decimal = std::get_if<double>(&value)) {
        ShortestText shortest{};
        number({shortest.data(), writeShortest(shortest, *decimal)});
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        text(*flag ? "true" : "false");
    } else {
        text({});
    }
}

void CsvFields::end()
{
    out_ += "\r\n";
    lineStarted_ = false;
}

SeparatorFound separatorOfHeader(std::string_view header)
{
    bool quoted = false;
    std::size_t semicolons = 0;
    std::size_t commas = 0;
    bool lineWhole = false;
    for (const char c : header) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            lineWhole = true;
            break;
        } else if (!quoted) {
            semicolons += c == ';' ? 1 : 0;
            commas += c == ',' ? 1 : 0;
        }
    }
    if (semicolons > 0 && commas > 0) {
        return {.separator = ',',
            .problem = "в заголовке пакета есть и «;», и «,»: разделитель не ясен, задайте его параметром --separator",
            .lineWhole = lineWhole};
    }
    return {.separator = semicolons > 0 ? ';' : ',', .problem = std::nullopt, .lineWhole = lineWhole};
}

std::optional<std::string> mixedSeparators(const CsvRecord& record, char separator, std::size_t headerFields)
{
    if (record.fieldCount == headerFields || record.fieldCount > record.fields.size()) {
        return std::nullopt;
    }
    // The line split at the other separator instead: as many fields as that one occurs, plus one.
    const char other = otherSeparator(separator);
    std::size_t splitOtherWay = 1;
    for (const std::string& field : record.fields) {
        splitOtherWay += static_cast<std::size_t>(std::count(field.begin(), field.end(), other));
    }
    if (splitOtherWay != headerFields) {
        return std::nullopt;
    }
    return "поля разделены «" + std::string(1, other) + "», а в заголовке — «" + std::string(1, separator)
        + "»: в пакете один разделитель";
}

char decimalMarkOf(char separator) { return separator == ';' ? russianCsv.decimalMark : internationalCsv.decimalMark; }

std::string_view numberField(std::string_view field, char decimalMark, std::string& buffer, NoBreakSpaces noBreak)
{
    if (decimalMark == '.') {
        return field;
    }
    // The integer part starts after blanks and a sign.
    std::size_t start = std::min(field.find_first_not_of(" \t"), field.size());
    start += start < field.size() && (field[start] == '+' || field[start] == '-') ? 1 : 0;
    // Its digits in groups of three after the first, all of them or none: "1 500 5" and
    // "15 00" are no grouping, and their spaces stay.
    const std::size_t lead = digitsFrom(field, start);
    std::size_t end = start + lead;
    std::size_t groups = 0;
    while (lead > 0 && lead <= 3) {
        const std::size_t space = groupingSpaceAt(field, end);
        if (space == 0 || digitsFrom(field, end + space) != 3) {
            break;
        }
        end += space + 3;
        ++groups;
    }
    if (const std::size_t space = groupingSpaceAt(field, end); space > 0 && digitsFrom(field, end + space) > 0) {
        groups = 0;
    }
    const bool anywhere = noBreak == NoBreakSpaces::Anywhere
        && (field.find(noBreakSpace) != std::string_view::npos
            || field.find(narrowNoBreakSpace) != std::string_view::npos);
    if (groups == 0 && !anywhere && field.find(decimalMark) == std::string_view::npos) {
        return field;
    }
    buffer.clear();
    for (std::size_t at = 0; at < field.size();) {
        const bool grouping = groups > 0 && at >= start && at < end;
        if (const std::size_t space = grouping || anywhere ? groupingSpaceAt(field, at) : 0;
            space > 0 && (grouping || field[at] != ' ')) {
            at += space;
            continue;
        }
        buffer += field[at] == decimalMark ? '.' : field[at];
        ++at;
    }
    return buffer;
}

}  // namespace bearing
