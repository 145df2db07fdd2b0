#include "caserecord.h"

#include "numbertext.h"
#include "terminaltext.h"

#include <array>
#include <utility>

namespace bearing::cli {

namespace {

// A number as the press showed it, in the form programs read: no leading blank, a point,
// a zero before it (" .4" and "0,4" are both "0.4"). The numbers as shown hold at most a
// sign, digits, one separator and an exponent.
void assignMachineForm(std::string& number, std::string_view shown)
{
    number.assign(shown.substr(shown.starts_with(' ') ? 1 : 0));
    if (const auto at = number.find_first_not_of("+-0123456789Ee"); at != std::string::npos) {
        const std::size_t end = number.find_first_of("+-0123456789Ee", at);
        number.replace(at, (end == std::string::npos ? number.size() : end) - at, ".");
    }
    const std::size_t sign = number.starts_with('-') ? 1 : 0;
    if (number.compare(sign, 1, ".") == 0) {
        number.insert(sign, 1, '0');
    }
}

void fillFigures(CaseRecord& record, const CaseOutcome& outcome)
{
    if (!outcome.numbers.maxDiameter.empty()) {
        assignMachineForm(record.maxDiameter, outcome.numbers.maxDiameter);
    }
    if (!outcome.numbers.minLength.empty()) {
        assignMachineForm(record.minLength, outcome.numbers.minLength);
    }
    if (const std::optional<SizingFigures>& figures = outcome.figures) {
        assignShortestSingle(record.maxDiameterFull, figures->maxDiameter);
        assignShortestSingle(record.pvLength, figures->pvLength);
        if (figures->maxDiameter > 0) {
            assignShortestSingle(record.pressureLength, figures->pressureLength);
        }
        // The minimum length is one of the two, the one that governs (which the pressure
        // length never does without a diameter).
        record.minLengthFull = figures->pressureGoverns ? record.pressureLength : record.pvLength;
        assignShortestSingle(record.minArea, figures->minArea);
        record.lengthLimit = figures->pressureGoverns ? "p" : "pv";
    }
    if (const std::optional<DiameterForLength>& forLength = outcome.forLength) {
        if (forLength->check == LengthCheck::Accepted) {
            assignMachineForm(record.minDiameter, outcome.numbers.minDiameter);
            assignShortestSingle(record.minDiameterFull, forLength->diameter);
        }
        record.lengthBelowMinimum = forLength->check == LengthCheck::BelowMinimum ? "true" : "false";
    }
}

void addMessage(CaseRecord& record, std::string_view text, std::string_view code)
{
    record.messages.push_back(withLineFeeds(text));
    record.codes.push_back(code);
    record.message += (record.message.empty() ? "" : "\n") + record.messages.back();
    record.code.append(record.code.empty() ? "" : " ").append(code);
}

template <auto Member> std::string_view materialField(const MaterialFields& fields) { return fields.*Member; }

template <auto Member> std::string_view caseField(const CaseRecord& record) { return record.*Member; }

template <auto Member> std::string_view fieldOfMaterial(const CaseRecord& record)
{
    return record.material != nullptr ? std::string_view(record.material->*Member) : std::string_view();
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

std::string_view lengthText(const CaseRecord& record)
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
        Column<CaseRecord>{
            "material", FieldKind::Text, [](const CaseRecord& r) -> std::string_view { return r.texts->material; }},
        Column<CaseRecord>{
            "load", FieldKind::Text, [](const CaseRecord& r) -> std::string_view { return r.texts->load; }},
        Column<CaseRecord>{
            "frequency", FieldKind::Text, [](const CaseRecord& r) -> std::string_view { return r.texts->frequency; }},
        Column<CaseRecord>{"length", FieldKind::Text, lengthText, lengthGiven},
    },
    caseMaterialColumns(std::make_index_sequence<materialTable.size()>()),
    std::array{
        Column<CaseRecord>{"max_diameter", FieldKind::Number, caseField<&CaseRecord::maxDiameter>},
        Column<CaseRecord>{"max_diameter_full", FieldKind::Number, caseField<&CaseRecord::maxDiameterFull>},
        Column<CaseRecord>{"min_length", FieldKind::Number, caseField<&CaseRecord::minLength>},
        Column<CaseRecord>{"min_length_full", FieldKind::Number, caseField<&CaseRecord::minLengthFull>},
        Column<CaseRecord>{"pv_length", FieldKind::Number, caseField<&CaseRecord::pvLength>},
        Column<CaseRecord>{"pressure_length", FieldKind::Number, caseField<&CaseRecord::pressureLength>},
        Column<CaseRecord>{"min_area", FieldKind::Number, caseField<&CaseRecord::minArea>},
        Column<CaseRecord>{"length_limit", FieldKind::Optional, caseField<&CaseRecord::lengthLimit>},
        Column<CaseRecord>{"min_diameter", FieldKind::Number, caseField<&CaseRecord::minDiameter>},
        Column<CaseRecord>{"min_diameter_full", FieldKind::Number, caseField<&CaseRecord::minDiameterFull>},
        Column<CaseRecord>{"length_below_minimum", FieldKind::Flag, caseField<&CaseRecord::lengthBelowMinimum>},
        Column<CaseRecord>{"message", FieldKind::Optional, caseField<&CaseRecord::message>},
        Column<CaseRecord>{"code", FieldKind::Optional, caseField<&CaseRecord::code>},
    });

}  // namespace

void fillResults(CaseRecord& record, const CaseOutcome* outcome, const CaseProblem& problem)
{
    record.outcome = outcome;
    for (std::string* field : {&record.maxDiameter, &record.maxDiameterFull, &record.minLength, &record.minLengthFull,
             &record.pvLength, &record.pressureLength, &record.minArea, &record.lengthLimit, &record.minDiameter,
             &record.minDiameterFull, &record.lengthBelowMinimum, &record.message, &record.code}) {
        field->clear();
    }
    record.messages.clear();
    record.codes.clear();
    if (outcome != nullptr) {
        fillFigures(record, *outcome);
        for (const ShownEvent& event : outcome->events) {
            if (event.kind == ShownEvent::Kind::Message) {
                addMessage(record, event.text, sizingMessageCode(event.message));
            }
        }
    }
    if (!problem.empty()) {
        addMessage(record, problem.text, problem.code);
    }
}

std::span<const Column<MaterialFields>> materialColumns() { return materialTable; }

std::span<const Column<CaseRecord>> caseColumns() { return caseTable; }

}  // namespace bearing::cli
