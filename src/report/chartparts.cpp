#include "chartparts.h"

#include "numbertext.h"

namespace bearing {

void drawFrame(SvgWriter& svg, const PlotBox& box, const std::vector<PlacedTick>& xTicks,
    const std::vector<PlacedTick>& yTicks, double fontSize, std::string_view xTitle, std::string_view yTitle)
{
    const std::string labelAttributes = R"(font-size=")" + svgNumber(fontSize) + R"(" fill="#404040")";
    const auto gridAttributes = [](const char* axis, const PlacedTick& tick) {
        return std::string(R"(data-axis=")") + axis + R"(" data-value=")" + formatShortest(tick.value, ".")
            + R"(" stroke=")" + (tick.labelled ? "#c4c4c4" : "#ebebeb") + R"(" stroke-width="1")";
    };
    for (const PlacedTick& tick : xTicks) {
        svg.line(tick.pixel, box.top, tick.pixel, box.bottom, gridAttributes("x", tick));
        if (tick.labelled) {
            svg.text(tick.pixel, box.bottom + fontSize + 4, tick.label, "middle", labelAttributes);
        }
    }
    for (const PlacedTick& tick : yTicks) {
        svg.line(box.left, tick.pixel, box.right, tick.pixel, gridAttributes("y", tick));
        if (tick.labelled) {
            svg.text(box.left - 5, tick.pixel + fontSize * 0.35, tick.label, "end", labelAttributes);
        }
    }
    svg.rect(box.left, box.top, box.right - box.left, box.bottom - box.top,
        R"(fill="none" stroke="#404040" stroke-width="1")");
    if (!xTitle.empty()) {
        svg.text((box.left + box.right) / 2, box.bottom + 2 * fontSize + 14, xTitle, "middle",
            R"(font-size="13" fill="#202020")");
    }
    if (!yTitle.empty()) {
        const double x = box.left - 58;
        const double y = (box.top + box.bottom) / 2;
        svg.text(x, y, yTitle, "middle",
            R"(font-size="13" fill="#202020" transform="rotate(-90 )" + svgNumber(x) + ' ' + svgNumber(y) + ")\"");
    }
}

void Legend::swatch(std::string_view colour, double opacity, std::string_view text)
{
    svg_.rect(x_, y_ - 10, 22, 12,
        std::string(R"(fill=")") + std::string(colour) + R"(" fill-opacity=")" + svgNumber(opacity) + R"(" stroke=")"
            + std::string(colour) + R"(" stroke-width="1.5")");
    entry(text);
}

void Legend::shade(std::string_view colour, double opacity, std::string_view text)
{
    svg_.rect(x_, y_ - 10, 22, 12,
        std::string(R"(fill=")") + std::string(colour) + R"(" fill-opacity=")" + svgNumber(opacity)
            + R"(" stroke="none")");
    entry(text);
}

void Legend::stroke(std::string_view colour, std::string_view dash, std::string_view text)
{
    svg_.line(x_, y_ - 4, x_ + 22, y_ - 4,
        std::string(R"(stroke=")") + std::string(colour) + R"(" stroke-width="2")"
            + (dash.empty() ? std::string() : std::string(R"( stroke-dasharray=")") + std::string(dash) + '"'));
    entry(text);
}

void Legend::dot(std::string_view colour, std::string_view text)
{
    svg_.circle(x_ + 11, y_ - 4, 5,
        std::string(R"(fill=")") + std::string(colour) + R"(" stroke="#ffffff" stroke-width="1.5")");
    entry(text);
}

void Legend::ring(std::string_view colour, std::string_view text)
{
    svg_.circle(
        x_ + 11, y_ - 4, 6, std::string(R"(fill="none" stroke=")") + std::string(colour) + R"(" stroke-width="2.5")");
    entry(text);
}

void Legend::note(std::string_view text)
{
    svg_.text(x_, y_, text, "start", noteAttributes);
    y_ += legendLineHeight;
}

void Legend::entry(std::string_view text)
{
    svg_.text(x_ + 30, y_, text, "start", textColour);
    y_ += legendLineHeight;
}

}  // namespace bearing
