#include "outputfiles.h"

#include "casecharts.h"
#include "checkedoutput.h"
#include "exitstatus.h"
#include "programversion.h"
#include "replacementfile.h"
#include "svgwriter.h"
#include "terminaltext.h"

#include <charconv>

namespace bearing::cli {

namespace {

constexpr std::string_view programName = "plain-bearings-calc";

// Writes the file `path` whole, or leaves it as it was and names it and the reason on
// `err`; false then.
bool writeFile(const std::string& path, const std::string& text, std::ostream& err)
{
    try {
        replaceFile(path, text, "не удалось записать " + echoed(path));
        return true;
    } catch (const OutputError& error) {
        writeChecked(err, Stream::Error, std::string(programName) + ": " + error.what() + '\n', true);
        return false;
    }
}

CalculationReport reportOf(const FileRequests& requests)
{
    return {.programName = std::string(programName),
        .version = std::string(programVersion),
        .date = requests.date,
        .decimalSeparator = requests.decimalSeparator,
        .sizings = {},
        .checks = {},
        .films = {}};
}

// Writes each requested file for the cases, whatever became of the other: the chart, the
// report with the cases in its list `kept`.
template <class Case>
int writeRunFiles(const FileRequests& requests, std::span<const Case> cases, std::span<const std::string> carriedNames,
    std::ostream& err, std::vector<Case> CalculationReport::*kept)
{
    bool written = true;
    if (requests.chart) {
        const RunChart chart{.kind = requests.chartKind,
            .allMaterials = requests.allMaterials,
            .decimalSeparator = requests.decimalSeparator};
        written = writeFile(*requests.chart, standaloneSvg(runChartSvg(cases, chart)), err) && written;
    }
    if (requests.report) {
        CalculationReport report = reportOf(requests);
        (report.*kept).assign(cases.begin(), cases.end());
        report.carriedNames.assign(carriedNames.begin(), carriedNames.end());
        written = writeFile(*requests.report, calculationReportHtml(report), err) && written;
    }
    return written ? exitResults : exitWriteFailed;
}

}  // namespace

SizingReportCase sizingReportCase(const Catalogue& catalogue, const CaseRecord& record)
{
    SizingReportCase c{.materialText = record.texts->material,
        .material = std::nullopt,
        .groupName = {},
        .load = record.texts->load,
        .frequency = record.texts->frequency,
        .length = record.texts->length,
        .shownLines = {},
        .messages = record.messages,
        .figures = std::nullopt,
        .forLength = std::nullopt};
    if (record.row >= 0) {
        c.material = catalogue.listed().row(record.row);
        c.groupName = groupTitle(groupOfRow(record.row));
    }
    if (const CaseOutcome* outcome = record.outcome()) {
        for (const std::string& line : {outcome->maxDiameterLine, outcome->minLengthLine}) {
            if (!line.empty()) {
                c.shownLines.push_back(line);
            }
        }
        if (!outcome->minDiameter.empty()) {
            c.shownLines.push_back("Минимальный диаметр: " + outcome->minDiameter);
        }
        c.figures = outcome->figures;
        c.forLength = outcome->forLength;
    }
    return c;
}

int writeSizingFiles(const FileRequests& requests, std::span<const SizingReportCase> cases,
    std::span<const std::string> carriedNames, std::ostream& err)
{
    return writeRunFiles(requests, cases, carriedNames, err, &CalculationReport::sizings);
}

int writeCheckFiles(const FileRequests& requests, std::span<const CheckReportCase> cases,
    std::span<const std::string> carriedNames, std::ostream& err)
{
    return writeRunFiles(requests, cases, carriedNames, err, &CalculationReport::checks);
}

int writeFilmFiles(const FileRequests& requests, std::span<const FilmReportCase> cases,
    std::span<const std::string> carriedNames, std::ostream& err)
{
    return writeRunFiles(requests, cases, carriedNames, err, &CalculationReport::films);
}

std::optional<std::string> reportDateFrom(const char* sourceDateEpoch, std::int64_t now)
{
    if (sourceDateEpoch == nullptr) {
        return reportDate(now);
    }
    const std::string_view text(sourceDateEpoch);
    std::int64_t seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    // The last second of 31.12.9999: a later one has no date of four digits.
    constexpr std::int64_t lastDate = 253402300799;
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || seconds < 0 || seconds > lastDate) {
        return std::nullopt;
    }
    return reportDate(seconds);
}

}  // namespace bearing::cli
