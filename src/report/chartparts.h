#pragma once

// What the p–v and design charts and the oil film's charts draw alike, so that every chart
// of the report reads the same: the page's geometry and text styles, the frame with its
// grid and numbers, and the legend under the plot. Only the chart files of this folder
// include it.

#include "svgwriter.h"

#include <string>
#include <string_view>
#include <vector>

namespace bearing {

inline constexpr std::string_view textColour = R"(fill="#202020")";
inline constexpr std::string_view titleAttributes = R"(font-size="16" font-weight="bold" fill="#202020")";
inline constexpr std::string_view noteAttributes = R"(font-size="11" fill="#606060")";
inline constexpr double legendLineHeight = 18;

struct PlotBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// One chart to a page's width, its legend below the plot.
inline constexpr double chartWidth = 760;
inline constexpr PlotBox chartPlot{.left = 86, .top = 58, .right = 736, .bottom = 438};
inline constexpr double legendTop = chartPlot.bottom + 66;

// A tick placed on its axis; a labelled tick gets a darker grid line and its number.
struct PlacedTick {
    double value = 0;
    double pixel = 0;
    bool labelled = false;
    std::string label;
};

// Grid lines, ticks with their numbers in `fontSize`, the frame and the axis titles that
// are not empty.
void drawFrame(SvgWriter& svg, const PlotBox& box, const std::vector<PlacedTick>& xTicks,
    const std::vector<PlacedTick>& yTicks, double fontSize, std::string_view xTitle, std::string_view yTitle);

// The legend's entries one under another, each a sign and its text.
class Legend {
public:
    Legend(SvgWriter& svg, double x, double y)
        : svg_(svg)
        , x_(x)
        , y_(y)
    {
    }

    // A region: filled and outlined in its colour.
    void swatch(std::string_view colour, double opacity, std::string_view text);
    // A shaded band, which the chart draws without an edge.
    void shade(std::string_view colour, double opacity, std::string_view text);
    void stroke(std::string_view colour, std::string_view dash, std::string_view text);
    void dot(std::string_view colour, std::string_view text);
    void ring(std::string_view colour, std::string_view text);
    // A line of its own, in the note's grey, without a sign.
    void note(std::string_view text);

private:
    void entry(std::string_view text);

    SvgWriter& svg_;
    double x_;
    double y_;
};

}  // namespace bearing
