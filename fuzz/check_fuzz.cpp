// Fuzzes the design check, its charts and its report: whatever the texts, a check ends
// in a fault or in finite figures that agree with each other, and the charts and the
// report of a checked design are closed and hold no number that is not one.
//
// An input is one check:
//   byte 0    the material's row, modulo 21
//   the rest  load|frequency|diameter|length[|temperature]

#include "bearingcharts.h"
#include "calculationreport.h"
#include "designcheck.h"
#include "fuzzcheck.h"
#include "materialcatalogue.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bearing::check::require;

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

bool finitePositive(double value) { return std::isfinite(value) && value > 0; }

// A written number that is none: the writers' words for NaN and infinity.
bool holdsNonNumber(std::string_view text)
{
    return text.find("nan") != std::string_view::npos || text.find("inf") != std::string_view::npos;
}

void checkFigures(const bearing::DesignCheck& check, const bearing::DesignCheckInput& input)
{
    for (const double figure : {check.pressure, check.speed, check.pv, check.pressureUse, check.speedUse, check.pvUse,
             check.maxLoad, check.maxFrequency, check.maxSpeed}) {
        require(finitePositive(figure), "a checked design's figures are finite and positive");
    }
    const double largest = std::max({check.pressureUse, check.speedUse, check.pvUse});
    require(check.governingUse == largest, "the governing use is the largest");
    require(check.limitsHold == (largest <= 1), "the limits hold when every use is at most 1");
    require(check.passes == (check.limitsHold && check.temperatureHolds), "passing is the limits and the temperature");
    // p and pv grow with F and the speed does not: at Fmax the larger of their uses is 1.
    const double loadRatio = input.load / check.maxLoad;
    const double loadUse = std::max(check.pressureUse, check.pvUse);
    require(std::abs(loadRatio - loadUse) <= 1e-9 * loadUse, "F / Fmax is the larger use of [p] and [pv]");
    for (const double figure : {check.pressure, check.pv, check.maxLoad, check.maxFrequency}) {
        require(!holdsNonNumber(bearing::formatCheckFigure(figure, ",")), "a shown figure is a number");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);  // NOLINT: libFuzzer's bytes
    const bearing::MaterialCatalogue catalogue(bearing::CatalogueVariant::ReferenceWindow);
    const bearing::MaterialRecord& material
        = catalogue.row(static_cast<unsigned char>(input[0]) % bearing::MaterialCatalogue::rowCount);
    const std::vector<std::string_view> fields = split(input.substr(1), '|');
    if (fields.size() < 4) {
        return 0;
    }
    bearing::DesignCheckTexts texts{fields[0], fields[1], fields[2], fields[3], std::nullopt};
    if (fields.size() > 4) {
        texts.temperature = fields[4];
    }
    const bearing::DesignCheckReading reading = bearing::readDesignCheckInput(texts);
    const bearing::DesignCheck check = bearing::checkDesign(material, texts);
    require(check.fault == reading.fault || reading.fault == bearing::CheckFault::None,
        "a reading fault is the check's fault");
    if (check.fault != bearing::CheckFault::None) {
        require(!check.passes, "a fault never passes");
        require(!bearing::checkFaultMessage(check.fault).empty(), "a fault has its message");
        return 0;
    }
    checkFigures(check, reading.input);

    bearing::DesignChart chart;
    chart.material = material;
    chart.load = reading.input.load;
    chart.frequency = reading.input.frequency;
    chart.proposedDiameter = reading.input.diameter;
    chart.proposedLength = reading.input.length;
    for (const std::string& svg : {bearing::designChartSvg(chart),
             bearing::pvDiagramSvg({.title = "p–v",
             .materials = {material},
             .point = bearing::PvPoint{check.speed, check.pressure},
             .pointCaption = "точка",
             .decimalSeparator = ","})}) {
        require(!holdsNonNumber(svg), "a chart holds numbers only", svg);
        require(svg.ends_with("</svg>"), "a chart is closed");
    }

    bearing::CheckReportCase reported;
    reported.materialText = std::string(material.name);
    reported.material = material;
    reported.load = std::string(texts.load);
    reported.frequency = std::string(texts.frequency);
    reported.diameter = std::string(texts.diameter);
    reported.length = std::string(texts.length);
    if (texts.temperature) {
        reported.temperature = std::string(*texts.temperature);
    }
    reported.check = check;
    const std::string html = bearing::calculationReportHtml({.programName = "p",
        .version = "1",
        .date = bearing::reportDate(0),
        .decimalSeparator = ",",
        .sizings = {},
        .checks = {reported}});
    require(html.ends_with("</html>\n"), "a report is closed");
    // Figures are written as numbers; a user's text may say "inf" on its own.
    require(!holdsNonNumber(html) || holdsNonNumber(input), "a report holds numbers only");
    return 0;
}
