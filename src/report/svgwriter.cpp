#include "svgwriter.h"

#include "numbertext.h"

#include <cmath>

namespace bearing {

std::string svgNumber(double value)
{
    double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0 || !std::isfinite(rounded)) {
        rounded = 0;
    }
    std::string text = formatFixed(rounded, 2, ".");
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

std::string xmlEscaped(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default:
            // Control characters other than tab and line feed are not allowed in XML 1.0.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
                escaped += '?';
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

SvgWriter::SvgWriter(double width, double height, std::string_view title)
{
    out_ += R"(<svg xmlns="http://www.w3.org/2000/svg" width=")" + svgNumber(width) + R"(" height=")"
        + svgNumber(height) + R"(" viewBox="0 0 )" + svgNumber(width) + ' ' + svgNumber(height)
        + R"(" font-family="DejaVu Sans, Verdana, sans-serif" font-size="12">)" + '\n';
    out_ += "<title>" + xmlEscaped(title) + "</title>\n";
    rect(0, 0, width, height, R"(fill="#ffffff")");
}

void SvgWriter::rect(double x, double y, double width, double height, std::string_view attributes)
{
    out_ += R"(<rect x=")" + svgNumber(x) + R"(" y=")" + svgNumber(y) + R"(" width=")" + svgNumber(width)
        + R"(" height=")" + svgNumber(height) + "\" ";
    out_ += attributes;
    out_ += "/>\n";
}

void SvgWriter::line(double x1, double y1, double x2, double y2, std::string_view attributes)
{
    out_ += R"(<line x1=")" + svgNumber(x1) + R"(" y1=")" + svgNumber(y1) + R"(" x2=")" + svgNumber(x2) + R"(" y2=")"
        + svgNumber(y2) + "\" ";
    out_ += attributes;
    out_ += "/>\n";
}

void SvgWriter::points(const Points& points)
{
    out_ += R"(points=")";
    bool first = true;
    for (const auto& [x, y] : points) {
        if (!first) {
            out_ += ' ';
        }
        first = false;
        out_ += svgNumber(x) + ',' + svgNumber(y);
    }
    out_ += "\" ";
}

void SvgWriter::polyline(const Points& points, std::string_view attributes)
{
    out_ += "<polyline ";
    this->points(points);
    out_ += attributes;
    out_ += "/>\n";
}

void SvgWriter::polygon(const Points& points, std::string_view attributes)
{
    out_ += "<polygon ";
    this->points(points);
    out_ += attributes;
    out_ += "/>\n";
}

void SvgWriter::circle(double cx, double cy, double r, std::string_view attributes)
{
    out_ += R"(<circle cx=")" + svgNumber(cx) + R"(" cy=")" + svgNumber(cy) + R"(" r=")" + svgNumber(r) + "\" ";
    out_ += attributes;
    out_ += "/>\n";
}

void SvgWriter::text(double x, double y, std::string_view text, std::string_view anchor, std::string_view attributes)
{
    out_ += R"(<text x=")" + svgNumber(x) + R"(" y=")" + svgNumber(y) + R"(" text-anchor=")";
    out_ += anchor;
    out_ += "\" ";
    out_ += attributes;
    out_ += '>' + xmlEscaped(text) + "</text>\n";
}

void SvgWriter::openGroup(std::string_view attributes)
{
    out_ += "<g ";
    out_ += attributes;
    out_ += ">\n";
}

void SvgWriter::closeGroup() { out_ += "</g>\n"; }

std::string SvgWriter::finish()
{
    out_ += "</svg>";
    return std::move(out_);
}

std::string standaloneSvg(std::string_view svgElement)
{
    std::string file = R"(<?xml version="1.0" encoding="UTF-8"?>)";
    file += '\n';
    file += svgElement;
    file += '\n';
    return file;
}

}  // namespace bearing
