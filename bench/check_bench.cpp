// The design check, the charts and the report: a million checks read from their texts,
// as a batch would run them, and one chart or report per call.

#include "bearingcharts.h"
#include "calculationreport.h"
#include "designcheck.h"
#include "materialcatalogue.h"
#include "sizing.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace bearing {
namespace {

constexpr std::size_t millionChecks = 1'000'000;

// A thousand different designs over the whole catalogue, as texts, taken in turn.
struct DesignTexts {
    int row;
    std::string load;
    std::string frequency;
    std::string diameter;
    std::string length;
};

std::vector<DesignTexts> designMix()
{
    constexpr std::size_t designs = 1000;
    std::vector<DesignTexts> mix;
    mix.reserve(designs);
    unsigned seed = 13;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245U + 12345U;
        return (seed >> 8) % range;
    };
    for (std::size_t i = 0; i < designs; ++i) {
        mix.push_back({.row = static_cast<int>(next(MaterialCatalogue::rowCount)),
            .load = std::to_string(100 + next(20000)),
            .frequency = std::to_string(10 + next(3000)),
            .diameter = std::to_string(5 + next(300)) + "." + std::to_string(next(10)),
            .length = std::to_string(5 + next(200))});
    }
    return mix;
}

void millionChecksFromTexts(benchmark::State& benchState)
{
    const MaterialCatalogue catalogue(CatalogueVariant::ReferenceWindow);
    const std::vector<DesignTexts> mix = designMix();
    std::size_t passing = 0;
    for (auto _ : benchState) {
        passing = 0;
        for (std::size_t i = 0; i < millionChecks; ++i) {
            const DesignTexts& texts = mix[i % mix.size()];
            const DesignCheck check = checkDesign(catalogue.row(texts.row),
                DesignCheckTexts{texts.load, texts.frequency, texts.diameter, texts.length, std::nullopt});
            passing += check.passes ? 1 : 0;
            benchmark::DoNotOptimize(check);
        }
    }
    benchState.counters["passing"] = static_cast<double>(passing);
    if (passing == 0 || passing == millionChecks) {
        benchState.SkipWithError("the mix should hold designs that pass and designs that do not");
    }
}
BENCHMARK(millionChecksFromTexts)->Unit(benchmark::kMillisecond)->Iterations(3);

DesignChart workedChart()
{
    DesignChart chart;
    chart.material = MaterialCatalogue(CatalogueVariant::ReferenceWindow).row(14);
    chart.load = 5000;
    chart.frequency = 300;
    chart.proposedDiameter = 16.7;
    chart.proposedLength = 20;
    return chart;
}

void pvDiagramPerCall(benchmark::State& benchState)
{
    const PvDiagram diagram{.title = "Диаграмма p–v",
        .materials = {workedChart().material},
        .point = pvPointOf(5000, 300, 16.7, 20),
        .pointCaption = "рабочая точка",
        .decimalSeparator = ","};
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(pvDiagramSvg(diagram));
    }
}
BENCHMARK(pvDiagramPerCall)->Unit(benchmark::kMicrosecond);

void designChartPerCall(benchmark::State& benchState)
{
    const DesignChart chart = workedChart();
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(designChartSvg(chart));
    }
}
BENCHMARK(designChartPerCall)->Unit(benchmark::kMicrosecond);

std::vector<CheckReportCase> everyMaterialChecked()
{
    const MaterialCatalogue catalogue(CatalogueVariant::ReferenceWindow);
    std::vector<CheckReportCase> cases;
    for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
        CheckReportCase c;
        c.material = catalogue.row(row);
        c.materialText = std::string(c.material->name);
        c.load = "5000";
        c.frequency = "300";
        c.diameter = "16.7";
        c.length = "20";
        c.check = checkDesign(*c.material, DesignCheckTexts{c.load, c.frequency, c.diameter, c.length, std::nullopt});
        cases.push_back(c);
    }
    return cases;
}

void panelsOfEveryMaterialPerCall(benchmark::State& benchState)
{
    PvPanels panels;
    panels.title = "Все материалы";
    for (const CheckReportCase& c : everyMaterialChecked()) {
        panels.panels.push_back({.material = *c.material,
            .heading = {},
            .point = PvPoint{c.check.speed, c.check.pressure},
            .passes = c.check.passes,
            .caption = formatUtilisation(c.check.governingUse, ",") + " %"});
    }
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(pvPanelsSvg(panels));
    }
}
BENCHMARK(panelsOfEveryMaterialPerCall)->Unit(benchmark::kMicrosecond);

void reportPerCall(benchmark::State& benchState, std::size_t cases)
{
    std::vector<CheckReportCase> checks = everyMaterialChecked();
    checks.resize(cases);
    const CalculationReport report{.programName = "plain-bearings-calc",
        .version = "1.01",
        .date = reportDate(0),
        .decimalSeparator = ",",
        .sizings = {},
        .checks = checks};
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(calculationReportHtml(report));
    }
}
BENCHMARK_CAPTURE(reportPerCall, oneCheck, std::size_t{1})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(reportPerCall, everyMaterial, std::size_t{21})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bearing

BENCHMARK_MAIN();
