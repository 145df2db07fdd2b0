#include "outputfiles.h"

#include "bearingcharts.h"
#include "checkedoutput.h"
#include "exitstatus.h"
#include "filmcharts.h"
#include "numbertext.h"
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

// The operating point of a sizing: its largest diameter with its smallest length.
std::optional<PvPoint> sizingPoint(const SizingReportCase& c)
{
    if (!c.figures) {
        return std::nullopt;
    }
    const float load = storeSingle(parseNumber(c.load)).value_or(0);
    const float frequency = storeSingle(parseNumber(c.frequency)).value_or(0);
    return pvPointOf(static_cast<double>(load), static_cast<double>(frequency),
        static_cast<double>(c.figures->maxDiameter), static_cast<double>(c.figures->minLength));
}

std::string sizingChart(const FileRequests& requests, std::span<const SizingReportCase> cases)
{
    if (requests.allMaterials) {
        PvPanels panels;
        panels.title = "Диаграммы p–v всех материалов: ответ расчета каждого";
        panels.passingHeading = "Без сообщений";
        panels.failingHeading = "С сообщением";
        panels.pointCaption = "ответ расчета (Dmax × Lmin)";
        panels.decimalSeparator = requests.decimalSeparator;
        for (const SizingReportCase& c : cases) {
            if (c.material) {
                panels.panels.push_back({.material = *c.material,
                    .heading = panelHeading(c, cases),
                    .point = sizingPoint(c),
                    .passes = c.messages.empty(),
                    .caption = c.figures ? "Dmax "
                            + formatTextBoxNumber(c.figures->maxDiameter, requests.decimalSeparator) + " мм, Lmin "
                            + formatTextBoxNumber(
                                roundToTenth(static_cast<double>(c.figures->minLength)), requests.decimalSeparator)
                            + " мм"
                                         : std::string("нет ответа")});
            }
        }
        return pvPanelsSvg(panels);
    }
    const SizingReportCase& c = cases.front();
    if (requests.chartKind == ChartKind::Design) {
        DesignChart chart;
        chart.material = *c.material;
        chart.load = static_cast<double>(storeSingle(parseNumber(c.load)).value_or(0));
        chart.frequency = static_cast<double>(storeSingle(parseNumber(c.frequency)).value_or(0));
        if (c.length) {
            chart.sizingLength = static_cast<double>(storeSingle(parseNumber(*c.length)).value_or(0));
        }
        chart.decimalSeparator = requests.decimalSeparator;
        return designChartSvg(chart);
    }
    return pvDiagramSvg({.title = "Диаграмма p–v: " + std::string(c.material->name),
        .materials = {*c.material},
        .point = sizingPoint(c),
        .pointCaption = "ответ расчета (Dmax × Lmin)",
        .decimalSeparator = requests.decimalSeparator});
}

std::string checkChart(const FileRequests& requests, std::span<const CheckReportCase> cases)
{
    const auto pointOf = [](const CheckReportCase& c) -> std::optional<PvPoint> {
        if (c.check.fault != CheckFault::None || !c.material) {
            return std::nullopt;
        }
        return PvPoint{c.check.speed, c.check.pressure};
    };
    if (requests.allMaterials) {
        PvPanels panels;
        const CheckReportCase& first = cases.front();
        panels.title = "Диаграммы p–v всех материалов: F = " + first.load + " Н, n = " + first.frequency
            + " об/мин, d × L = " + first.diameter + " × " + first.length + " мм";
        panels.decimalSeparator = requests.decimalSeparator;
        for (const CheckReportCase& c : cases) {
            if (c.material) {
                panels.panels.push_back({.material = *c.material,
                    .heading = panelHeading(c, cases),
                    .point = pointOf(c),
                    .passes = c.check.fault == CheckFault::None && c.check.passes,
                    .caption = c.check.fault == CheckFault::None
                        ? formatUtilisation(c.check.governingUse, requests.decimalSeparator) + " % по "
                            + std::string(limitSymbol(c.check.governing))
                        : std::string("нет расчета")});
            }
        }
        return pvPanelsSvg(panels);
    }
    const CheckReportCase& c = cases.front();
    return requests.chartKind == ChartKind::Design ? checkDesignChartSvg(c, requests.decimalSeparator)
                                                   : checkPvDiagramSvg(c, requests.decimalSeparator);
}

// The run's chart; or, when there is none to draw (the material was not found), a chart
// that says so, since an old chart under the same name would stay beside the new
// report as if it were this run's.
template <class Case>
std::string chartOrWhyNot(const FileRequests& requests, std::span<const Case> cases,
    std::string (*draw)(const FileRequests&, std::span<const Case>))
{
    if (!cases.empty() && (requests.allMaterials || cases.front().material)) {
        return draw(requests, cases);
    }
    const std::string material = cases.empty() ? std::string() : masked(cases.front().materialText);
    return undrawnChartSvg(
        "Диаграмма не построена", "Материал «" + material + "» не найден в каталоге: диаграмме не на чем строиться");
}

// Writes each requested file for the cases of `kept`'s kind, whatever became of the
// other: the chart that `chart` draws, the report.
template <class Case, class Chart>
int writeRunFiles(const FileRequests& requests, std::span<const Case> cases, std::span<const std::string> carriedNames,
    std::ostream& err, std::vector<Case> CalculationReport::*kept, const Chart& chart)
{
    bool written = true;
    if (requests.chart) {
        written = writeFile(*requests.chart, standaloneSvg(chart(cases)), err) && written;
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
    return writeRunFiles(requests, cases, carriedNames, err, &CalculationReport::sizings,
        [&requests](std::span<const SizingReportCase> all) { return chartOrWhyNot(requests, all, sizingChart); });
}

int writeCheckFiles(const FileRequests& requests, std::span<const CheckReportCase> cases,
    std::span<const std::string> carriedNames, std::ostream& err)
{
    return writeRunFiles(requests, cases, carriedNames, err, &CalculationReport::checks,
        [&requests](std::span<const CheckReportCase> all) { return chartOrWhyNot(requests, all, checkChart); });
}

int writeFilmFiles(const FileRequests& requests, std::span<const FilmReportCase> cases,
    std::span<const std::string> carriedNames, std::ostream& err)
{
    return writeRunFiles(requests, cases, carriedNames, err, &CalculationReport::films,
        [&requests](std::span<const FilmReportCase> all) {
            // The design chart is drawn wherever the inputs were read, as the report draws
            // it (a load beyond the film as a line at its S); the pressure only where the
            // film was solved.
            const FilmReportCase& c = all.front();
            const OilFilm& film = c.film;
            if (requests.chartKind == ChartKind::Design && c.messages.empty() && film.fault == FilmFault::None) {
                return filmDesignChartSvg(filmDesignChartOf(film, requests.decimalSeparator));
            }
            if (film.solved && requests.chartKind != ChartKind::Design) {
                return filmPressureSvg(filmPressureChartOf(film, requests.decimalSeparator));
            }
            std::string why = !c.messages.empty() ? c.messages.front()
                : film.fault != FilmFault::None   ? std::string(filmFaultMessage(film.fault))
                : film.limit != FilmLimit::None   ? std::string(filmLimitMessage(film.limit))
                                                  : std::string("расчет не выполнен");
            // One line of the frame's text: the message's line breaks as blanks.
            std::erase(why, '\r');
            std::ranges::replace(why, '\n', ' ');
            return undrawnChartSvg("Диаграмма не построена", masked(why));
        });
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
