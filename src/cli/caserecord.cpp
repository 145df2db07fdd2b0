#include "caserecord.h"

#include <algorithm>
#include <array>
#include <utility>

namespace bearing::cli {

namespace {

// A number as the press showed it, in the form programs read: no leading blank, a point,
// a zero before it (" .4" and "0,4" are both "0.4"). The numbers as shown hold at most a
// sign, digits, one separator and an exponent.
void assignMachineForm(std::string& number, std::string_view shown)
{
    shown.remove_prefix(shown.starts_with(' ') ? 1 : 0);
    const auto plain = [](char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'E' || c == 'e'; };
    const auto* const separator = std::find_if_not(shown.begin(), shown.end(), plain);
    number.assign(shown.begin(), separator);
    if (separator == shown.end()) {
        return;
    }
    if (number.empty() || number == "-") {
        number += '0';
    }
    number += '.';
    number.append(std::find_if(separator, shown.end(), plain), shown.end());
}

void fillShownNumbers(CaseRecord& record, const CaseOutcome& outcome)
{
    if (!outcome.numbers.maxDiameter.empty()) {
        assignMachineForm(record.maxDiameter, outcome.numbers.maxDiameter);
    }
    if (!outcome.numbers.minLength.empty()) {
        assignMachineForm(record.minLength, outcome.numbers.minLength);
    }
    if (outcome.forLength && outcome.forLength->check == LengthCheck::Accepted) {
        assignMachineForm(record.minDiameter, outcome.numbers.minDiameter);
    }
}

// A figure of the sizing, when the case reached its figures.
template <float SizingFigures::*Figure> FieldValue figure(const CaseRecord& record)
{
    const SizingFigures* figures = record.figures();
    return figures != nullptr ? FieldValue(figures->*Figure) : FieldValue();
}

// The length [p] requires at the largest diameter, which needs a diameter.
FieldValue pressureLength(const CaseRecord& record)
{
    const SizingFigures* figures = record.figures();
    return figures != nullptr && figures->maxDiameter > 0 ? FieldValue(figures->pressureLength) : FieldValue();
}

// The smallest length unrounded: the one of the two that governs.
FieldValue minLengthFull(const CaseRecord& record)
{
    const SizingFigures* figures = record.figures();
    if (figures == nullptr) {
        return {};
    }
    return figures->pressureGoverns ? pressureLength(record) : FieldValue(figures->pvLength);
}

FieldValue minDiameterFull(const CaseRecord& record)
{
    const DiameterForLength* forLength = record.forLength();
    return forLength != nullptr && forLength->check == LengthCheck::Accepted ? FieldValue(forLength->diameter)
                                                                             : FieldValue();
}

FieldValue lengthBelowMinimum(const CaseRecord& record)
{
    const DiameterForLength* forLength = record.forLength();
    return forLength != nullptr ? FieldValue(forLength->check == LengthCheck::BelowMinimum) : FieldValue();
}

template <std::string MaterialFields::*Text> FieldValue materialText(const MaterialFields& fields)
{
    return std::string_view(fields.*Text);
}

// A material's fields as --list-materials writes them.
template <std::size_t... Field> constexpr auto makeMaterialTable(std::index_sequence<Field...> /*fields*/)
{
    using columns::materialFields;
    return std::array{Column<MaterialFields>{
        materialFields[Field].name, materialFields[Field].kind, materialText<materialFields[Field].text>}...};
}

constexpr auto materialTable = makeMaterialTable(std::make_index_sequence<columns::materialFields.size()>());

constexpr std::array caseTable = columns::joined(
    std::array{
        columns::input<CaseRecord, &CaseTexts::material>("material"),
        columns::input<CaseRecord, &CaseTexts::load>("load"),
        columns::input<CaseRecord, &CaseTexts::frequency>("frequency"),
        columns::optionalInput<CaseRecord, &CaseTexts::length>("length"),
    },
    columns::material<CaseRecord>(),
    std::array{
        Column<CaseRecord>{"max_diameter", FieldKind::Number, columns::ofRecord<&CaseRecord::maxDiameter, CaseRecord>},
        Column<CaseRecord>{"max_diameter_full", FieldKind::Number, figure<&SizingFigures::maxDiameter>},
        Column<CaseRecord>{"min_length", FieldKind::Number, columns::ofRecord<&CaseRecord::minLength, CaseRecord>},
        Column<CaseRecord>{"min_length_full", FieldKind::Number, minLengthFull},
        Column<CaseRecord>{"pv_length", FieldKind::Number, figure<&SizingFigures::pvLength>},
        Column<CaseRecord>{"pressure_length", FieldKind::Number, pressureLength},
        Column<CaseRecord>{"min_area", FieldKind::Number, figure<&SizingFigures::minArea>},
        Column<CaseRecord>{
            "length_limit", FieldKind::Optional, [](const CaseRecord& r) -> FieldValue { return r.lengthLimit(); }},
        Column<CaseRecord>{"min_diameter", FieldKind::Number, columns::ofRecord<&CaseRecord::minDiameter, CaseRecord>},
        Column<CaseRecord>{"min_diameter_full", FieldKind::Number, minDiameterFull},
        Column<CaseRecord>{"length_below_minimum", FieldKind::Flag, lengthBelowMinimum},
    },
    columns::messages<CaseRecord>());

}  // namespace

void fillResults(CaseRecord& record, bool ran, const CaseProblem& problem)
{
    record.ran = ran;
    for (std::string* field : {&record.maxDiameter, &record.minLength, &record.minDiameter}) {
        field->clear();
    }
    record.clearMessages();
    if (ran) {
        fillShownNumbers(record, record.evaluated);
        for (const ShownEvent& event : record.evaluated.events) {
            if (event.kind == ShownEvent::Kind::Message) {
                record.addMessage(event.text, sizingMessageCode(event.message));
            }
        }
    }
    if (!problem.empty()) {
        record.addMessage(problem.text, problem.code);
    }
}

std::span<const Column<MaterialFields>> materialColumns() { return materialTable; }

std::span<const Column<CaseRecord>> caseColumns() { return caseTable; }

}  // namespace bearing::cli
