#include "filmcharts.h"

#include "chartparts.h"
#include "designcheck.h"
#include "logaxis.h"
#include "numbertext.h"
#include "svgwriter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace bearing {

namespace {

constexpr double tickFontSize = 11;

// The design curve's points: enough that the polyline between them stays within a pixel
// of the solution (the operating point, solved on its own, lies on it).
constexpr int designCurvePoints = 48;

bool isPositive(double value) { return std::isfinite(value) && value > 0; }

// A figure in a legend: four significant digits ("0,1422", "3,634").
std::string figure(double value, std::string_view separator) { return formatCheckFigure(value, separator); }

// An angle to a tenth of a degree.
std::string degrees(double value, std::string_view separator) { return formatFixed(value, 1, separator) + "°"; }

// Where an angle lies against the load line: "на 18,8° за линией нагрузки", or before it.
std::string fromLoadLine(double angle, double loadLine, std::string_view separator)
{
    const double offset = angle - loadLine;
    return "на " + degrees(std::abs(offset), separator) + (offset < 0 ? " до линии нагрузки" : " за линией нагрузки");
}

// A ratio the user made with two lengths: as short as it reads back when that is short
// ("0,25", "1"), else four significant digits ("3,333").
std::string lengthRatioText(double value, std::string_view separator)
{
    std::string text = formatShortest(value, separator);
    return text.size() <= 6 ? text : figure(value, separator);
}

struct LinearAxis {
    double low = 0;
    double high = 1;
    double pixelStart = 0;
    double pixelEnd = 1;

    [[nodiscard]] double pixel(double value) const
    {
        return pixelStart + (value - low) / (high - low) * (pixelEnd - pixelStart);
    }
};

// A step of 1, 2 or 5 times a power of ten, as mantissa and exponent.
struct Step {
    int mantissa = 1;
    int exponent = 0;
};

// The smallest 1-2-5 step that covers [0, high] in at most `intervals` steps.
Step roundStep(double high, int intervals)
{
    const double rough = high / intervals;
    int exponent = static_cast<int>(std::floor(std::log10(rough)));
    for (;; ++exponent) {
        for (const int mantissa : {1, 2, 5}) {
            if (decadeValue(mantissa, exponent) * intervals >= high) {
                return {mantissa, exponent};
            }
        }
    }
}

// Ticks k·step from zero up to `count` steps, each value the double nearest its decimal
// (3·0.1 is 0.3, not 0.30000000000000004). A tick's number has the step's decimals, or,
// for a step below 0.001 or above 1000, is written in units of 10^exponent, which
// `unitFactor` then names ("10⁻⁶"); empty otherwise.
std::vector<PlacedTick> stepTicks(
    Step step, int count, const LinearAxis& axis, std::string_view separator, std::string& unitFactor)
{
    const bool factored = step.exponent < -3 || step.exponent > 3;
    unitFactor = factored ? tickLabel(1, step.exponent, separator) : std::string();
    std::vector<PlacedTick> ticks;
    for (int k = 0; k <= count; ++k) {
        const int multiple = k * step.mantissa;
        const double value = decadeValue(multiple, step.exponent);
        const std::string label
            = factored ? std::to_string(multiple) : formatFixed(value, std::max(0, -step.exponent), separator);
        ticks.push_back({.value = value, .pixel = axis.pixel(value), .labelled = true, .label = label});
    }
    return ticks;
}

void noCurve(SvgWriter& svg, const PlotBox& box, std::string_view why)
{
    svg.text((box.left + box.right) / 2, (box.top + box.bottom) / 2, why, "middle",
        R"(id="no-curve" font-size="14" fill="#8a1f1f")");
}

constexpr std::string_view pressureColour = "#1f5fa8";
constexpr std::string_view peakColour = "#c0392b";
constexpr std::string_view loadLineColour = "#b7791f";
constexpr std::string_view ruptureColour = "#8a1f1f";
constexpr std::string_view meanPressureColour = "#2e7d32";
constexpr std::string_view ruptureShade = "#9e9e9e";

}  // namespace

std::string filmPressureSvg(const FilmPressureChart& chart)
{
    const std::string& separator = chart.decimalSeparator;
    const bool withCurve = chart.pressure.size() >= 2 && isPositive(chart.maxPressure);
    const bool withMean = withCurve && isPositive(chart.meanPressure);
    const std::string title = "Давление в масляном слое в средней плоскости подшипника";
    const PlotBox box = chartPlot;

    // Room above the peak for its label: the axis reaches at least 18 % past it.
    constexpr int pressureIntervals = 7;
    const double top = withCurve ? std::max(chart.maxPressure, chart.meanPressure) * 1.18 : 1.0;
    const Step step = roundStep(top, pressureIntervals);
    const int steps = static_cast<int>(std::ceil(top / decadeValue(step.mantissa, step.exponent) - 1e-9));
    const LinearAxis x{.low = 0, .high = 360, .pixelStart = box.left, .pixelEnd = box.right};
    const LinearAxis y{.low = 0,
        .high = decadeValue(steps * step.mantissa, step.exponent),
        .pixelStart = box.bottom,
        .pixelEnd = box.top};
    std::vector<PlacedTick> xTicks;
    for (int angle = 0; angle <= 360; angle += 10) {
        const bool labelled = angle % 30 == 0;
        xTicks.push_back({.value = static_cast<double>(angle),
            .pixel = x.pixel(angle),
            .labelled = labelled,
            .label = labelled ? std::to_string(angle) : std::string()});
    }
    std::string unitFactor;
    const std::vector<PlacedTick> yTicks = stepTicks(step, steps, y, separator, unitFactor);
    const double unit = unitFactor.empty() ? 1.0 : decadeValue(1, step.exponent);
    const std::string pressureUnit = unitFactor.empty() ? "МПа" : unitFactor + " МПа";
    const std::string peakUnit = unitFactor.empty() ? " МПа" : "·" + unitFactor + " МПа";

    const double loadLine = 180 - chart.attitudeAngle;
    const int entries = withCurve ? (withMean ? 7 : 6) : 1;
    SvgWriter svg(chartWidth, legendTop + entries * legendLineHeight, title);
    svg.text(chartWidth / 2, 26, title, "middle", titleAttributes);
    svg.text(chartWidth / 2, 44,
        withCurve ? "ε = " + figure(chart.eccentricity, separator) + ", S = " + figure(chart.sommerfeld, separator)
                + ", L/d = " + lengthRatioText(chart.lengthRatio, separator)
                + "; угол θ отсчитан от наибольшего зазора по направлению вращения"
                  : std::string("Угол θ отсчитан от наибольшего зазора по направлению вращения"),
        "middle", noteAttributes);
    drawFrame(svg, box, xTicks, yTicks, tickFontSize, "Угол θ от наибольшего зазора, °", "Давление p, " + pressureUnit);
    Legend legend(svg, box.left, legendTop);
    if (!withCurve) {
        noCurve(svg, box, "График не построен: давление в слое не рассчитано");
        legend.note("Давление строится для решенного случая, когда масляный слой несет нагрузку");
        return svg.finish();
    }

    // The ruptured part: from the film's end round to the thickest film, at ambient pressure.
    const double end = std::clamp(chart.filmEndAngle, 0.0, 360.0);
    svg.rect(x.pixel(end), box.top, box.right - x.pixel(end), box.bottom - box.top,
        std::string(R"(id="ruptured-film" fill=")") + std::string(ruptureShade) + R"(" fill-opacity="0.18")");

    // The curve through the grid's nodes and the peak between them, which the solution
    // puts on a parabola through its three highest nodes: on a heavy load's narrow peak
    // the chord between two nodes would pass a few pixels below the peak's mark.
    SvgWriter::Points curve;
    curve.reserve(chart.pressure.size() + 3);
    bool peakPlaced = false;
    for (const FilmPressurePoint& point : chart.pressure) {
        if (!peakPlaced && point.angle >= chart.maxPressureAngle) {
            curve.emplace_back(x.pixel(chart.maxPressureAngle), y.pixel(chart.maxPressure));
            peakPlaced = true;
        }
        curve.emplace_back(x.pixel(point.angle), y.pixel(std::max(point.pressure, 0.0)));
    }
    SvgWriter::Points area = curve;
    area.emplace_back(curve.back().first, y.pixel(0));
    area.emplace_back(curve.front().first, y.pixel(0));
    svg.polygon(area,
        std::string(R"(id="pressure-area" fill=")") + std::string(pressureColour)
            + R"(" fill-opacity="0.12" stroke="none")");

    const auto vertical = [&](const char* id, double angle, std::string_view colour, std::string_view dash) {
        svg.line(x.pixel(angle), box.top, x.pixel(angle), box.bottom,
            std::string(R"(id=")") + id + R"(" stroke=")" + std::string(colour)
                + R"(" stroke-width="1.5" stroke-dasharray=")" + std::string(dash) + '"');
    };
    vertical("thinnest-film", 180, "#404040", "6 3");
    vertical("load-line", loadLine, loadLineColour, "2 3");
    vertical("film-end", end, ruptureColour, "8 3 2 3");
    if (withMean) {
        svg.line(box.left, y.pixel(chart.meanPressure), box.right, y.pixel(chart.meanPressure),
            std::string(R"(id="mean-pressure" stroke=")") + std::string(meanPressureColour)
                + R"(" stroke-width="1.5" stroke-dasharray="4 4")");
    }
    svg.polyline(curve,
        std::string(R"(id="pressure-curve" fill="none" stroke=")") + std::string(pressureColour)
            + R"(" stroke-width="2")");

    // The peak with its figures beside it, on the side where there is room.
    const double peakX = x.pixel(chart.maxPressureAngle);
    const double peakY = y.pixel(chart.maxPressure);
    svg.circle(peakX, peakY, 5,
        std::string(R"(id="peak-pressure" fill=")") + std::string(peakColour)
            + R"(" stroke="#ffffff" stroke-width="1.5")");
    const bool labelRight = peakX < box.right - 180;
    svg.text(peakX + (labelRight ? 9 : -9), peakY - 8,
        formatCheckFigure(chart.maxPressure / unit, separator) + peakUnit + " при "
            + degrees(chart.maxPressureAngle, separator),
        labelRight ? "start" : "end",
        R"(id="peak-label" font-size="12" font-weight="bold" fill="#202020" stroke="#ffffff" stroke-width="3" )"
        R"(paint-order="stroke")");

    legend.stroke(pressureColour, {}, "давление в слое в средней плоскости подшипника");
    legend.dot(peakColour,
        "наибольшее давление p_max = " + figure(chart.maxPressure, separator)
            + " МПа при θ = " + degrees(chart.maxPressureAngle, separator) + ", "
            + fromLoadLine(chart.maxPressureAngle, loadLine, separator));
    legend.stroke("#404040", "6 3", "наименьшая толщина слоя h_min: θ = 180°");
    legend.stroke(loadLineColour, "2 3",
        "линия нагрузки: θ = 180° − φ = " + degrees(loadLine, separator)
            + ", угол φ = " + degrees(chart.attitudeAngle, separator));
    legend.stroke(ruptureColour, "8 3 2 3",
        "разрыв слоя: θ = " + degrees(chart.filmEndAngle, separator) + ", "
            + fromLoadLine(chart.filmEndAngle, loadLine, separator));
    legend.shade(ruptureShade, 0.18, "за разрывом давление равно окружающему");
    if (withMean) {
        legend.stroke(meanPressureColour, "4 4",
            "среднее давление P = F/(L·d) = " + figure(chart.meanPressure, separator)
                + " МПа, P/p_max = " + figure(chart.meanPressure / chart.maxPressure, separator));
    }
    return svg.finish();
}

std::string filmDesignChartSvg(const FilmDesignChart& chart)
{
    const std::string& separator = chart.decimalSeparator;
    const std::string ratio = lengthRatioText(chart.lengthRatio, separator);
    const std::string title = "Расчетная диаграмма масляного слоя: h_min/c по числу Зоммерфельда S";
    const PlotBox box = chartPlot;
    const bool withCurve = std::isfinite(chart.lengthRatio) && chart.lengthRatio >= filmMinLengthRatio
        && chart.lengthRatio <= filmMaxLengthRatio;
    const std::vector<FilmCurvePoint> curve
        = withCurve ? filmDesignCurve(chart.lengthRatio, designCurvePoints) : std::vector<FilmCurvePoint>{};
    const bool withCase = chart.sommerfeld && isPositive(*chart.sommerfeld);
    const bool withPoint = withCase && chart.eccentricity > 0 && chart.eccentricity < 1;

    std::vector<double> sommerfelds;
    sommerfelds.reserve(curve.size() + 1);
    for (const FilmCurvePoint& point : curve) {
        sommerfelds.push_back(point.sommerfeld);
    }
    if (withCase) {
        sommerfelds.push_back(*chart.sommerfeld);
    }
    const LogAxis x(sommerfelds, box.left, box.right);
    // h_min/c from 0 to 1, with a little room above 1 so that a point of a light load
    // stays off the frame.
    const LinearAxis y{.low = 0, .high = 1.05, .pixelStart = box.bottom, .pixelEnd = box.top};

    std::vector<PlacedTick> xTicks;
    for (AxisTick& tick : x.ticks(13, separator)) {
        xTicks.push_back({.value = tick.value,
            .pixel = x.pixel(tick.value),
            .labelled = tick.labelled,
            .label = std::move(tick.label)});
    }
    std::string unitFactor;
    const std::vector<PlacedTick> yTicks = stepTicks({1, -1}, 10, y, separator, unitFactor);

    SvgWriter svg(chartWidth, legendTop + 4 * legendLineHeight, title);
    svg.text(chartWidth / 2, 26, title, "middle", titleAttributes);
    svg.text(chartWidth / 2, 44, "L/d = " + ratio + "; S = (r/c)²·µ·N/P, h_min = c·(1 − ε); шкала S логарифмическая",
        "middle", noteAttributes);
    drawFrame(svg, box, xTicks, yTicks, tickFontSize, "Число Зоммерфельда S", "Относительная толщина слоя h_min/c");
    Legend legend(svg, box.left, legendTop);

    // Below h_min/c = 0.05 (ε above filmModelReach) the figures are not to be trusted.
    const double reach = 1 - filmModelReach;
    svg.rect(box.left, y.pixel(reach), box.right - box.left, box.bottom - y.pixel(reach),
        std::string(R"(id="beyond-model" fill=")") + std::string(peakColour) + R"(" fill-opacity="0.15")");
    if (curve.empty()) {
        noCurve(svg, box, "Кривая не построена: L/d вне пределов расчета");
    } else {
        // Solid within the model, dashed beyond it, the two joined at the first point
        // within it.
        SvgWriter::Points inside;
        SvgWriter::Points beyond;
        for (const FilmCurvePoint& point : curve) {
            const std::pair<double, double> at{x.pixel(point.sommerfeld), y.pixel(point.minFilmRatio)};
            if (point.minFilmRatio >= reach) {
                if (inside.empty()) {
                    beyond.push_back(at);
                }
                inside.push_back(at);
            } else {
                beyond.push_back(at);
            }
        }
        if (beyond.size() >= 2) {
            svg.polyline(beyond,
                std::string(R"(id="design-curve-beyond" fill="none" stroke=")") + std::string(pressureColour)
                    + R"(" stroke-width="2" stroke-dasharray="5 4")");
        }
        svg.polyline(inside,
            std::string(R"(id="design-curve" fill="none" stroke=")") + std::string(pressureColour)
                + R"(" stroke-width="2.5")");
        legend.stroke(pressureColour, {}, "расчетная кривая при L/d = " + ratio + ": решение уравнения Рейнольдса");
    }
    legend.shade(peakColour, 0.15,
        "за пределами модели: ε > " + formatShortest(filmModelReach, separator) + ", h_min/c < "
            + formatFixed(reach, 2, separator) + " (кривая штриховая)");
    if (withPoint) {
        const double ratioOfFilm = 1 - chart.eccentricity;
        svg.circle(x.pixel(*chart.sommerfeld), y.pixel(ratioOfFilm), 6,
            R"(id="operating-point" fill="#000000" stroke="#ffffff" stroke-width="1.5")");
        legend.dot("#000000",
            "рабочая точка: S = " + figure(*chart.sommerfeld, separator)
                + ", h_min/c = " + figure(ratioOfFilm, separator) + " (ε = " + figure(chart.eccentricity, separator)
                + ", h_min = " + figure(chart.minFilmThickness, separator) + " мкм)");
    } else if (withCase) {
        const double at = x.pixel(*chart.sommerfeld);
        svg.line(at, box.top, at, box.bottom,
            R"(id="operating-sommerfeld" stroke="#000000" stroke-width="2" stroke-dasharray="6 3")");
        legend.stroke("#000000", "6 3",
            "S случая = " + figure(*chart.sommerfeld, separator)
                + ": слой не несет нагрузку ни при каком эксцентриситете до "
                + formatShortest(filmSolverReach, separator));
    }
    return svg.finish();
}

FilmPressureChart filmPressureChartOf(const OilFilm& film, std::string decimalSeparator)
{
    FilmPressureChart chart;
    chart.decimalSeparator = std::move(decimalSeparator);
    if (film.fault != FilmFault::None || !film.solved) {
        return chart;
    }
    chart.pressure = film.midPlanePressure;
    chart.maxPressure = film.maxPressure;
    chart.maxPressureAngle = film.maxPressureAngle;
    chart.filmEndAngle = film.filmEndAngle;
    chart.attitudeAngle = film.attitudeAngle;
    chart.meanPressure = film.meanPressure;
    chart.eccentricity = film.eccentricity;
    chart.sommerfeld = film.sommerfeld;
    chart.lengthRatio = film.lengthRatio;
    return chart;
}

FilmDesignChart filmDesignChartOf(const OilFilm& film, std::string decimalSeparator)
{
    FilmDesignChart chart;
    chart.decimalSeparator = std::move(decimalSeparator);
    if (film.fault != FilmFault::None) {
        chart.lengthRatio = 0;
        return chart;
    }
    chart.lengthRatio = film.lengthRatio;
    if (film.solved) {
        chart.sommerfeld = film.sommerfeld;
        chart.eccentricity = film.eccentricity;
        chart.minFilmThickness = film.minFilmThickness;
    } else if (film.limit == FilmLimit::LoadBeyondFilm) {
        chart.sommerfeld = film.sommerfeld;
    }
    return chart;
}

}  // namespace bearing
