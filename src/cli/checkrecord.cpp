#include "checkrecord.h"

#include "numbertext.h"
#include "terminaltext.h"

#include <array>
#include <utility>

namespace bearing::cli {

namespace {

template <auto Member> FieldValue checkField(const CheckRecord& record) { return std::string_view(record.*Member); }

template <auto Member> FieldValue fieldOfMaterial(const CheckRecord& record)
{
    return record.material != nullptr ? std::string_view(record.material->*Member) : std::string_view();
}

FieldValue temperatureText(const CheckRecord& record)
{
    return record.texts->temperature ? std::string_view(*record.texts->temperature) : std::string_view();
}

bool temperatureGiven(const CheckRecord& record) { return record.texts->temperature.has_value(); }

using C = Column<CheckRecord>;

// The inputs as given, the material, the check's own fields, the messages.
template <std::size_t... Field> constexpr auto makeCheckTable(std::index_sequence<Field...> /*fields*/)
{
    return std::array{
        C{"material", FieldKind::Text,
            [](const CheckRecord& r) -> FieldValue { return std::string_view(r.texts->material); }},
        C{"load", FieldKind::Text, [](const CheckRecord& r) -> FieldValue { return std::string_view(r.texts->load); }},
        C{"frequency", FieldKind::Text,
            [](const CheckRecord& r) -> FieldValue { return std::string_view(r.texts->frequency); }},
        C{"diameter", FieldKind::Text,
            [](const CheckRecord& r) -> FieldValue { return std::string_view(r.texts->diameter); }},
        C{"length", FieldKind::Text,
            [](const CheckRecord& r) -> FieldValue { return std::string_view(r.texts->length); }},
        C{"temperature", FieldKind::Text, temperatureText, temperatureGiven},
        C{"row", FieldKind::Integer, fieldOfMaterial<&MaterialFields::row>},
        C{"name", FieldKind::Optional, fieldOfMaterial<&MaterialFields::name>},
        C{"group", FieldKind::Optional, fieldOfMaterial<&MaterialFields::group>},
        C{"max_pressure", FieldKind::Number, fieldOfMaterial<&MaterialFields::maxPressure>},
        C{"max_speed", FieldKind::Number, fieldOfMaterial<&MaterialFields::maxSpeed>},
        C{"max_pv", FieldKind::Number, fieldOfMaterial<&MaterialFields::maxPV>},
        C{"max_temperature", FieldKind::Integer, fieldOfMaterial<&MaterialFields::maxTemperature>},
        C{checkFields[Field].name, fieldKind(checkFields[Field].kind), resultOf<checkFields, Field, CheckRecord>}...,
        C{"message", FieldKind::Optional, checkField<&CheckRecord::message>},
        C{"code", FieldKind::Optional, checkField<&CheckRecord::code>},
    };
}

constexpr auto checkTable = makeCheckTable(std::make_index_sequence<checkFields.size()>());

}  // namespace

void fillCheckResults(CheckRecord& record, const CaseProblem& problem)
{
    record.clearMessages();
    if (!problem.empty()) {
        record.addMessage(problem.text, problem.code);
    }
    if (!record.check) {
        return;
    }
    if (const CheckFault fault = record.check->fault; fault != CheckFault::None) {
        record.addMessage(checkFaultMessage(fault), checkFaultCode(fault));
    }
}

std::span<const Column<CheckRecord>> checkColumns() { return checkTable; }

}  // namespace bearing::cli
