#include "checkrecord.h"

#include <array>

namespace bearing::cli {

namespace {

// The inputs as given, the material, the check's own fields, the messages.
constexpr auto checkTable = columns::joined(
    std::array{
        columns::input<CheckRecord, &CheckTexts::material>("material"),
        columns::input<CheckRecord, &CheckTexts::load>("load"),
        columns::input<CheckRecord, &CheckTexts::frequency>("frequency"),
        columns::input<CheckRecord, &CheckTexts::diameter>("diameter"),
        columns::input<CheckRecord, &CheckTexts::length>("length"),
        columns::optionalInput<CheckRecord, &CheckTexts::temperature>("temperature"),
    },
    columns::material<CheckRecord>(), columns::results<CheckRecord, checkFields>(), columns::messages<CheckRecord>());

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
