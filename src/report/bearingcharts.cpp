#include "bearingcharts.h"

#include "chartparts.h"
#include "designcheck.h"
#include "logaxis.h"
#include "numbertext.h"
#include "sizing.h"
#include "svgwriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace bearing {

namespace {

// Colours for the regions of a diagram with several materials, taken in turn; each
// stays apart from the others and from the black operating point in print.
constexpr std::array<std::string_view, 8> regionColours{
    "#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#17becf", "#8c564b", "#e377c2"};

struct Axes {
    LogAxis x;
    LogAxis y;
};

// A number the user gave, as short as it reads back: 16.7 is "16,7".
std::string plain(double value, std::string_view separator) { return formatShortest(value, separator); }

bool isPositive(double value) { return std::isfinite(value) && value > 0; }

std::string limitText(float value, std::string_view separator) { return formatTextBoxNumber(value, separator); }

std::string limitsLine(const MaterialRecord& material, std::string_view separator)
{
    return "[p] = " + limitText(material.maxPressure, separator) + " МПа, [v] = "
        + limitText(material.maxSpeed, separator) + " м/с, [pv] = " + limitText(material.maxPV, separator) + " МПа·м/с";
}

std::string pointFigures(const PvPoint& point, std::string_view separator)
{
    return "v = " + formatCheckFigure(point.speed, separator)
        + " м/с, p = " + formatCheckFigure(point.pressure, separator) + " МПа";
}

bool isDrawable(const std::optional<PvPoint>& point)
{
    return point && isPositive(point->speed) && isPositive(point->pressure);
}

// The ticks of a logarithmic axis, placed.
std::vector<PlacedTick> placedTicks(const LogAxis& axis, int maxLabels, std::string_view separator)
{
    std::vector<PlacedTick> placed;
    for (AxisTick& tick : axis.ticks(maxLabels, separator)) {
        placed.push_back({.value = tick.value,
            .pixel = axis.pixel(tick.value),
            .labelled = tick.labelled,
            .label = std::move(tick.label)});
    }
    return placed;
}

// The frame of a chart on two logarithmic axes.
void drawLogFrame(SvgWriter& svg, const Axes& axes, const PlotBox& box, int maxXLabels, int maxYLabels, double fontSize,
    std::string_view xTitle, std::string_view yTitle, std::string_view separator)
{
    drawFrame(svg, box, placedTicks(axes.x, maxXLabels, separator), placedTicks(axes.y, maxYLabels, separator),
        fontSize, xTitle, yTitle);
}

// The upper right edge of a material's permissible region, from the left end of the p
// axis at [p] to the bottom of the plot at [v]; on log axes the [pv] hyperbola is a line.
SvgWriter::Points regionEdge(const MaterialRecord& material, const Axes& axes)
{
    const auto maxP = static_cast<double>(material.maxPressure);
    const auto maxV = static_cast<double>(material.maxSpeed);
    const auto maxPV = static_cast<double>(material.maxPV);
    const double corner = maxPV / maxP;
    SvgWriter::Points edge{{axes.x.pixel(axes.x.low()), axes.y.pixel(maxP)}};
    if (corner < maxV) {
        edge.emplace_back(axes.x.pixel(corner), axes.y.pixel(maxP));
        edge.emplace_back(axes.x.pixel(maxV), axes.y.pixel(maxPV / maxV));
    } else {
        edge.emplace_back(axes.x.pixel(maxV), axes.y.pixel(maxP));
    }
    edge.emplace_back(axes.x.pixel(maxV), axes.y.pixel(axes.y.low()));
    return edge;
}

void drawRegion(SvgWriter& svg, const MaterialRecord& material, const Axes& axes, std::string_view colour,
    double fillOpacity, std::string_view id)
{
    SvgWriter::Points area = regionEdge(material, axes);
    const SvgWriter::Points edge = area;
    area.emplace_back(axes.x.pixel(axes.x.low()), axes.y.pixel(axes.y.low()));
    svg.polygon(area,
        std::string(R"(id=")") + std::string(id) + R"(" fill=")" + std::string(colour) + R"(" fill-opacity=")"
            + svgNumber(fillOpacity) + R"(" stroke="none")");
    svg.polyline(edge, std::string(R"(fill="none" stroke=")") + std::string(colour) + R"(" stroke-width="2")");
}

// The values a p–v axis must show for a material: its limits and the corner of [pv].
void addRegionValues(const MaterialRecord& material, std::vector<double>& speeds, std::vector<double>& pressures)
{
    const auto maxP = static_cast<double>(material.maxPressure);
    const auto maxV = static_cast<double>(material.maxSpeed);
    const auto maxPV = static_cast<double>(material.maxPV);
    speeds.push_back(maxV);
    pressures.push_back(maxP);
    if (maxPV / maxP < maxV) {
        speeds.push_back(maxPV / maxP);
        pressures.push_back(maxPV / maxV);
    }
}

// Where a mark goes: on its value, or on the edge of the frame for a value beyond the
// axis (the axes end at 10^300), so that no mark is drawn outside the chart.
double markPixel(const LogAxis& axis, double value, double start, double end)
{
    return std::clamp(axis.pixel(value), std::min(start, end), std::max(start, end));
}

struct Mark {
    double x;
    double y;
};

Mark markAt(const Axes& axes, const PlotBox& box, double x, double y)
{
    return {markPixel(axes.x, x, box.left, box.right), markPixel(axes.y, y, box.bottom, box.top)};
}

void drawPoint(SvgWriter& svg, const PvPoint& point, const Axes& axes, const PlotBox& box, double radius)
{
    const Mark mark = markAt(axes, box, point.speed, point.pressure);
    svg.circle(mark.x, mark.y, radius, R"(id="operating-point" fill="#000000" stroke="#ffffff" stroke-width="1.5")");
}

}  // namespace

std::string pvDiagramSvg(const PvDiagram& diagram)
{
    const std::string& separator = diagram.decimalSeparator;
    std::vector<double> speeds;
    std::vector<double> pressures;
    for (const MaterialRecord& material : diagram.materials) {
        addRegionValues(material, speeds, pressures);
    }
    const bool withPoint = isDrawable(diagram.point);
    if (withPoint) {
        speeds.push_back(diagram.point->speed);
        pressures.push_back(diagram.point->pressure);
    }
    const PlotBox box = chartPlot;
    const Axes axes{LogAxis(speeds, box.left, box.right), LogAxis(pressures, box.bottom, box.top)};

    const std::size_t entries = diagram.materials.size() + 2;
    SvgWriter svg(chartWidth, legendTop + static_cast<double>(entries) * legendLineHeight, diagram.title);
    svg.text(chartWidth / 2, 26, diagram.title, "middle", titleAttributes);
    svg.text(chartWidth / 2, 44, "Допустимая область: p ≤ [p], v ≤ [v], p·v ≤ [pv]; шкалы логарифмические", "middle",
        noteAttributes);
    drawLogFrame(svg, axes, box, 10, 10, 11, "Скорость скольжения v, м/с", "Давление p, МПа", separator);
    for (std::size_t i = 0; i < diagram.materials.size(); ++i) {
        drawRegion(svg, diagram.materials[i], axes, regionColours.at(i % regionColours.size()), 0.12,
            "region-" + std::to_string(i + 1));
    }
    if (withPoint) {
        drawPoint(svg, *diagram.point, axes, box, 5.5);
    }

    Legend legend(svg, box.left, legendTop);
    for (std::size_t i = 0; i < diagram.materials.size(); ++i) {
        const MaterialRecord& material = diagram.materials[i];
        legend.swatch(regionColours.at(i % regionColours.size()), 0.12,
            std::string(material.name) + ": " + limitsLine(material, separator));
    }
    if (withPoint) {
        legend.dot("#000000", diagram.pointCaption + ": " + pointFigures(*diagram.point, separator));
    } else if (diagram.point) {
        legend.note(diagram.pointCaption + " не показана: давление или скорость не больше нуля");
    }
    return svg.finish();
}

std::string pvPanelsSvg(const PvPanels& panels)
{
    const std::string& separator = panels.decimalSeparator;
    constexpr int columns = 4;
    constexpr double margin = 16;
    constexpr double gap = 10;
    constexpr double panelWidth = 232;
    constexpr double panelHeight = 196;
    constexpr double headingHeight = 30;
    constexpr double width = 2 * margin + columns * panelWidth + (columns - 1) * gap;

    std::vector<double> speeds;
    std::vector<double> pressures;
    for (const PvPanel& panel : panels.panels) {
        addRegionValues(panel.material, speeds, pressures);
        if (isDrawable(panel.point)) {
            speeds.push_back(panel.point->speed);
            pressures.push_back(panel.point->pressure);
        }
    }
    std::array<std::vector<const PvPanel*>, 2> sections;
    for (const PvPanel& panel : panels.panels) {
        sections.at(panel.passes ? 0 : 1).push_back(&panel);
    }
    const auto sectionHeight = [&](const std::vector<const PvPanel*>& section) {
        const std::size_t rows = (std::max<std::size_t>(section.size(), 1) + columns - 1) / columns;
        return headingHeight + static_cast<double>(rows) * (panelHeight + gap);
    };
    const double top = 58;
    const double height = top + sectionHeight(sections[0]) + sectionHeight(sections[1]) + 3 * legendLineHeight;

    SvgWriter svg(width, height, panels.title);
    svg.text(width / 2, 26, panels.title, "middle", titleAttributes);
    svg.text(width / 2, 44,
        "Допустимая область каждого материала: p ≤ [p], v ≤ [v], p·v ≤ [pv]; шкалы логарифмические, общие для всех "
        "панелей",
        "middle", noteAttributes);

    double y = top;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const bool passing = s == 0;
        const std::vector<const PvPanel*>& section = sections.at(s);
        svg.text(margin, y + 18,
            (passing ? panels.passingHeading : panels.failingHeading) + ": " + std::to_string(section.size()), "start",
            std::string(R"(font-size="14" font-weight="bold" fill=")") + (passing ? "#1e6b1e" : "#8a1f1f") + '"');
        svg.openGroup(std::string(R"(id=")") + (passing ? "passing" : "failing") + '"');
        if (section.empty()) {
            svg.text(margin, y + headingHeight + 18, "нет", "start", noteAttributes);
        }
        for (std::size_t i = 0; i < section.size(); ++i) {
            const PvPanel& panel = *section[i];
            const double left = margin + static_cast<double>(i % columns) * (panelWidth + gap);
            const std::size_t row = i / columns;
            const double panelTop = y + headingHeight + static_cast<double>(row) * (panelHeight + gap);
            svg.rect(left, panelTop, panelWidth, panelHeight,
                passing ? R"(fill="#eef7ee" stroke="#2e7d32" stroke-width="2")"
                        : R"(fill="#fafafa" stroke="#b0b0b0" stroke-width="1")");
            svg.text(left + 8, panelTop + 17, panel.heading.empty() ? panel.material.name : panel.heading, "start",
                R"(font-size="11.5" font-weight="bold" fill="#202020")");
            svg.text(left + 8, panelTop + 32, panel.caption, "start", R"(font-size="10.5" fill="#404040")");
            const PlotBox box{
                .left = left + 40, .top = panelTop + 42, .right = left + panelWidth - 10, .bottom = panelTop + 172};
            const Axes axes{LogAxis(speeds, box.left, box.right), LogAxis(pressures, box.bottom, box.top)};
            drawLogFrame(svg, axes, box, 4, 4, 9, {}, {}, separator);
            drawRegion(svg, panel.material, axes, passing ? "#2e7d32" : "#c0392b", passing ? 0.25 : 0.15,
                "region-" + std::to_string(s) + '-' + std::to_string(i + 1));
            if (isDrawable(panel.point)) {
                drawPoint(svg, *panel.point, axes, box, 4);
            }
        }
        svg.closeGroup();
        y += sectionHeight(section);
    }
    Legend legend(svg, margin, y + 12);
    legend.dot("#000000",
        panels.pointCaption + "; по горизонтали — скорость скольжения v, м/с, по вертикали — давление p, МПа");
    return svg.finish();
}

std::string designChartSvg(const DesignChart& chart)
{
    const std::string& separator = chart.decimalSeparator;
    const std::string title = "Область допустимых размеров: " + std::string(chart.material.name);
    const SizingFigures figures
        = sizeBearing(chart.material, static_cast<float>(chart.load), static_cast<float>(chart.frequency));
    const auto maxDiameter = static_cast<double>(figures.maxDiameter);
    const auto pvLength = static_cast<double>(figures.pvLength);
    const auto minArea = static_cast<double>(figures.minArea);
    const auto minLength = static_cast<double>(figures.minLength);

    const bool proposed = chart.proposedDiameter && chart.proposedLength && isPositive(*chart.proposedDiameter)
        && isPositive(*chart.proposedLength);
    std::optional<DiameterForLength> lengthAnswer;
    if (figures.stop == SizingStop::None && chart.sizingLength) {
        lengthAnswer = diameterForLength(figures.minLength, figures.minArea, static_cast<float>(*chart.sizingLength));
    }
    const bool lengthMark = lengthAnswer && lengthAnswer->check == LengthCheck::Accepted
        && isPositive(static_cast<double>(lengthAnswer->diameter)) && isPositive(*chart.sizingLength);

    std::vector<double> diameters;
    std::vector<double> lengths;
    const bool region = figures.stop == SizingStop::None && maxDiameter > 0;
    if (region) {
        diameters.push_back(maxDiameter);
        lengths.push_back(minLength);
        lengths.push_back(pvLength);
        if (minArea > 0) {
            lengths.push_back(minArea / maxDiameter);
            if (pvLength > 0) {
                diameters.push_back(minArea / pvLength);
            }
        }
    }
    if (proposed) {
        diameters.push_back(*chart.proposedDiameter);
        lengths.push_back(*chart.proposedLength);
    }
    if (lengthMark) {
        diameters.push_back(static_cast<double>(lengthAnswer->diameter));
        lengths.push_back(*chart.sizingLength);
    }
    const PlotBox box = chartPlot;
    const Axes axes{LogAxis(diameters, box.left, box.right), LogAxis(lengths, box.bottom, box.top)};

    SvgWriter svg(chartWidth, legendTop + 7 * legendLineHeight, title);
    svg.text(chartWidth / 2, 26, title, "middle", titleAttributes);
    svg.text(chartWidth / 2, 44,
        "F = " + plain(chart.load, separator) + " Н, n = " + plain(chart.frequency, separator) + " об/мин; "
            + limitsLine(chart.material, separator) + "; шкалы логарифмические",
        "middle", noteAttributes);
    drawLogFrame(svg, axes, box, 10, 10, 11, "Диаметр цапфы d, мм", "Длина подшипника L, мм", separator);

    Legend legend(svg, box.left, legendTop);
    const double xLow = axes.x.low();
    const double xHigh = axes.x.high();
    const double yLow = axes.y.low();
    const double yHigh = axes.y.high();
    if (region) {
        // Lengths from max(L[pv], F/[p] / d) up, at diameters up to Dmax. Between the
        // break points the lower edge is straight on log axes.
        const auto lowerEdge
            = [&](double d) { return std::clamp(std::max(pvLength, minArea > 0 ? minArea / d : 0.0), yLow, yHigh); };
        std::vector<double> breaks{xLow, maxDiameter};
        if (minArea > 0) {
            for (const double d : {pvLength > 0 ? minArea / pvLength : 0.0, minArea / yHigh, minArea / yLow}) {
                if (d > xLow && d < maxDiameter) {
                    breaks.push_back(d);
                }
            }
        }
        std::sort(breaks.begin(), breaks.end(), std::greater<>());
        SvgWriter::Points area{
            {axes.x.pixel(xLow), axes.y.pixel(yHigh)}, {axes.x.pixel(maxDiameter), axes.y.pixel(yHigh)}};
        for (const double d : breaks) {
            area.emplace_back(axes.x.pixel(d), axes.y.pixel(lowerEdge(d)));
        }
        svg.polygon(area, R"(id="feasible-region" fill="#4caf50" fill-opacity="0.25" stroke="none")");
        legend.swatch("#4caf50", 0.25, "допустимая область: d ≤ Dmax, L ≥ L[pv], d·L ≥ F/[p]");

        svg.line(axes.x.pixel(maxDiameter), box.top, axes.x.pixel(maxDiameter), box.bottom,
            R"(id="diameter-limit" stroke="#1f5fa8" stroke-width="2" stroke-dasharray="6 3")");
        legend.stroke("#1f5fa8", "6 3",
            "d = Dmax = 60000·[v] / (π·n) = " + formatTextBoxNumber(figures.maxDiameter, separator) + " мм, по [v]");
        if (pvLength > 0) {
            svg.line(box.left, axes.y.pixel(pvLength), box.right, axes.y.pixel(pvLength),
                R"(id="pv-length" stroke="#b7791f" stroke-width="2" stroke-dasharray="2 3")");
            legend.stroke("#b7791f", "2 3",
                "L = L[pv] = π·F·n / (60000·[pv]) = " + formatCheckFigure(pvLength, separator) + " мм, по [pv]");
        }
        if (minArea > 0) {
            const double from = std::clamp(minArea / yHigh, xLow, xHigh);
            const double to = std::clamp(minArea / yLow, xLow, xHigh);
            svg.line(axes.x.pixel(from), axes.y.pixel(minArea / from), axes.x.pixel(to), axes.y.pixel(minArea / to),
                R"(id="pressure-area" stroke="#c0392b" stroke-width="2")");
            legend.stroke("#c0392b", {}, "d·L = F / [p] = " + formatCheckFigure(minArea, separator) + " мм², по [p]");
        }
        if (minLength > 0) {
            const Mark mark = markAt(axes, box, maxDiameter, minLength);
            svg.circle(mark.x, mark.y, 5.5, R"(id="sizing-answer" fill="#1f5fa8" stroke="#ffffff" stroke-width="1.5")");
            legend.dot("#1f5fa8",
                "ответ расчета: наибольший диаметр " + formatTextBoxNumber(figures.maxDiameter, separator)
                    + " мм, наименьшая длина " + formatCheckFigure(minLength, separator) + " мм");
        }
    } else {
        const std::string_view why = figures.stop == SizingStop::LoadOrFrequencyInvalid
            ? "Область не построена: задайте радиальное усилие и частоту вращения"
            : (figures.stop == SizingStop::None ? "Область не построена: наибольший диаметр равен 0"
                                                : "Область не построена: результат расчета выходит за пределы "
                                                  "допустимого диапазона чисел");
        svg.text((box.left + box.right) / 2, (box.top + box.bottom) / 2, why, "middle",
            R"(id="no-region" font-size="14" fill="#8a1f1f")");
    }
    if (lengthMark) {
        const auto diameter = static_cast<double>(lengthAnswer->diameter);
        const Mark mark = markAt(axes, box, diameter, *chart.sizingLength);
        svg.circle(mark.x, mark.y, 5.5, R"(id="length-answer" fill="#e67e22" stroke="#ffffff" stroke-width="1.5")");
        legend.dot("#e67e22",
            "наименьший диаметр при длине " + plain(*chart.sizingLength, separator)
                + " мм: d = F / ([p]·L) = " + formatCheckFigure(diameter, separator) + " мм");
    } else if (lengthAnswer && lengthAnswer->check == LengthCheck::BelowMinimum) {
        legend.note("длина " + plain(*chart.sizingLength, separator)
            + " мм меньше наименьшей допустимой: диаметр для нее не найден");
    }
    if (proposed) {
        // A ring, so that a sizing answer at the same place shows through it.
        const Mark mark = markAt(axes, box, *chart.proposedDiameter, *chart.proposedLength);
        svg.circle(mark.x, mark.y, 7, R"(id="proposed-design" fill="none" stroke="#000000" stroke-width="2.5")");
        legend.ring("#000000",
            "проверяемый размер: d = " + plain(*chart.proposedDiameter, separator)
                + " мм, L = " + plain(*chart.proposedLength, separator) + " мм");
    }
    return svg.finish();
}

std::string undrawnChartSvg(std::string_view title, std::string_view why)
{
    const PlotBox box = chartPlot;
    SvgWriter svg(chartWidth, box.bottom + 20, title);
    svg.text(chartWidth / 2, 26, title, "middle", titleAttributes);
    svg.rect(box.left, box.top, box.right - box.left, box.bottom - box.top, R"(fill="none" stroke="#9a9a9a")");
    svg.text((box.left + box.right) / 2, (box.top + box.bottom) / 2, why, "middle",
        R"(id="no-chart" font-size="14" fill="#8a1f1f")");
    return svg.finish();
}

}  // namespace bearing
