#include "casecharts.h"

#include "filmcharts.h"
#include "numbertext.h"
#include "svgwriter.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace bearing {

namespace {

// The point of a sizing's answer: its largest diameter with its smallest length, at the
// load and frequency as the window reads them.
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

// A text on the one line of a chart's frame: every control character as '?', as the
// command line echoes an input.
std::string masked(std::string text)
{
    std::replace_if(
        text.begin(), text.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20U || static_cast<unsigned char>(c) == 0x7FU; }, '?');
    return text;
}

// A chart's frame that says why there is no chart.
std::string undrawn(std::string_view why) { return undrawnChartSvg("Диаграмма не построена", why); }

// No chart for a case whose material was not found.
template <class Case> std::string noMaterial(std::span<const Case> cases)
{
    const std::string material = cases.empty() ? std::string() : masked(cases.front().materialText);
    return undrawn("Материал «" + material + "» не найден в каталоге: диаграмме не на чем строиться");
}

// The chart of a run in materials: with `allMaterials`, `panels` with a panel for each case
// whose material was found; else the chart of `chart.kind` of the first case.
template <class Case>
std::string materialChart(std::span<const Case> cases, const RunChart& chart, PvPanels panels,
    PvPanel (*panelOf)(const Case&, std::span<const Case>, std::string_view),
    std::string (*pv)(const Case&, std::string_view), std::string (*design)(const Case&, std::string_view))
{
    if (chart.allMaterials) {
        panels.decimalSeparator = chart.decimalSeparator;
        for (const Case& c : cases) {
            if (c.material) {
                panels.panels.push_back(panelOf(c, cases, chart.decimalSeparator));
            }
        }
        return pvPanelsSvg(panels);
    }
    if (cases.empty() || !cases.front().material) {
        return noMaterial(cases);
    }
    return (chart.kind == ChartKind::Design ? design : pv)(cases.front(), chart.decimalSeparator);
}

}  // namespace

std::string sizingPvDiagramSvg(const SizingReportCase& c, std::string_view decimalSeparator)
{
    return pvDiagramSvg({.title = "Диаграмма p–v: " + std::string(c.material->name),
        .materials = {*c.material},
        .point = sizingPoint(c),
        .pointCaption = "ответ расчета (Dmax × Lmin)",
        .decimalSeparator = std::string(decimalSeparator)});
}

std::string sizingDesignChartSvg(const SizingReportCase& c, std::string_view decimalSeparator)
{
    DesignChart chart;
    chart.material = *c.material;
    chart.load = static_cast<double>(storeSingle(parseNumber(c.load)).value_or(0));
    chart.frequency = static_cast<double>(storeSingle(parseNumber(c.frequency)).value_or(0));
    if (c.length) {
        chart.sizingLength = static_cast<double>(storeSingle(parseNumber(*c.length)).value_or(0));
    }
    chart.decimalSeparator = decimalSeparator;
    return designChartSvg(chart);
}

std::string checkPvDiagramSvg(const CheckReportCase& c, std::string_view decimalSeparator)
{
    std::optional<PvPoint> point;
    if (c.check.fault == CheckFault::None) {
        point = PvPoint{c.check.speed, c.check.pressure};
    }
    return pvDiagramSvg({.title = "Диаграмма p–v: " + std::string(c.material->name),
        .materials = {*c.material},
        .point = point,
        .pointCaption = "рабочая точка d × L = " + c.diameter + " × " + c.length + " мм",
        .decimalSeparator = std::string(decimalSeparator)});
}

std::string checkDesignChartSvg(const CheckReportCase& c, std::string_view decimalSeparator)
{
    const DesignCheckReading reading = readDesignCheckInput(
        {.load = c.load, .frequency = c.frequency, .diameter = c.diameter, .length = c.length, .temperature = {}});
    DesignChart chart;
    chart.material = *c.material;
    chart.load = reading.input.load;
    chart.frequency = reading.input.frequency;
    if (reading.fault == CheckFault::None) {
        chart.proposedDiameter = reading.input.diameter;
        chart.proposedLength = reading.input.length;
    }
    chart.decimalSeparator = std::string(decimalSeparator);
    return designChartSvg(chart);
}

PvPanel sizingPanel(
    const SizingReportCase& c, std::span<const SizingReportCase> cases, std::string_view decimalSeparator)
{
    return {.material = *c.material,
        .heading = panelHeading(c, cases),
        .point = sizingPoint(c),
        .passes = c.messages.empty(),
        .caption = c.figures ? "Dmax " + formatTextBoxNumber(c.figures->maxDiameter, decimalSeparator) + " мм, Lmin "
                + formatTextBoxNumber(roundToTenth(static_cast<double>(c.figures->minLength)), decimalSeparator) + " мм"
                             : std::string("нет ответа")};
}

PvPanel checkPanel(const CheckReportCase& c, std::span<const CheckReportCase> cases, std::string_view decimalSeparator)
{
    const bool checked = c.check.fault == CheckFault::None;
    return {.material = *c.material,
        .heading = panelHeading(c, cases),
        .point = checked ? std::optional(PvPoint{.speed = c.check.speed, .pressure = c.check.pressure}) : std::nullopt,
        .passes = checked && c.check.passes,
        .caption = checked ? formatUtilisation(c.check.governingUse, decimalSeparator) + " % по "
                + std::string(limitSymbol(c.check.governing))
                           : std::string("нет расчета")};
}

std::string runChartSvg(std::span<const SizingReportCase> cases, const RunChart& chart)
{
    PvPanels panels;
    panels.title = "Диаграммы p–v всех материалов: ответ расчета каждого";
    panels.passingHeading = "Без сообщений";
    panels.failingHeading = "С сообщением";
    panels.pointCaption = "ответ расчета (Dmax × Lmin)";
    return materialChart(cases, chart, std::move(panels), sizingPanel, sizingPvDiagramSvg, sizingDesignChartSvg);
}

std::string runChartSvg(std::span<const CheckReportCase> cases, const RunChart& chart)
{
    PvPanels panels;
    if (chart.allMaterials) {
        const CheckReportCase& first = cases.front();
        panels.title = "Диаграммы p–v всех материалов: F = " + first.load + " Н, n = " + first.frequency
            + " об/мин, d × L = " + first.diameter + " × " + first.length + " мм";
    }
    return materialChart(cases, chart, std::move(panels), checkPanel, checkPvDiagramSvg, checkDesignChartSvg);
}

std::string runChartSvg(std::span<const FilmReportCase> cases, const RunChart& chart)
{
    // The design chart is drawn wherever the inputs were read, as the report draws it (a
    // load beyond the film as a line at its S); the pressure only where the film was solved.
    const FilmReportCase& c = cases.front();
    const OilFilm& film = c.film;
    if (chart.kind == ChartKind::Design && c.messages.empty() && film.fault == FilmFault::None) {
        return filmDesignChartSvg(filmDesignChartOf(film, chart.decimalSeparator));
    }
    if (film.solved && chart.kind != ChartKind::Design) {
        return filmPressureSvg(filmPressureChartOf(film, chart.decimalSeparator));
    }
    std::string why = !c.messages.empty() ? c.messages.front()
        : film.fault != FilmFault::None   ? std::string(filmFaultMessage(film.fault))
        : film.limit != FilmLimit::None   ? std::string(filmLimitMessage(film.limit))
                                          : std::string("расчет не выполнен");
    // One line of the frame's text: the message's line breaks as blanks.
    std::erase(why, '\r');
    std::replace(why.begin(), why.end(), '\n', ' ');
    return undrawn(masked(std::move(why)));
}

}  // namespace bearing
