#include "bearingcharts.h"

#include "designcheck.h"
#include "logaxis.h"
#include "sizing.h"
#include "svgwriter.h"
#include "xmldocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace bearing {
namespace {

const MaterialCatalogue catalogue{CatalogueVariant::ReferenceWindow};

const MaterialRecord& material(std::string_view name) { return catalogue.row(catalogue.findMaterial(name)); }

// An axis as a reader finds it: the ticks' values and where they stand. A value between
// two ticks lies in proportion of its logarithm.
struct ReadAxis {
    std::vector<std::pair<double, double>> ticks;  // value, pixel

    [[nodiscard]] double pixel(double value) const
    {
        const auto& [v0, p0] = ticks.front();
        const auto& [v1, p1] = ticks.back();
        return p0 + (std::log10(value) - std::log10(v0)) / (std::log10(v1) - std::log10(v0)) * (p1 - p0);
    }
};

ReadAxis readAxis(const XmlDocument& svg, const char* axis)
{
    ReadAxis read;
    for (const auto& tick : svg.select(std::string("//s:line[@data-axis='") + axis + "']")) {
        read.ticks.emplace_back(tick.number("data-value"), tick.number(axis[0] == 'x' ? "x1" : "y1"));
    }
    return read;
}

struct Mark {
    double x;
    double y;
};

Mark markOf(const XmlDocument& svg, const std::string& id)
{
    const auto found = svg.select("//s:circle[@id='" + id + "']");
    if (found.size() != 1) {
        ADD_FAILURE() << id << " found " << found.size() << " times";
        return {0, 0};
    }
    return {found[0].number("cx"), found[0].number("cy")};
}

std::vector<Mark> polygonPoints(const XmlDocument& svg, const std::string& id)
{
    std::vector<Mark> points;
    const auto found = svg.select("//s:polygon[@id='" + id + "']");
    if (found.size() != 1) {
        ADD_FAILURE() << id << " not found";
        return points;
    }
    std::string list = found[0].attributes.at("points");
    std::replace(list.begin(), list.end(), ',', ' ');
    std::istringstream in(list);
    double x = 0;
    double y = 0;
    while (in >> x >> y) {
        points.push_back({x, y});
    }
    return points;
}

// Coordinates are written to 0.01 px.
constexpr double pixelTolerance = 0.011;

void expectMarkAt(const XmlDocument& svg, const std::string& id, double xValue, double yValue)
{
    SCOPED_TRACE(id);
    const Mark mark = markOf(svg, id);
    EXPECT_NEAR(mark.x, readAxis(svg, "x").pixel(xValue), pixelTolerance);
    EXPECT_NEAR(mark.y, readAxis(svg, "y").pixel(yValue), pixelTolerance);
}

void expectVertex(const XmlDocument& svg, const std::string& id, double xValue, double yValue)
{
    const double x = readAxis(svg, "x").pixel(xValue);
    const double y = readAxis(svg, "y").pixel(yValue);
    const auto points = polygonPoints(svg, id);
    EXPECT_TRUE(std::any_of(points.begin(), points.end(),
        [&](const Mark& p) { return std::abs(p.x - x) < 0.02 && std::abs(p.y - y) < 0.02; }))
        << id << " has no vertex at " << xValue << ", " << yValue;
}

PvDiagram bronzeDiagram()
{
    return {.title = "Диаграмма p–v",
        .materials = {material("Бронза БрО10Ф1")},
        .point = pvPointOf(5000, 300, 16.7, 20),
        .pointCaption = "рабочая точка",
        .decimalSeparator = ","};
}

DesignChart bronzeChart()
{
    DesignChart chart;
    chart.material = material("Бронза БрО10Ф1");
    chart.load = 5000;
    chart.frequency = 300;
    chart.proposedDiameter = 16.7;
    chart.proposedLength = 20;
    chart.sizingLength = 20;
    return chart;
}

TEST(Charts, PvDiagramPutsTheOperatingPointAndTheLimitsWhereTheirNumbersAre)
{
    const XmlDocument svg(pvDiagramSvg(bronzeDiagram()));
    ASSERT_TRUE(svg.valid()) << svg.error();
    // v = π·16.7·300/60000 = 0.262323 m/s, p = 5000/334 = 14.97006 MPa.
    expectMarkAt(svg, "operating-point", 0.2623230, 14.970060);
    // [p] 15 up to [pv]/[p] = 1 m/s, then the hyperbola down to [v] 10 m/s at [pv]/[v] = 1.5 MPa.
    expectVertex(svg, "region-1", 1.0, 15.0);
    expectVertex(svg, "region-1", 10.0, 1.5);
    EXPECT_EQ(svg.select("//s:text[.='Скорость скольжения v, м/с']").size(), 1U);
    EXPECT_EQ(svg.select("//s:text[.='Давление p, МПа']").size(), 1U);
    EXPECT_EQ(svg.select("//s:text[starts-with(., 'рабочая точка: v = 0,2623 м/с, p = 14,97 МПа')]").size(), 1U);
}

TEST(Charts, DesignChartMarksTheSizingsAnswersAndTheProposedBearing)
{
    const XmlDocument svg(designChartSvg(bronzeChart()));
    ASSERT_TRUE(svg.valid()) << svg.error();
    // The sizing: Dmax 636.6 mm, L[pv] = π·5000·300/(60000·15) = 5.235988 mm, F/[p] = 333.3333 mm².
    expectMarkAt(svg, "sizing-answer", 636.6, 5.235988);
    expectMarkAt(svg, "proposed-design", 16.7, 20);
    expectMarkAt(svg, "length-answer", 333.3333 / 20, 20);
    // The region's lower edge bends where F/[p] / d meets L[pv]: d = 333.3333/5.235988 = 63.662 mm.
    expectVertex(svg, "feasible-region", 636.6, 5.235988);
    expectVertex(svg, "feasible-region", 333.3333 / 5.235988, 5.235988);
    const auto limit = svg.select("//s:line[@id='diameter-limit']");
    ASSERT_EQ(limit.size(), 1U);
    EXPECT_NEAR(limit[0].number("x1"), readAxis(svg, "x").pixel(636.6), pixelTolerance);
}

struct ExtremeCase {
    const char* name;
    std::function<std::string()> draw;
};

DesignChart chartFor(const char* name, double load, double frequency, std::optional<double> d = {},
    std::optional<double> l = {}, std::optional<double> sizingLength = {})
{
    DesignChart chart;
    chart.material = material(name);
    chart.load = load;
    chart.frequency = frequency;
    chart.proposedDiameter = d;
    chart.proposedLength = l;
    chart.sizingLength = sizingLength;
    return chart;
}

const std::vector<ExtremeCase> extremeCases{
    {"TinyPtfeRegionAndAFarPoint",
        [] {
            return pvDiagramSvg({.title = "t",
                .materials = {material("Фторопласт-4")},
                .point = PvPoint{100, 1000},
                .pointCaption = "точка",
                .decimalSeparator = ","});
        }},
    {"ThreeMaterialsDecadesApart",
        [] {
            return pvDiagramSvg({.title = "t",
                .materials = {material("Фторопласт-4"), material("Баббит Б83"), material("Металлокерамические сплавы")},
                .point = PvPoint{0.001, 0.01},
                .pointCaption = "точка",
                .decimalSeparator = ","});
        }},
    {"DiameterInKilometres", [] { return designChartSvg(chartFor("Баббит Б83", 10, 0.01, 5.0, 1e-3)); }},
    {"HugeLoad", [] { return designChartSvg(chartFor("Графит", 1e9, 1000, 100.0, 100.0, 1e7)); }},
    {"ProposalFarFromTheRegion", [] { return designChartSvg(chartFor("Капрон", 1, 1, 1e-3, 1e6)); }},
    {"NoLoad", [] { return designChartSvg(chartFor("Бронза БрО10Ф1", 0, 300, {}, {}, 20.0)); }},
};

TEST(Charts, EveryMarkStaysInsideTheFrameAndTheLabelsStayApartForExtremeInputs)
{
    for (const ExtremeCase& c : extremeCases) {
        SCOPED_TRACE(c.name);
        const XmlDocument svg(c.draw());
        ASSERT_TRUE(svg.valid()) << svg.error();
        const auto frame = svg.select("//s:rect[@fill='none' and @stroke='#404040']");
        ASSERT_EQ(frame.size(), 1U);
        const double left = frame[0].number("x");
        const double top = frame[0].number("y");
        const double right = left + frame[0].number("width");
        const double bottom = top + frame[0].number("height");
        for (const auto& mark : svg.select("//s:circle[@id]")) {
            SCOPED_TRACE(mark.attributes.at("id"));
            EXPECT_GT(mark.number("cx"), left + 3);
            EXPECT_LT(mark.number("cx"), right - 3);
            EXPECT_GT(mark.number("cy"), top + 3);
            EXPECT_LT(mark.number("cy"), bottom - 3);
        }
        for (const char* axis : {"x", "y"}) {
            // Labelled ticks carry the darker grid line; their labels sit beside them.
            const auto labelled = svg.select(std::string("//s:line[@data-axis='") + axis + "' and @stroke='#c4c4c4']");
            EXPECT_GE(labelled.size(), 2U) << axis;
            EXPECT_LE(labelled.size(), 10U) << axis;
        }
        // The numbers under the x axis: about 7 px a character at 11 px, centred on their ticks.
        std::vector<XmlDocument::Node> labels;
        for (auto& text : svg.select("//s:text[@text-anchor='middle']")) {
            if (std::abs(text.number("y") - (bottom + 15)) < 0.01) {
                labels.push_back(std::move(text));
            }
        }
        EXPECT_GE(labels.size(), 2U);
        const auto characters = [](const std::string& text) {
            return static_cast<double>(std::count_if(
                text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
        };
        for (std::size_t i = 1; i < labels.size(); ++i) {
            EXPECT_GT(labels[i].number("x") - labels[i - 1].number("x"),
                3.5 * (characters(labels[i - 1].text) + characters(labels[i].text)) + 2)
                << labels[i - 1].text << " and " << labels[i].text;
        }
    }
}

TEST(Charts, IdenticalInputGivesIdenticalBytesAndTheSeparatorIsTheCallers)
{
    EXPECT_EQ(designChartSvg(bronzeChart()), designChartSvg(bronzeChart()));
    EXPECT_EQ(pvDiagramSvg(bronzeDiagram()), pvDiagramSvg(bronzeDiagram()));
    PvDiagram point = bronzeDiagram();
    point.decimalSeparator = ".";
    const XmlDocument svg(pvDiagramSvg(point));
    EXPECT_EQ(svg.select("//s:text[.='0.5']").size(), 2U);  // on both axes
    EXPECT_TRUE(svg.select("//s:text[.='0,5']").empty());
    EXPECT_EQ(standaloneSvg("<svg/>"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg/>\n");
}

TEST(Charts, PanelsSetThePassingMaterialsApart)
{
    PvPanels panels;
    panels.title = "Все материалы";
    int passing = 0;
    for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
        const DesignCheck check = checkDesign(catalogue.row(row), DesignCheckTexts{"5000", "300", "16.7", "20", {}});
        passing += check.passes ? 1 : 0;
        panels.panels.push_back({.material = catalogue.row(row),
            .heading = {},
            .point = PvPoint{check.speed, check.pressure},
            .passes = check.passes,
            .caption = formatUtilisation(check.governingUse, ",") + " %"});
    }
    const XmlDocument svg(pvPanelsSvg(panels));
    ASSERT_TRUE(svg.valid()) << svg.error();
    EXPECT_EQ(passing, 6);
    EXPECT_EQ(svg.select("//s:g[@id='passing']/s:polygon").size(), 6U);
    EXPECT_EQ(svg.select("//s:g[@id='failing']/s:polygon").size(), 15U);
    EXPECT_EQ(svg.select("//s:g[@id='passing']/s:circle[@id='operating-point']").size(), 6U);
    EXPECT_EQ(svg.select("//s:g[@id='passing']/s:text[.='Бронза БрО10Ф1']").size(), 1U);
    EXPECT_EQ(svg.select("//s:text[.='Проходят: 6']").size(), 1U);
    EXPECT_EQ(svg.select("//s:text[.='Не проходят: 15']").size(), 1U);
}

TEST(Charts, DesignChartWithoutARegionSaysWhy)
{
    const XmlDocument noFrequency(designChartSvg(chartFor("Графит", 1000, 0)));
    ASSERT_TRUE(noFrequency.valid());
    EXPECT_EQ(noFrequency.select("//s:text[@id='no-region']").size(), 1U);
    EXPECT_TRUE(noFrequency.select("//s:polygon").empty());
    // Above 381 972 · [v] rpm the largest diameter rounds to 0.
    const XmlDocument zeroDiameter(designChartSvg(chartFor("Капрон", 1000, 1e6)));
    EXPECT_EQ(zeroDiameter.select("//s:text[@id='no-region' and contains(., 'равен 0')]").size(), 1U);
}

TEST(Charts, TickLabelsReadAsNumbers)
{
    struct Row {
        int mantissa;
        int exponent;
        const char* label;
        double value;
    };
    for (const Row& row : std::vector<Row>{{5, -2, "0,05", 0.05}, {2, 3, "2000", 2000}, {1, -3, "0,001", 0.001},
             {1, 5, "10⁵", 1e5}, {5, 8, "5·10⁸", 5e8}, {1, -6, "10⁻⁶", 1e-6}, {2, -12, "2·10⁻¹²", 2e-12},
             // The nearest double, on every platform: std::pow(10.0, n) misses these by a bit in one C library or
             // another.
             {1, 23, "10²³", 1e23}, {1, 29, "10²⁹", 1e29}, {1, 34, "10³⁴", 1e34}, {3, -300, "3·10⁻³⁰⁰", 3e-300}}) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(tickLabel(row.mantissa, row.exponent, ","), row.label);
        EXPECT_EQ(decadeValue(row.mantissa, row.exponent), row.value);
    }
    // A single value sits mid-axis; the axis spans at least two decades and ignores non-positive values.
    const std::vector<double> values{5.0, 0.0, -1.0, std::nan("")};
    const LogAxis axis(values, 0, 100);
    EXPECT_EQ(axis.low(), 0.1);
    EXPECT_EQ(axis.high(), 10);
    EXPECT_DOUBLE_EQ(axis.pixel(1), 50);
}

}  // namespace
}  // namespace bearing
