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
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
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

    // Starts the case of `given` in the row `chosen` of `catalogue` (-1: in none).
    void start(const Texts& given, int chosen = -1, const Catalogue* catalogue = nullptr)
    {
        texts = &given;
        read = nullptr;
        row = chosen;
        material = chosen >= 0 ? &catalogue->fields(chosen) : nullptr;
    }

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

// The columns every job's table is made of, for a Record of a JobRecord.
namespace columns {

template <auto Text, class Record> FieldValue givenText(const Record& record)
{
    return std::string_view(record.texts->*Text);
}

template <auto Text, class Record> FieldValue givenOptional(const Record& record)
{
    const std::optional<std::string>& text = record.texts->*Text;
    return text ? std::string_view(*text) : std::string_view();
}

template <auto Text, class Record> bool isGiven(const Record& record) { return (record.texts->*Text).has_value(); }

template <auto Member, class Record> FieldValue ofMaterial(const Record& record)
{
    return record.material != nullptr ? std::string_view(record.material->*Member) : std::string_view();
}

template <auto Member, class Record> FieldValue ofRecord(const Record& record)
{
    return std::string_view(record.*Member);
}

// The value of the field `Field` of `Fields` (checkFields, filmFields) in a record's
// calculation; none before it reached its figures.
template <const auto& Fields, std::size_t Field, class Record> FieldValue resultOf(const Record& record)
{
    const auto* result = record.figures();
    return result != nullptr ? fieldValue(Fields.at(Field).value(*result)) : FieldValue();
}

// An input as given: `Text` of the record's texts.
template <class Record, auto Text> constexpr Column<Record> input(std::string_view name)
{
    return {name, FieldKind::Text, givenText<Text, Record>};
}

// An input that may be left out: null in JSON when it was, its text (even an empty one)
// when it was given.
template <class Record, auto Text> constexpr Column<Record> optionalInput(std::string_view name)
{
    return {name, FieldKind::Text, givenOptional<Text, Record>, isGiven<Text, Record>};
}

// A material's field: its name, its kind and its text.
struct MaterialField {
    std::string_view name;
    FieldKind kind;
    std::string MaterialFields::*text;
};

inline constexpr std::array<MaterialField, 7> materialFields{{
    {"row", FieldKind::Integer, &MaterialFields::row},
    {"name", FieldKind::Optional, &MaterialFields::name},
    {"group", FieldKind::Optional, &MaterialFields::group},
    {"max_pressure", FieldKind::Number, &MaterialFields::maxPressure},
    {"max_speed", FieldKind::Number, &MaterialFields::maxSpeed},
    {"max_pv", FieldKind::Number, &MaterialFields::maxPV},
    {"max_temperature", FieldKind::Integer, &MaterialFields::maxTemperature},
}};

// The chosen material's fields, empty without one.
template <class Record> constexpr auto material()
{
    return []<std::size_t... Field>(std::index_sequence<Field...> /*fields*/)
    {
        return std::array{Column<Record>{
            materialFields[Field].name, materialFields[Field].kind, ofMaterial<materialFields[Field].text, Record>}...};
    }
    (std::make_index_sequence<materialFields.size()>());
}

// Every field of a calculation's own table (`Fields`: checkFields, filmFields).
template <class Record, const auto& Fields> constexpr auto results()
{
    return []<std::size_t... Field>(std::index_sequence<Field...> /*fields*/)
    {
        return std::array{
            Column<Record>{Fields[Field].name, fieldKind(Fields[Field].kind), resultOf<Fields, Field, Record>}...};
    }
    (std::make_index_sequence<Fields.size()>());
}

// The messages, a line each, and their codes.
template <class Record> constexpr auto messages()
{
    return std::array<Column<Record>, 2>{{
        {"message", FieldKind::Optional, ofRecord<&Record::message, Record>},
        {"code", FieldKind::Optional, ofRecord<&Record::code, Record>},
    }};
}

// The columns of `parts`, in order, as one table.
template <class Record, std::size_t... Sizes> constexpr auto joined(const std::array<Column<Record>, Sizes>&... parts)
{
    std::array<Column<Record>, (Sizes + ...)> all{};
    auto next = all.begin();
    ((next = std::copy(parts.begin(), parts.end(), next)), ...);
    return all;
}

}  // namespace columns

// A material's fields, in --list-materials and within every case.
[[nodiscard]] std::span<const Column<MaterialFields>> materialColumns();
// The fields of every case, in this order: the inputs as given, the material, the
// results, the messages. A batch's own columns come before them.
[[nodiscard]] std::span<const Column<CaseRecord>> caseColumns();

}  // namespace bearing::cli
