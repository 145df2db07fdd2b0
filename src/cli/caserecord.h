#pragma once

#include "bearingcase.h"
#include "catalogue.h"
#include "messagecodes.h"
#include "numbertext.h"
#include "resultfield.h"
#include "terminaltext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace bearing::cli {

// One case as every writer reads it: named fields, the numbers in machine form (a point,
// no leading blank, a zero before the point), each empty where absent.
struct CaseRecord {
    std::span<const std::string> carried;  // a batch's own columns, as given
    // Their names, from the batch's header.
    std::span<const std::string> carriedNames;
    const CaseTexts* texts = nullptr;          // the inputs, as given
    const CaseTexts* read = nullptr;           // the same as the calculation read them; none: as given
    int row = -1;                              // the chosen catalogue row, -1 for none
    const MaterialFields* material = nullptr;  // its fields
    const CaseOutcome* outcome = nullptr;      // what the window showed; none when nothing ran
    // Where the runner puts what the window showed: kept with the case, as cases of a batch
    // are run in turn, or side by side, before they are written.
    CaseOutcome evaluated;

    std::string maxDiameter;              // as the window shows it
    std::string maxDiameterFull;          // the same single in full
    std::string minLength;                // as shown, rounded to 0.1 mm
    std::string minLengthFull;            // the governing length, unrounded
    std::string pvLength;                 // the length [pv] requires
    std::string pressureLength;           // the length [p] requires at the largest diameter
    std::string minArea;                  // F / [p]
    std::string lengthLimit;              // "pv" or "p": the limit that sets the smallest length
    std::string minDiameter;              // for the length, as shown
    std::string minDiameterFull;          // the same, unrounded
    std::string lengthBelowMinimum;       // "true" or "false" with a length
    std::vector<std::string> messages;    // in order, line breaks as LF
    std::vector<std::string_view> codes;  // a code for each message
    std::string message;                  // the messages, a line each
    std::string code;                     // the codes, separated by blanks

    [[nodiscard]] bool endedInMessage() const { return !messages.empty(); }
};

// Fills the result fields of `record` from what the press returned, or from the command
// line's own problem when no calculation ran. The strings keep their memory from case to
// case.
void fillResults(CaseRecord& record, const CaseOutcome* outcome, const CaseProblem& problem);

// How a field reads in JSON. An empty Optional, Number, Integer or Flag field is null;
// a Text field is a string, as given (null only when its column says it was not given).
enum class FieldKind { Text, Optional, Number, Integer, Flag };

// One output column: its name in CSV and JSON, its kind, and where its value comes from.
template <class Record> struct Column {
    std::string_view name;
    FieldKind kind = FieldKind::Text;
    std::string_view (*value)(const Record&) = nullptr;
    // For an input that may be left out: whether it was given. One not given is null in
    // JSON; one given is its text, even the empty text.
    bool (*given)(const Record&) = nullptr;
};

// Whether one of `columns` is named `name`.
template <class Record> [[nodiscard]] bool hasColumn(std::span<const Column<Record>> columns, std::string_view name)
{
    return std::ranges::any_of(columns, [name](const Column<Record>& column) { return column.name == name; });
}

// How a calculation's result field (resultfield.h) reads in CSV and JSON: a code as an
// optional text.
constexpr FieldKind fieldKind(ResultKind kind)
{
    switch (kind) {
    case ResultKind::Number: return FieldKind::Number;
    case ResultKind::Code: return FieldKind::Optional;
    case ResultKind::Flag: return FieldKind::Flag;
    }
    return FieldKind::Text;
}

// The figures of `result` in machine form, a text each of `fields` (the shortest that
// reads back as the same double, "true" or "false", a code), empty where the field has
// none or the number is not finite (a margin over no roughness is infinite).
template <class Result, std::size_t N>
void assignResults(
    const std::array<ResultField<Result>, N>& fields, const Result& result, std::array<std::string, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i) {
        std::string& text = texts.at(i);
        text.clear();
        const ResultValue value = fields.at(i).value(result);
        if (const auto* number = std::get_if<double>(&value); number != nullptr && std::isfinite(*number)) {
            assignShortest(text, *number);
        } else if (const auto* flag = std::get_if<bool>(&value)) {
            text = *flag ? "true" : "false";
        } else if (const auto* code = std::get_if<std::string_view>(&value)) {
            text = *code;
        }
    }
}

// Adds a message and its code to a record's list, its one text and its codes.
template <class Record> void addMessage(Record& record, std::string_view text, std::string_view code)
{
    record.messages.push_back(withLineFeeds(text));
    record.message += (record.message.empty() ? "" : "\n") + record.messages.back();
    record.code.append(record.code.empty() ? "" : " ").append(code);
}

// A material's fields, in --list-materials and within every case.
[[nodiscard]] std::span<const Column<MaterialFields>> materialColumns();
// The fields of every case, in this order: the inputs as given, the material, the
// results, the messages. A batch's own columns come before them.
[[nodiscard]] std::span<const Column<CaseRecord>> caseColumns();

}  // namespace bearing::cli
