// Writes the sample charts and reports that docs/ shows, from the worked example:
// «Бронза БрО10Ф1», F 5000 N, n 300 rpm, d × L = 16.7 × 20 mm, t 80 °C. bench/samples.sh
// renders them to PNG and PDF. The sizing report is the same case run through the
// bearing window's diameter button with a length of 20 mm.
//
//   plain-bearings-samples DIRECTORY
//
// The date is taken from SOURCE_DATE_EPOCH (0 when unset), so that the samples are made
// again byte for byte.

#include "bearingcharts.h"
#include "calculationreport.h"
#include "designcheck.h"
#include "materialcatalogue.h"
#include "press.h"
#include "programversion.h"
#include "sizing.h"
#include "svgwriter.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace bearing;

bool write(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "cannot write " << path << '\n';
        return false;
    }
    std::cout << path << '\n';
    return true;
}

CheckReportCase checked(const MaterialCatalogue& catalogue, int row)
{
    CheckReportCase c;
    c.material = catalogue.row(row);
    c.materialText = std::string(c.material->name);
    c.groupName = row < materialGroups[1].firstRow ? "без смазки" : "со смазкой";
    c.load = "5000";
    c.frequency = "300";
    c.diameter = "16.7";
    c.length = "20";
    c.temperature = "80";
    c.check = checkDesign(*c.material, DesignCheckTexts{c.load, c.frequency, c.diameter, c.length, "80"});
    return c;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: plain-bearings-samples DIRECTORY\n";
        return 2;
    }
    const std::string directory = argv[1];
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");  // NOLINT(concurrency-mt-unsafe): one thread
    const std::int64_t seconds = epoch != nullptr ? std::strtoll(epoch, nullptr, 10) : 0;

    const MaterialCatalogue catalogue(CatalogueVariant::ReferenceWindow);
    const int bronze = catalogue.findMaterial("Бронза БрО10Ф1");
    const CheckReportCase worked = checked(catalogue, bronze);

    PvDiagram diagram{.title = "Диаграмма p–v: Бронза БрО10Ф1",
        .materials = {*worked.material},
        .point = PvPoint{worked.check.speed, worked.check.pressure},
        .pointCaption = "рабочая точка d × L = 16,7 × 20 мм",
        .decimalSeparator = ","};
    DesignChart chart;
    chart.material = *worked.material;
    chart.load = 5000;
    chart.frequency = 300;
    chart.proposedDiameter = 16.7;
    chart.proposedLength = 20;

    std::vector<CheckReportCase> everyMaterial;
    PvPanels panels;
    panels.title = "Диаграммы p–v всех материалов: F = 5000 Н, n = 300 об/мин, d × L = 16,7 × 20 мм";
    for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
        everyMaterial.push_back(checked(catalogue, row));
        const DesignCheck& check = everyMaterial.back().check;
        panels.panels.push_back({.material = catalogue.row(row),
            .heading = {},
            .point = PvPoint{check.speed, check.pressure},
            .passes = check.passes,
            .caption
            = formatUtilisation(check.governingUse, ",") + " % по " + std::string(limitSymbol(check.governing))});
    }

    CalculationReport report{.programName = "plain-bearings-calc",
        .version = std::string(programVersion),
        .date = reportDate(seconds),
        .decimalSeparator = ",",
        .sizings = {},
        .checks = {worked}};
    CalculationReport all = report;
    all.checks = everyMaterial;

    // The sizing of the same case with the length 20 mm, as the bearing window's diameter
    // button runs it.
    const MaterialCatalogue window(CatalogueVariant::BearingWindow);
    const PressInput input{.material = "Бронза БрО10Ф1", .load = "5000", .frequency = "300", .length = "20"};
    CalculationReport sizing = report;
    sizing.checks.clear();
    sizing.sizings.push_back(sizingReportCase("Бронза БрО10Ф1", *worked.material, worked.groupName, input, true,
        pressDiameterForLength(window, input, SizingState{}, ",")));

    const bool written = write(directory + "/pv-diagram.svg", standaloneSvg(pvDiagramSvg(diagram)))
        && write(directory + "/pv-panels.svg", standaloneSvg(pvPanelsSvg(panels)))
        && write(directory + "/design-chart.svg", standaloneSvg(designChartSvg(chart)))
        && write(directory + "/check-report.html", calculationReportHtml(report))
        && write(directory + "/check-report-all.html", calculationReportHtml(all))
        && write(directory + "/sizing-report.html", calculationReportHtml(sizing));
    return written ? 0 : 1;
}
