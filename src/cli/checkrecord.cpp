#include "checkrecord.h"

#include "numbertext.h"
#include "terminaltext.h"

#include <array>
#include <utility>

namespace bearing::cli {

namespace {

template <auto Member> std::string_view checkField(const CheckRecord& record) { return record.*Member; }

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

constexpr std::array checkTable{
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
    C{"pressure", FieldKind::Number, checkField<&CheckRecord::pressure>},
    C{"speed", FieldKind::Number, checkField<&CheckRecord::speed>},
    C{"pv", FieldKind::Number, checkField<&CheckRecord::pv>},
    C{"pressure_use", FieldKind::Number, checkField<&CheckRecord::pressureUse>},
    C{"speed_use", FieldKind::Number, checkField<&CheckRecord::speedUse>},
    C{"pv_use", FieldKind::Number, checkField<&CheckRecord::pvUse>},
    C{"governing", FieldKind::Optional, checkField<&CheckRecord::governing>},
    C{"governing_use", FieldKind::Number, checkField<&CheckRecord::governingUse>},
    C{"max_load", FieldKind::Number, checkField<&CheckRecord::maxLoad>},
    C{"max_load_limit", FieldKind::Optional, checkField<&CheckRecord::maxLoadLimit>},
    C{"max_frequency", FieldKind::Number, checkField<&CheckRecord::maxFrequency>},
    C{"max_frequency_limit", FieldKind::Optional, checkField<&CheckRecord::maxFrequencyLimit>},
    C{"max_sliding_speed", FieldKind::Number, checkField<&CheckRecord::maxSlidingSpeed>},
    C{"temperature_holds", FieldKind::Flag, checkField<&CheckRecord::temperatureHolds>},
    C{"temperature_margin", FieldKind::Number, checkField<&CheckRecord::temperatureMargin>},
    C{"passes", FieldKind::Flag, checkField<&CheckRecord::passes>},
    C{"message", FieldKind::Optional, checkField<&CheckRecord::message>},
    C{"code", FieldKind::Optional, checkField<&CheckRecord::code>},
};

void addMessage(CheckRecord& record, std::string_view text, std::string_view code)
{
    record.messages.push_back(withLineFeeds(text));
    record.message += (record.message.empty() ? "" : "\n") + record.messages.back();
    record.code.append(record.code.empty() ? "" : " ").append(code);
}

}  // namespace

void fillCheckResults(CheckRecord& record, const CaseProblem& problem)
{
    for (std::string* field : {&record.pressure, &record.speed, &record.pv, &record.pressureUse, &record.speedUse,
             &record.pvUse, &record.governing, &record.governingUse, &record.maxLoad, &record.maxLoadLimit,
             &record.maxFrequency, &record.maxFrequencyLimit, &record.maxSlidingSpeed, &record.temperatureHolds,
             &record.temperatureMargin, &record.passes, &record.message, &record.code}) {
        field->clear();
    }
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
    assignShortest(record.pressure, check.pressure);
    assignShortest(record.speed, check.speed);
    assignShortest(record.pv, check.pv);
    assignShortest(record.pressureUse, check.pressureUse);
    assignShortest(record.speedUse, check.speedUse);
    assignShortest(record.pvUse, check.pvUse);
    record.governing = designLimitCode(check.governing);
    assignShortest(record.governingUse, check.governingUse);
    assignShortest(record.maxLoad, check.maxLoad);
    record.maxLoadLimit = designLimitCode(check.maxLoadLimit);
    assignShortest(record.maxFrequency, check.maxFrequency);
    record.maxFrequencyLimit = designLimitCode(check.maxFrequencyLimit);
    assignShortest(record.maxSlidingSpeed, check.maxSpeed);
    if (check.temperature) {
        record.temperatureHolds = check.temperatureHolds ? "true" : "false";
        assignShortest(record.temperatureMargin, check.temperatureMargin);
    }
    record.passes = check.passes ? "true" : "false";
}

std::span<const Column<CheckRecord>> checkColumns() { return checkTable; }

}  // namespace bearing::cli
