#include "csvdialect.h"

#include <algorithm>

namespace bearing::cli {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view noBreakSpace = "\xC2\xA0";            // U+00A0
constexpr std::string_view narrowNoBreakSpace = "\xE2\x80\xAF";  // U+202F

char otherSeparator(char separator) { return separator == ';' ? ',' : ';'; }

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
    for (const char c : header) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            break;
        } else if (!quoted) {
            semicolons += c == ';' ? 1 : 0;
            commas += c == ',' ? 1 : 0;
        }
    }
    if (semicolons > 0 && commas > 0) {
        return {.separator = ',',
            .problem = "в заголовке пакета есть и «;», и «,»: разделитель не ясен, задайте его параметром --separator"};
    }
    return {.separator = semicolons > 0 ? ';' : ',', .problem = std::nullopt};
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

std::string_view numberField(std::string_view field, char decimalMark, std::string& buffer)
{
    if (decimalMark == '.') {
        return field;
    }
    const bool grouped = field.find(noBreakSpace) != std::string_view::npos
        || field.find(narrowNoBreakSpace) != std::string_view::npos;
    if (field.find(decimalMark) == std::string_view::npos && !grouped) {
        return field;
    }
    buffer.clear();
    for (std::size_t at = 0; at < field.size();) {
        if (field.substr(at).starts_with(noBreakSpace)) {
            at += noBreakSpace.size();
        } else if (field.substr(at).starts_with(narrowNoBreakSpace)) {
            at += narrowNoBreakSpace.size();
        } else {
            buffer += field[at] == decimalMark ? '.' : field[at];
            ++at;
        }
    }
    return buffer;
}

}  // namespace bearing::cli
