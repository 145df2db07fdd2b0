#pragma once

#include "catalogue.h"
#include "fieldcolumn.h"
#include "messagecodes.h"
#include "numbertext.h"
#include "resultfield.h"
#include "sizingcase.h"
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

// A calculation's result (resultfield.h) as a field's value; a number that is not finite
// (a margin over no roughness is infinite) is none.
inline FieldValue fieldValue(const ResultValue& value)
{
    if (const auto* number = std::get_if<double>(&value)) {
        return std::isfinite(*number) ? FieldValue(*number) : FieldValue();
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    if (const auto* code = std::get_if<std::string_view>(&value)) {
        return *code;
    }
    return {};
}

// What a case of every job holds for its writers: a batch's own columns, the inputs, the
// material, the messages. `Texts` are the job's inputs.
template <class Texts> struct JobRecord {
    std::span<const std::string> carried;  // a batch's own columns, as given
    // Their names, from the batch's header.
    std::span<const std::string> carriedNames;
    const Texts* texts = nullptr;              // the inputs, as given
    const Texts* read = nullptr;               // the same as the calculation read them; none: as given
    int row = -1;                              // the chosen catalogue row, -1 for none
    const MaterialFields* material = nullptr;  // its fields
    std::vector<std::string> messages;         // in order, line breaks as LF
    std::string message;                       // the messages, a line each
    std::string code;                          // their codes, separated by blanks

    [[nodiscard]] bool endedInMessage() const { return !messages.empty(); }

    // Adds a message and its code to the list, the one text and the codes.
    void addMessage(std::string_view text, std::string_view messageCode)
    {
        messages.push_back(withLineFeeds(text));
        message += (message.empty() ? "" : "\n") + messages.back();
        code.append(code.empty() ? "" : " ").append(messageCode);
    }

    void clearMessages()
    {
        messages.clear();
        message.clear();
        code.clear();
    }
};

// One sizing as every writer reads it: its numbers as the window showed them in machine
// form (a point, no leading blank, a zero before the point) and the figures behind them,
// each empty where absent.
struct CaseRecord : JobRecord<CaseTexts> {
    // Where the runner puts what the window showed: kept with the case, as cases of a batch
    // are run in turn, or side by side, before they are written.
    CaseOutcome evaluated;
    bool ran = false;  // whether the window ran the case: `evaluated` holds it

    // What the window showed; none when nothing ran.
    [[nodiscard]] const CaseOutcome* outcome() const { return ran ? &evaluated : nullptr; }

    std::string maxDiameter;  // as the window shows it
    std::string minLength;    // as shown, rounded to 0.1 mm
    std::string minDiameter;  // for the length, as shown
    // The sizing's figures, when the case reached them.
    [[nodiscard]] const SizingFigures* figures() const
    {
        return ran && evaluated.figures ? &*evaluated.figures : nullptr;
    }
    // The diameter for the length, when one was given and the case reached it.
    [[nodiscard]] const DiameterForLength* forLength() const
    {
        return ran && evaluated.forLength ? &*evaluated.forLength : nullptr;
    }
    // "pv" or "p": the limit that sets the smallest length; empty without figures.
    [[nodiscard]] std::string_view lengthLimit() const
    {
        const SizingFigures* sizing = figures();
        return sizing == nullptr ? "" : (sizing->pressureGoverns ? "p" : "pv");
    }
};

// Fills the result fields of `record` from what the press returned into its `evaluated`
// (`ran`), or from the command line's own problem when no calculation ran. The strings
// keep their memory from case to case.
void fillResults(CaseRecord& record, bool ran, const CaseProblem& problem);

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

// The value of the field `Field` of `Fields` (checkFields, filmFields) in a record's
// calculation; none before it reached its figures.
template <const auto& Fields, std::size_t Field, class Record> FieldValue resultOf(const Record& record)
{
    const auto* result = record.figures();
    return result != nullptr ? fieldValue(Fields.at(Field).value(*result)) : FieldValue();
}

// A material's fields, in --list-materials and within every case.
[[nodiscard]] std::span<const Column<MaterialFields>> materialColumns();
// The fields of every case, in this order: the inputs as given, the material, the
// results, the messages. A batch's own columns come before them.
[[nodiscard]] std::span<const Column<CaseRecord>> caseColumns();

}  // namespace bearing::cli
