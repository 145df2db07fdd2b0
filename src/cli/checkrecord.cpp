#include "checkrecord.h"

#include "numbertext.h"
#include "terminaltext.h"

#include <array>
#include <utility>

namespace bearing::cli {

namespace {

template <auto Member> std::string_view checkField(const CheckRecord& record) { return record.*Member; }

template <std::size_t Field> std::string_view result(const CheckRecord& record)
{
    return std::get<Field>(record.results);
}

template <auto Member> std::string_view fieldOfMaterial(const CheckRecord& record)
{
    return record.material != nullptr ? std::string_view(record.material->*Member) : std::string_view();
}

std::string_view temperatureText(const CheckRecord& record)
{
    return record.texts->temperature ? std::string_view(*record.texts->temperature) : std::string_view();
}

bool temperatureGiven(const CheckRecord& record) { return record.texts->temperature.has_value(); }

using C = Column<CheckRecord>;

constexpr FieldKind fieldKind(CheckFieldKind kind)
{
    switch (kind) {
    case CheckFieldKind::Number: return FieldKind::Number;
    case CheckFieldKind::Code: return FieldKind::Optional;
    case CheckFieldKind::Flag: return FieldKind::Flag;
    }
    return FieldKind::Text;
}

// The inputs as given, the material, the check's own fields, the messages.
template <std::size_t... Field> constexpr auto makeCheckTable(std::index_sequence<Field...> /*fields*/)
{
    return std::array{
        C{"material", FieldKind::Text, [](const CheckRecord& r) -> std::string_view { return r.texts->material; }},
        C{"load", FieldKind::Text, [](const CheckRecord& r) -> std::string_view { return r.texts->load; }},
        C{"frequency", FieldKind::Text, [](const CheckRecord& r) -> std::string_view { return r.texts->frequency; }},
        C{"diameter", FieldKind::Text, [](const CheckRecord& r) -> std::string_view { return r.texts->diameter; }},
        C{"length", FieldKind::Text, [](const CheckRecord& r) -> std::string_view { return r.texts->length; }},
        C{"temperature", FieldKind::Text, temperatureText, temperatureGiven},
        C{"row", FieldKind::Integer, fieldOfMaterial<&MaterialFields::row>},
        C{"name", FieldKind::Optional, fieldOfMaterial<&MaterialFields::name>},
        C{"group", FieldKind::Optional, fieldOfMaterial<&MaterialFields::group>},
        C{"max_pressure", FieldKind::Number, fieldOfMaterial<&MaterialFields::maxPressure>},
        C{"max_speed", FieldKind::Number, fieldOfMaterial<&MaterialFields::maxSpeed>},
        C{"max_pv", FieldKind::Number, fieldOfMaterial<&MaterialFields::maxPV>},
        C{"max_temperature", FieldKind::Integer, fieldOfMaterial<&MaterialFields::maxTemperature>},
        C{checkFields[Field].name, fieldKind(checkFields[Field].kind), result<Field>}...,
        C{"message", FieldKind::Optional, checkField<&CheckRecord::message>},
        C{"code", FieldKind::Optional, checkField<&CheckRecord::code>},
    };
}

constexpr auto checkTable = makeCheckTable(std::make_index_sequence<checkFields.size()>());

void addMessage(CheckRecord& record, std::string_view text, std::string_view code)
{
    record.messages.push_back(withLineFeeds(text));
    record.message += (record.message.empty() ? "" : "\n") + record.messages.back();
    record.code.append(record.code.empty() ? "" : " ").append(code);
}

}  // namespace

void fillCheckResults(CheckRecord& record, const CaseProblem& problem)
{
    for (std::string& field : record.results) {
        field.clear();
    }
    record.message.clear();
    record.code.clear();
    record.messages.clear();
    if (!problem.empty()) {
        addMessage(record, problem.text, problem.code);
    }
    if (!record.check) {
        return;
    }
    const DesignCheck& check = *record.check;
    if (check.fault != CheckFault::None) {
        addMessage(record, checkFaultMessage(check.fault), checkFaultCode(check.fault));
        return;
    }
    for (std::size_t i = 0; i < checkFields.size(); ++i) {
        std::string& text = record.results.at(i);
        const CheckFieldValue value = checkFields.at(i).value(check);
        if (const auto* number = std::get_if<double>(&value)) {
            assignShortest(text, *number);
        } else if (const auto* flag = std::get_if<bool>(&value)) {
            text = *flag ? "true" : "false";
        } else if (const auto* code = std::get_if<std::string_view>(&value)) {
            text = *code;
        }
    }
}

std::span<const Column<CheckRecord>> checkColumns() { return checkTable; }

}  // namespace bearing::cli
