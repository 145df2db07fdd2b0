#pragma once

#include "calculationreport.h"
#include "caserunner.h"
#include "options.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace bearing::cli {

// The files a run writes beside its output: --chart and --report.
struct FileRequests {
    std::optional<std::string> chart;
    ChartKind chartKind = ChartKind::PV;
    std::optional<std::string> report;
    std::string date;                    // the report's date, as shown
    std::string decimalSeparator = ",";  // the user's, as the text output uses it
    bool allMaterials = false;           // --all: small multiples
};

// A sizing case as the report shows it.
[[nodiscard]] SizingReportCase sizingReportCase(const Catalogue& catalogue, const CaseRecord& record);

// Writes the requested files for the cases; exitResults, or exitWriteFailed after a
// message on `err` when a file cannot be written.
[[nodiscard]] int writeSizingFiles(
    const FileRequests& requests, std::span<const SizingReportCase> cases, std::ostream& err);
[[nodiscard]] int writeCheckFiles(
    const FileRequests& requests, std::span<const CheckReportCase> cases, std::ostream& err);

// The date of a report: SOURCE_DATE_EPOCH's seconds when it is set, else `now`. Empty
// when SOURCE_DATE_EPOCH is set to anything but a whole number of seconds.
[[nodiscard]] std::optional<std::string> reportDateFrom(const char* sourceDateEpoch, std::int64_t now);

}  // namespace bearing::cli
