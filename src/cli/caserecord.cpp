#include "caserecord.h"

#include "numbertext.h"
#include "terminaltext.h"

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

template <auto Member> FieldValue materialField(const MaterialFields& fields)
{
    return std::string_view(fields.*Member);
}

template <auto Member> FieldValue caseField(const CaseRecord& record) { return std::string_view(record.*Member); }

template <auto Member> FieldValue fieldOfMaterial(const CaseRecord& record)
{
    return record.material != nullptr ? std::string_view(record.material->*Member) : std::string_view();
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

constexpr std::array materialTable{
    Column<MaterialFields>{"row", FieldKind::Integer, materialField<&MaterialFields::row>},
    Column<MaterialFields>{"name", FieldKind::Optional, materialField<&MaterialFields::name>},
    Column<MaterialFields>{"group", FieldKind::Optional, materialField<&MaterialFields::group>},
    Column<MaterialFields>{"max_pressure", FieldKind::Number, materialField<&MaterialFields::maxPressure>},
    Column<MaterialFields>{"max_speed", FieldKind::Number, materialField<&MaterialFields::maxSpeed>},
    Column<MaterialFields>{"max_pv", FieldKind::Number, materialField<&MaterialFields::maxPV>},
    Column<MaterialFields>{"max_temperature", FieldKind::Integer, materialField<&MaterialFields::maxTemperature>},
};

// A material column of the case: the same name and kind, read through the chosen material.
template <std::size_t... I> constexpr auto caseMaterialColumns(std::index_sequence<I...> /*columns*/)
{
    constexpr std::array members{&MaterialFields::row, &MaterialFields::name, &MaterialFields::group,
        &MaterialFields::maxPressure, &MaterialFields::maxSpeed, &MaterialFields::maxPV,
        &MaterialFields::maxTemperature};
    static_assert(members.size() == materialTable.size());
    return std::array{
        Column<CaseRecord>{materialTable.at(I).name, materialTable.at(I).kind, fieldOfMaterial<members.at(I)>}...};
}

FieldValue lengthText(const CaseRecord& record)
{
    return record.texts->length ? std::string_view(*record.texts->length) : std::string_view();
}

bool lengthGiven(const CaseRecord& record) { return record.texts->length.has_value(); }

template <std::size_t... Sizes> constexpr auto joined(const std::array<Column<CaseRecord>, Sizes>&... parts)
{
    std::array<Column<CaseRecord>, (Sizes + ...)> all{};
    auto next = all.begin();
    ((next = std::copy(parts.begin(), parts.end(), next)), ...);
    return all;
}

constexpr std::array caseTable = joined(
    std::array{
        Column<CaseRecord>{"material", FieldKind::Text,
            [](const CaseRecord& r) -> FieldValue { return std::string_view(r.texts->material); }},
        Column<CaseRecord>{
            "load", FieldKind::Text, [](const CaseRecord& r) -> FieldValue { return std::string_view(r.texts->load); }},
        Column<CaseRecord>{"frequency", FieldKind::Text,
            [](const CaseRecord& r) -> FieldValue { return std::string_view(r.texts->frequency); }},
        Column<CaseRecord>{"length", FieldKind::Text, lengthText, lengthGiven},
    },
    caseMaterialColumns(std::make_index_sequence<materialTable.size()>()),
    std::array{
        Column<CaseRecord>{"max_diameter", FieldKind::Number, caseField<&CaseRecord::maxDiameter>},
        Column<CaseRecord>{"max_diameter_full", FieldKind::Number, figure<&SizingFigures::maxDiameter>},
        Column<CaseRecord>{"min_length", FieldKind::Number, caseField<&CaseRecord::minLength>},
        Column<CaseRecord>{"min_length_full", FieldKind::Number, minLengthFull},
        Column<CaseRecord>{"pv_length", FieldKind::Number, figure<&SizingFigures::pvLength>},
        Column<CaseRecord>{"pressure_length", FieldKind::Number, pressureLength},
        Column<CaseRecord>{"min_area", FieldKind::Number, figure<&SizingFigures::minArea>},
        Column<CaseRecord>{
            "length_limit", FieldKind::Optional, [](const CaseRecord& r) -> FieldValue { return r.lengthLimit(); }},
        Column<CaseRecord>{"min_diameter", FieldKind::Number, caseField<&CaseRecord::minDiameter>},
        Column<CaseRecord>{"min_diameter_full", FieldKind::Number, minDiameterFull},
        Column<CaseRecord>{"length_below_minimum", FieldKind::Flag, lengthBelowMinimum},
        Column<CaseRecord>{"message", FieldKind::Optional, caseField<&CaseRecord::message>},
        Column<CaseRecord>{"code", FieldKind::Optional, caseField<&CaseRecord::code>},
    });

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
