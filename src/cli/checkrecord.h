#pragma once

#include "caserecord.h"
#include "catalogue.h"
#include "designcheck.h"
#include "messagecodes.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

// What the user gave for one design check, exactly as given.
struct CheckTexts {
    std::string material;
    std::string load;
    std::string frequency;
    std::string diameter;
    std::string length;
    std::optional<std::string> temperature;  // none: not compared with [t]
};

// One design check as every writer reads it: named fields, each empty where absent.
struct CheckRecord : JobRecord<CheckTexts> {
    const MaterialRecord* limits = nullptr;  // the material's limits as numbers
    std::optional<DesignCheck> check;        // present when the check reached its figures

    [[nodiscard]] bool passed() const { return check && check->passes; }
    // The check, when it reached its figures.
    [[nodiscard]] const DesignCheck* figures() const
    {
        return check && check->fault == CheckFault::None ? &*check : nullptr;
    }
};

// Fills the messages of `record` from its check, or from the command line's own problem
// when none ran (the record's `check` empty).
void fillCheckResults(CheckRecord& record, const CaseProblem& problem);

// The fields of every check, in this order: the inputs as given, the material, the
// figures, the verdict, the messages. A batch's own columns come before them.
[[nodiscard]] std::span<const Column<CheckRecord>> checkColumns();

}  // namespace bearing::cli
