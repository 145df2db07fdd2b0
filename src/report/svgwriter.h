#pragma once

// A small writer of SVG elements, for the charts. Coordinates are written with at most
// two decimals through formatFixed() (numbertext.h), so that the output does not depend
// on the C locale and identical calls give identical bytes. Only what librsvg and the
// browsers draw alike is used: presentation attributes, no CSS, no markers, no text
// metrics.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bearing {

// A number for an SVG attribute: rounded to 0.01, no trailing zeros, "-0" written "0".
[[nodiscard]] std::string svgNumber(double value);
// Text with &, <, > and " escaped, for element content and attribute values alike.
[[nodiscard]] std::string xmlEscaped(std::string_view text);

class SvgWriter {
public:
    // Opens an <svg> element of `width` × `height` user units (pixels) with a <title>.
    SvgWriter(double width, double height, std::string_view title);

    using Points = std::vector<std::pair<double, double>>;

    // `attributes` are written as they are: fill, stroke and the like, or an id.
    void rect(double x, double y, double width, double height, std::string_view attributes);
    void line(double x1, double y1, double x2, double y2, std::string_view attributes);
    void polyline(const Points& points, std::string_view attributes);
    void polygon(const Points& points, std::string_view attributes);
    void circle(double cx, double cy, double r, std::string_view attributes);
    // `anchor`: "start", "middle" or "end"; the text is escaped here.
    void text(double x, double y, std::string_view text, std::string_view anchor, std::string_view attributes);
    void openGroup(std::string_view attributes);
    void closeGroup();

    // The <svg> element, closed. The writer is spent afterwards.
    [[nodiscard]] std::string finish();

private:
    void points(const Points& points);
    std::string out_;
};

// An <svg> element made a file of its own: the XML declaration before it, a line feed after.
[[nodiscard]] std::string standaloneSvg(std::string_view svgElement);

}  // namespace bearing
