#include "filmcharts.h"

#include "oilfilm.h"
#include "xmldocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace bearing {
namespace {

// An axis as a reader finds it: the ticks' values and where they stand, in proportion
// of the value or of its logarithm between the first tick and the last.
struct ReadAxis {
    bool logarithmic = false;
    std::vector<std::pair<double, double>> ticks;  // value, pixel

    [[nodiscard]] double pixel(double value) const
    {
        const auto scale = [this](double v) { return logarithmic ? std::log10(v) : v; };
        const auto& [v0, p0] = ticks.front();
        const auto& [v1, p1] = ticks.back();
        return p0 + (scale(value) - scale(v0)) / (scale(v1) - scale(v0)) * (p1 - p0);
    }
};

ReadAxis readAxis(const XmlDocument& svg, const char* axis, bool logarithmic = false)
{
    ReadAxis read{.logarithmic = logarithmic, .ticks = {}};
    for (const auto& tick : svg.select(std::string("//s:line[@data-axis='") + axis + "']")) {
        read.ticks.emplace_back(tick.number("data-value"), tick.number(axis[0] == 'x' ? "x1" : "y1"));
    }
    return read;
}

using Points = std::vector<std::pair<double, double>>;

Points polylinePoints(const XmlDocument::Node& node)
{
    std::string list = node.attributes.at("points");
    std::replace(list.begin(), list.end(), ',', ' ');
    std::istringstream in(list);
    Points points;
    double x = 0;
    double y = 0;
    while (in >> x >> y) {
        points.emplace_back(x, y);
    }
    return points;
}

XmlDocument::Node only(const XmlDocument& svg, const std::string& xpath)
{
    auto found = svg.select(xpath);
    if (found.size() != 1) {
        ADD_FAILURE() << xpath << " found " << found.size() << " times";
        return {};
    }
    return std::move(found[0]);
}

// Coordinates are written to 0.01 px.
constexpr double pixelTolerance = 0.011;

FilmInput caseOf(double load, double length)
{
    FilmInput input;
    input.load = load;
    input.frequency = 1500;
    input.diameter = 80;
    input.length = length;
    input.clearance = 120;
    input.viscosity = 0.02;
    return input;
}

// The worked example of docs/oil-film.md: 10 kN, 1500 rpm, d = L = 80 mm, Δ = 120 µm, µ = 0.02 Pa·s.
const FilmInput workedExample = caseOf(10000, 80);

TEST(FilmCharts, DesignChartPutsTheOperatingPointAtItsFiguresOnTheDrawnCurve)
{
    struct Row {
        const char* name = "";
        FilmInput input;
    };
    for (const Row& row : {Row{"WorkedExample", workedExample}, Row{"QuarterLengthHeavy", caseOf(10000, 20)},
             Row{"ShortestLight", caseOf(300, 8)}, Row{"LongestLight", caseOf(10000, 320)}}) {
        SCOPED_TRACE(row.name);
        const OilFilm film = solveOilFilm(row.input);
        ASSERT_TRUE(film.solved);
        const XmlDocument svg(filmDesignChartSvg(filmDesignChartOf(film, ",")));
        ASSERT_TRUE(svg.valid()) << svg.error();
        const auto point = only(svg, "//s:circle[@id='operating-point']");
        EXPECT_NEAR(point.number("cx"), readAxis(svg, "x", true).pixel(film.sommerfeld), pixelTolerance);
        EXPECT_NEAR(point.number("cy"), readAxis(svg, "y").pixel(1 - film.eccentricity), pixelTolerance);
        // The curve is solved apart from the case, point by point, and drawn straight between its points.
        const Points curve = polylinePoints(only(svg, "//s:polyline[@id='design-curve']"));
        const double x = point.number("cx");
        const auto next = std::find_if(curve.begin(), curve.end(), [x](const auto& p) { return p.first >= x; });
        ASSERT_TRUE(next != curve.begin() && next != curve.end()) << "the point lies beyond the curve's ends";
        const auto& [x0, y0] = *std::prev(next);
        const auto& [x1, y1] = *next;
        EXPECT_NEAR(point.number("cy"), y0 + (x - x0) / (x1 - x0) * (y1 - y0), 0.5);
    }
    const XmlDocument svg(filmDesignChartSvg(filmDesignChartOf(solveOilFilm(workedExample), ",")));
    EXPECT_EQ(
        svg.select("//s:text[.='рабочая точка: S = 0,1422, h_min/c = 0,4406 (ε = 0,5594, h_min = 26,44 мкм)']").size(),
        1U);
    // Below h_min/c = 0.05 the model does not hold: the band is shaded and the curve there dashed.
    const auto band = only(svg, "//s:rect[@id='beyond-model']");
    EXPECT_NEAR(band.number("y"), readAxis(svg, "y").pixel(0.05), pixelTolerance);
    EXPECT_NEAR(band.number("y") + band.number("height"), readAxis(svg, "y").pixel(0), pixelTolerance);
    const Points beyond = polylinePoints(only(svg, "//s:polyline[@id='design-curve-beyond']"));
    EXPECT_NEAR(beyond.front().second, readAxis(svg, "y").pixel(1 - filmSolverReach), pixelTolerance);
}

TEST(FilmCharts, PressureChartMarksThePeakTheThinnestFilmTheLoadLineAndTheRupture)
{
    struct Row {
        const char* name = "";
        FilmInput input;
        const char* peakLabel = "";
    };
    for (const Row& row : {Row{"WorkedExample", workedExample, "3,634 МПа при 145,7°"},
             Row{"NarrowPeakOfAHeavyLoad", caseOf(30000, 20), "162,0 МПа при 173,0°"}}) {
        SCOPED_TRACE(row.name);
        const OilFilm film = solveOilFilm(row.input);
        ASSERT_TRUE(film.solved);
        const XmlDocument svg(filmPressureSvg(filmPressureChartOf(film, ",")));
        ASSERT_TRUE(svg.valid()) << svg.error();
        const ReadAxis x = readAxis(svg, "x");
        const ReadAxis y = readAxis(svg, "y");
        const auto peak = only(svg, "//s:circle[@id='peak-pressure']");
        EXPECT_NEAR(peak.number("cx"), x.pixel(film.maxPressureAngle), pixelTolerance);
        EXPECT_NEAR(peak.number("cy"), y.pixel(film.maxPressure), pixelTolerance);
        EXPECT_EQ(only(svg, "//s:text[@id='peak-label']").text, row.peakLabel);
        // The curve reaches the peak's mark and nowhere rises above it.
        const Points curve = polylinePoints(only(svg, "//s:polyline[@id='pressure-curve']"));
        const auto highest = std::min_element(
            curve.begin(), curve.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        EXPECT_NEAR(highest->second, peak.number("cy"), pixelTolerance);
        EXPECT_NEAR(curve.front().first, x.pixel(0), pixelTolerance);
        EXPECT_NEAR(curve.back().first, x.pixel(360), pixelTolerance);
        for (const auto& [id, angle] : {std::pair{"thinnest-film", 180.0},
                 std::pair{"load-line", 180 - film.attitudeAngle}, std::pair{"film-end", film.filmEndAngle}}) {
            SCOPED_TRACE(id);
            EXPECT_NEAR(
                only(svg, std::string("//s:line[@id='") + id + "']").number("x1"), x.pixel(angle), pixelTolerance);
        }
        EXPECT_NEAR(only(svg, "//s:rect[@id='ruptured-film']").number("x"), x.pixel(film.filmEndAngle), pixelTolerance);
        EXPECT_NEAR(
            only(svg, "//s:line[@id='mean-pressure']").number("y1"), y.pixel(film.meanPressure), pixelTolerance);
    }
    // docs/oil-film.md: the peak 18.76° and the film's end 78.04° past the load line.
    const XmlDocument svg(filmPressureSvg(filmPressureChartOf(solveOilFilm(workedExample), ",")));
    EXPECT_EQ(svg.select("//s:text[contains(., 'θ = 145,7°, на 18,8° за линией нагрузки')]").size(), 1U);
    EXPECT_EQ(svg.select("//s:text[.='разрыв слоя: θ = 205,0°, на 78,0° за линией нагрузки']").size(), 1U);
}

TEST(FilmCharts, MarksAndLabelsStayInsideTheFrameForExtremeCasesAndACaseWithoutASolutionSaysSo)
{
    struct Row {
        const char* name = "";
        FilmInput input;
    };
    const auto characters = [](const std::string& text) {
        return static_cast<double>(std::count_if(
            text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    };
    for (const Row& row : {Row{"VeryLightLoad", caseOf(1e-9, 80)}, Row{"VeryHeavyLoad", caseOf(30000, 20)},
             Row{"LoadBeyondTheFilm", caseOf(1e9, 80)}, Row{"ShortestBearing", caseOf(10000, 8)},
             Row{"LongestBearing", caseOf(10000, 320)}}) {
        SCOPED_TRACE(row.name);
        const OilFilm film = solveOilFilm(row.input);
        ASSERT_EQ(film.fault, FilmFault::None);
        for (const std::string& text :
            {filmPressureSvg(filmPressureChartOf(film, ",")), filmDesignChartSvg(filmDesignChartOf(film, ","))}) {
            const XmlDocument svg(text);
            ASSERT_TRUE(svg.valid()) << svg.error();
            SCOPED_TRACE(only(svg, "/s:svg/s:title").text);
            const auto frame = only(svg, "//s:rect[@fill='none' and @stroke='#404040']");
            const double left = frame.number("x");
            const double top = frame.number("y");
            const double right = left + frame.number("width");
            const double bottom = top + frame.number("height");
            const auto inside = [&](double x, double y, double margin) {
                return x >= left + margin && x <= right - margin && y >= top + margin && y <= bottom - margin;
            };
            for (const auto& mark : svg.select("//s:circle[@id]")) {
                EXPECT_TRUE(inside(mark.number("cx"), mark.number("cy"), 3)) << mark.attributes.at("id");
            }
            for (const auto& line : svg.select("//s:line[@id]")) {
                EXPECT_TRUE(
                    inside(line.number("x1"), line.number("y1"), 0) && inside(line.number("x2"), line.number("y2"), 0))
                    << line.attributes.at("id");
            }
            for (const auto& polyline : svg.select("//s:polyline[@id]")) {
                for (const auto& [x, y] : polylinePoints(polyline)) {
                    EXPECT_TRUE(inside(x, y, 0)) << polyline.attributes.at("id") << " at " << x << ", " << y;
                }
            }
            // The peak's label within the picture: about 7.5 px a character of 12 px bold.
            for (const auto& label : svg.select("//s:text[@id='peak-label']")) {
                const double width = 7.5 * characters(label.text);
                const bool start = label.attributes.at("text-anchor") == "start";
                EXPECT_GT(label.number("x") - (start ? 0 : width), 0);
                EXPECT_LT(label.number("x") + (start ? width : 0), right);
                EXPECT_GT(label.number("y"), top + 12);
            }
            // The numbers under the x axis: about 7 px a character at 11 px, centred on their ticks.
            std::vector<XmlDocument::Node> labels;
            for (auto& label : svg.select("//s:text[@text-anchor='middle']")) {
                if (std::abs(label.number("y") - (bottom + 15)) < 0.01) {
                    labels.push_back(std::move(label));
                }
            }
            EXPECT_GE(labels.size(), 3U);
            for (std::size_t i = 1; i < labels.size(); ++i) {
                EXPECT_GT(labels[i].number("x") - labels[i - 1].number("x"),
                    3.5 * (characters(labels[i - 1].text) + characters(labels[i].text)) + 2)
                    << labels[i - 1].text << " and " << labels[i].text;
            }
        }
    }
    // A load that no eccentricity carries: no curve, no point, a line at its S.
    const OilFilm film = solveOilFilm(caseOf(1e9, 80));
    ASSERT_EQ(film.limit, FilmLimit::LoadBeyondFilm);
    const XmlDocument pressure(filmPressureSvg(filmPressureChartOf(film, ",")));
    EXPECT_EQ(pressure.select("//s:text[@id='no-curve']").size(), 1U);
    EXPECT_TRUE(pressure.select("//s:polyline").empty());
    const XmlDocument design(filmDesignChartSvg(filmDesignChartOf(film, ",")));
    EXPECT_TRUE(design.select("//s:circle[@id='operating-point']").empty());
    EXPECT_NEAR(only(design, "//s:line[@id='operating-sommerfeld']").number("x1"),
        readAxis(design, "x", true).pixel(film.sommerfeld), pixelTolerance);
}

TEST(FilmCharts, IdenticalInputGivesIdenticalBytesAndTheSeparatorIsTheCallers)
{
    const OilFilm film = solveOilFilm(workedExample);
    EXPECT_EQ(filmPressureSvg(filmPressureChartOf(film, ",")), filmPressureSvg(filmPressureChartOf(film, ",")));
    EXPECT_EQ(filmDesignChartSvg(filmDesignChartOf(film, ",")), filmDesignChartSvg(filmDesignChartOf(film, ",")));

    const XmlDocument design(filmDesignChartSvg(filmDesignChartOf(film, ".")));
    EXPECT_EQ(design.select("//s:text[.='0.5']").size(), 2U);  // on both axes
    EXPECT_EQ(
        design.select("//s:text[.='за пределами модели: ε > 0.95, h_min/c < 0.05 (кривая штриховая)']").size(), 1U);
    const XmlDocument pressure(filmPressureSvg(filmPressureChartOf(film, ".")));
    EXPECT_EQ(pressure.select("//s:text[@id='peak-label' and .='3.634 МПа при 145.7°']").size(), 1U);

    // Pressures far below a thousandth of a megapascal are counted in a power of ten that the axis names.
    const XmlDocument light(filmPressureSvg(filmPressureChartOf(solveOilFilm(caseOf(1e-9, 80)), ",")));
    EXPECT_EQ(light.select("//s:text[.='Давление p, 10⁻¹⁴ МПа']").size(), 1U);
    EXPECT_EQ(light.select("//s:line[@data-axis='y' and @data-value='3e-13']").size(), 1U);
    EXPECT_EQ(light.select("//s:text[.='30' and @text-anchor='end']").size(), 1U);
}

}  // namespace
}  // namespace bearing
