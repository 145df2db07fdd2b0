#pragma once

// The program's charts, as SVG elements: where a bearing works against its material's
// limits. Each function is pure: identical input gives identical bytes. Both axes of
// every chart are logarithmic, so that the limits' hyperbolas are straight lines and a
// region a thousand times smaller than its neighbour stays readable; every label, unit
// and legend entry is Russian. Marks carry ids ("operating-point", "sizing-answer",
// "proposed-design", "length-answer") and ticks their value (data-value), for tests.
//
//   pvDiagramSvg()  p–v diagram: the permissible region of one or more materials
//                   (p ≤ [p], v ≤ [v], p·v ≤ [pv]) and the operating point
//   pvPanelsSvg()   the same for many materials, one small panel each, on shared
//                   axes; the panels that pass stand apart from those that do not
//   designChartSvg() d against L for one material: the region that the sizing's three
//                   relations allow, the sizing's answers and a proposed d × L
//   undrawnChartSvg() in place of a chart that has nothing to draw: the reason why
//
// standaloneSvg() (svgwriter.h) turns an element into a file.

#include "designcheck.h"
#include "materialcatalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

struct PvDiagram {
    std::string title;
    std::vector<MaterialRecord> materials;  // one region each, in this order
    std::optional<PvPoint> point;           // none, or not positive: no point drawn
    std::string pointCaption;               // the point's legend entry, before its figures
    std::string decimalSeparator = ",";
};

[[nodiscard]] std::string pvDiagramSvg(const PvDiagram& diagram);

struct PvPanel {
    MaterialRecord material;
    std::string heading;  // the panel's heading; empty: the material's name
    std::optional<PvPoint> point;
    bool passes = false;
    std::string caption;  // one short line under the material's name
};

struct PvPanels {
    std::string title;
    std::vector<PvPanel> panels;  // in the order to show them within their section
    std::string passingHeading = "Проходят";
    std::string failingHeading = "Не проходят";
    std::string pointCaption = "рабочая точка";
    std::string decimalSeparator = ",";
};

[[nodiscard]] std::string pvPanelsSvg(const PvPanels& panels);

struct DesignChart {
    MaterialRecord material{};
    double load = 0;       // F, N; the sizing reads it as a single
    double frequency = 0;  // n, rpm; likewise
    // A check's proposed journal diameter and bearing length, mm.
    std::optional<double> proposedDiameter;
    std::optional<double> proposedLength;
    // A sizing's proposed length, mm: marks the smallest diameter for it.
    std::optional<double> sizingLength;
    std::string decimalSeparator = ",";
};

[[nodiscard]] std::string designChartSvg(const DesignChart& chart);

// A chart's frame with `title` and, inside it, `why` no chart is drawn (id="no-chart").
[[nodiscard]] std::string undrawnChartSvg(std::string_view title, std::string_view why);

}  // namespace bearing
