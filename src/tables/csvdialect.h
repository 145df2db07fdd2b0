#pragma once

#include "batchreader.h"
#include "fieldcolumn.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bearing {

// A way of writing CSV. The international one is what scripts expect: commas, decimal
// points, no byte-order mark. The Russian one is what a spreadsheet under a Russian
// locale opens without asking anything: a byte-order mark that says UTF-8, semicolons
// between fields, since the comma is the decimal mark there, and decimal commas. Both end
// their lines with CR LF.
struct CsvDialect {
    char separator = ',';
    char decimalMark = '.';
    bool byteOrderMark = false;
};

inline constexpr CsvDialect internationalCsv{};
inline constexpr CsvDialect russianCsv{.separator = ';', .decimalMark = ',', .byteOrderMark = true};

// "international" or "ru", as --csv-dialect names them.
[[nodiscard]] std::optional<CsvDialect> csvDialectNamed(std::string_view name);

// Appends CSV to a caller's buffer, a field at a time: texts quoted where they hold the
// separator, a comma, a quote or a line break, a text that a spreadsheet would run as a
// formula ("=1+1", "@SUM(A1)", "-2+3"; not a number such as "-5") quoted after an
// apostrophe ("'=1+1"), numbers with the dialect's decimal mark (a number
// with a decimal comma in quotes, "636,6", which every spreadsheet still reads as a
// number, also one that splits at commas as well as at semicolons).
class CsvFields {
public:
    CsvFields(std::string& out, const CsvDialect& dialect);

    // The byte-order mark, where the dialect has one; written once, before the header.
    void start();
    void text(std::string_view field);
    // `number` in the program's machine form ("-0.5", "1e+20"); empty for an absent one.
    void number(std::string_view number);
    // A field's value (caserecord.h): a number of any form in its shortest machine form, a
    // flag as "true" or "false", a text as a number when its kind is one; none as empty.
    void value(FieldKind kind, const FieldValue& value);
    // CR LF; the next field starts a line.
    void end();

private:
    void separate();

    std::string& out_;
    CsvDialect dialect_;
    std::array<bool, 256> quoted_{};  // the bytes that put a text in quotes
    bool lineStarted_ = false;
};

// The separator of a batch, read from its header line (the text up to the first line
// break outside quotes): ';' or ','. Empty, with `problem` said in Russian, when the
// header holds both. `lineWhole`: the text holds the header line's end, so that more
// text cannot change the answer.
struct SeparatorFound {
    char separator = ',';
    std::optional<std::string> problem;
    bool lineWhole = false;
};
[[nodiscard]] SeparatorFound separatorOfHeader(std::string_view header);

// A record that was written with the other separator than the header's ("Графит,5000,300"
// in a ';' file): its fields, split the other way, would be as many as the header's.
// The Russian message for it, or none.
[[nodiscard]] std::optional<std::string> mixedSeparators(
    const CsvRecord& record, char separator, std::size_t headerFields);

// The decimal mark of a batch's numbers, by its field separator: a batch separated by
// semicolons is a Russian spreadsheet's and writes decimal commas.
[[nodiscard]] char decimalMarkOf(char separator);

// Which no-break spaces a number field loses: those that group digits, or every one, as
// a sizing, read as the window reads blanks, has always dropped them.
enum class NoBreakSpaces { Grouping, Anywhere };

// A number field of a batch in its dialect, as every job reads it before its own reading
// (the window's for a sizing, the strict one for a check). With a decimal comma, as the
// Russian dialect writes numbers, the comma is the decimal point and the spaces that group
// the digits before it by three (a blank, a no-break U+00A0 or a narrow no-break U+202F:
// "1 500,5", "-10 000") are dropped; any other blank stays where it is, as does any other
// no-break space unless `noBreak` drops them all. With a decimal point the field is read
// as typed, so that "1,5" stays 1 for a sizing as in the window. `buffer` holds a
// rewritten field.
[[nodiscard]] std::string_view numberField(
    std::string_view field, char decimalMark, std::string& buffer, NoBreakSpaces noBreak = NoBreakSpaces::Grouping);

}  // namespace bearing
