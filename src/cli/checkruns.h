#pragma once

#include "calculationreport.h"
#include "caserunner.h"
#include "checkrecord.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace bearing::cli {

// Runs design check after design check, each into a record for the writers.
class CheckRunner {
public:
    explicit CheckRunner(const RunSettings& settings)
        : settings_(settings)
        , materials_(*settings.catalogue)
    {
    }

    // The material of `texts` chosen within `group`, the check run: `record` holds it.
    void run(const CheckTexts& texts, std::optional<Group> group, CheckRecord& record);
    // The same for a check the command line refused before any calculation.
    void refuse(const CheckTexts& texts, const CaseProblem& problem, CheckRecord& record) const;

private:
    const RunSettings& settings_;
    MaterialChooser materials_;
};

// The check as the report shows it.
[[nodiscard]] CheckReportCase reportCase(const Catalogue& catalogue, const CheckRecord& record);

// What a run of checks gives besides its output: the exit status, and every check for a
// report when `collect` is set.
struct CheckRunEnd {
    int status = 0;
    std::vector<CheckReportCase> cases;
};

// One check: its figures on `out`, its messages on `err`. Passes: exitResults; does not
// pass or ended in a message: exitMessage.
[[nodiscard]] CheckRunEnd runCheckOne(
    const RunSettings& settings, const CheckTexts& texts, bool collect, std::ostream& out, std::ostream& err);

// The same design in every material of the catalogue, in catalogue order, or with
// `sortByUse` from the smallest governing use to the largest (checks that ended in a
// message last, in catalogue order).
[[nodiscard]] CheckRunEnd runCheckAll(const RunSettings& settings, const CheckTexts& texts, bool sortByUse,
    bool collect, std::ostream& out, std::ostream& err);

// The checks of a CSV batch with the columns material, load, frequency, diameter and
// length (temperature and group optional), a row of output a record as it streams in.
// With `collect` every check is also kept for the report.
[[nodiscard]] CheckRunEnd runCheckBatch(const RunSettings& settings, const std::string& source, bool collect,
    std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace bearing::cli
