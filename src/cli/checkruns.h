#pragma once

#include "batchheader.h"
#include "calculationreport.h"
#include "caserunner.h"
#include "checkrecord.h"

#include <functional>
#include <istream>
#include <ostream>
#include <string>

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

// Each run of checks returns its exit status: every check passes: exitResults; one does
// not pass or ended in a message: exitMessage. `onCheck`, when given, sees every check
// after it is written (for a report).

// One check: its figures on `out`, its messages on `err`.
[[nodiscard]] int runCheckOne(const RunSettings& settings, const CheckTexts& texts, std::ostream& out,
    std::ostream& err, const std::function<void(const CheckRecord&)>& onCheck = {});

// The same design in every material of the catalogue, in catalogue order, or with
// `sortByUse` from the smallest governing use to the largest (checks that ended in a
// message last, in catalogue order).
[[nodiscard]] int runCheckAll(const RunSettings& settings, const CheckTexts& texts, bool sortByUse, std::ostream& out,
    std::ostream& err, const std::function<void(const CheckRecord&)>& onCheck = {});

// The check's columns of a batch.
[[nodiscard]] const BatchJob& checkBatchJob();

// The checks of a CSV batch with the columns material, load, frequency, diameter and
// length (temperature and group optional), a row of output a record as it streams in.
[[nodiscard]] int runCheckBatch(const RunSettings& settings, const std::string& source, std::istream& in,
    std::ostream& out, std::ostream& err, const std::function<void(const CheckRecord&)>& onCheck = {});

}  // namespace bearing::cli
