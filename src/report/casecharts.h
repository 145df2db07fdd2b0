#pragma once

// The charts of a calculation's cases, drawn from the report's case values: one case's
// charts as the report, --chart and the web page draw them, a case's panel among many,
// and the one chart of a run that --chart asks for.

#include "bearingcharts.h"
#include "calculationreport.h"

#include <span>
#include <string>
#include <string_view>

namespace bearing {

// Which chart --chart draws: the p–v diagram (for the oil film, its pressure) or the
// design chart.
enum class ChartKind { PV, Design };

// The charts of one sizing whose material was found: the p–v diagram with the point of its
// answer (none without figures), and the design chart with the given length's answer.
[[nodiscard]] std::string sizingPvDiagramSvg(const SizingReportCase& c, std::string_view decimalSeparator);
[[nodiscard]] std::string sizingDesignChartSvg(const SizingReportCase& c, std::string_view decimalSeparator);

// The charts of one check whose material was found, as --chart and the web page draw
// them: the p–v diagram with its operating point (none when the check ended in a fault)
// and the design chart with the proposed d × L.
[[nodiscard]] std::string checkPvDiagramSvg(const CheckReportCase& c, std::string_view decimalSeparator);
[[nodiscard]] std::string checkDesignChartSvg(const CheckReportCase& c, std::string_view decimalSeparator);

// A case whose material was found as one panel among `cases`: its point and a caption with
// its answer, or a caption that says it has none.
[[nodiscard]] PvPanel sizingPanel(
    const SizingReportCase& c, std::span<const SizingReportCase> cases, std::string_view decimalSeparator);
[[nodiscard]] PvPanel checkPanel(
    const CheckReportCase& c, std::span<const CheckReportCase> cases, std::string_view decimalSeparator);

// The chart that --chart draws for a run's cases: `kind` of the first case, or with
// `allMaterials` a panel for every material; where there is nothing to draw (no material
// found, a film not solved), a chart that says why, since an old chart under the same
// name would stay beside the new report as if it were this run's.
struct RunChart {
    ChartKind kind = ChartKind::PV;
    bool allMaterials = false;
    std::string decimalSeparator = ",";
};
[[nodiscard]] std::string runChartSvg(std::span<const SizingReportCase> cases, const RunChart& chart);
[[nodiscard]] std::string runChartSvg(std::span<const CheckReportCase> cases, const RunChart& chart);
[[nodiscard]] std::string runChartSvg(std::span<const FilmReportCase> cases, const RunChart& chart);

}  // namespace bearing
