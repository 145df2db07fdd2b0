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

// Writes each requested file for the cases (`carriedNames`: a batch's own columns), each
// whole beside its target and then put in its place, whatever became of the other;
// exitResults, or exitWriteFailed after naming each file not written on `err`.
[[nodiscard]] int writeSizingFiles(const FileRequests& requests, std::span<const SizingReportCase> cases,
    std::span<const std::string> carriedNames, std::ostream& err);
[[nodiscard]] int writeCheckFiles(const FileRequests& requests, std::span<const CheckReportCase> cases,
    std::span<const std::string> carriedNames, std::ostream& err);
[[nodiscard]] int writeFilmFiles(const FileRequests& requests, std::span<const FilmReportCase> cases,
    std::span<const std::string> carriedNames, std::ostream& err);

// The date of a report: SOURCE_DATE_EPOCH's seconds when it is set, else `now`. Empty
// when SOURCE_DATE_EPOCH is set to anything but a whole number of seconds that is a
// date up to the end of the year 9999.
[[nodiscard]] std::optional<std::string> reportDateFrom(const char* sourceDateEpoch, std::int64_t now);

}  // namespace bearing::cli
