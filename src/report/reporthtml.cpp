#include "reporthtml.h"

#include "svgwriter.h"

namespace bearing {

std::string messageHtml(std::string_view message)
{
    std::string html;
    std::size_t start = 0;
    while (start <= message.size()) {
        const std::size_t end = message.find('\n', start);
        std::string_view line = message.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (start != 0) {
            html += "<br/>";
        }
        html += xmlEscaped(line);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return html;
}

void Html::element(std::string_view tag, std::string_view text, std::string_view attributes)
{
    out_ += '<';
    out_ += tag;
    if (!attributes.empty()) {
        out_ += ' ';
        out_ += attributes;
    }
    out_ += '>';
    out_ += xmlEscaped(text);
    out_ += "</";
    out_ += tag;
    out_ += ">\n";
}

void Html::row(std::span<const Cell> cells, std::string_view cellTag)
{
    out_ += "<tr>";
    for (const Cell& cell : cells) {
        out_ += '<';
        out_ += cellTag;
        if (!cell.kind.empty()) {
            out_ += " class=\"";
            out_ += cell.kind;
            out_ += '"';
        }
        out_ += '>';
        out_ += cell.html;
        out_ += "</";
        out_ += cellTag;
        out_ += '>';
    }
    out_ += "</tr>\n";
}

void Html::figure(std::string_view svg, std::string_view caption)
{
    out_ += "<figure>\n";
    out_ += svg;
    out_ += "\n<figcaption>" + xmlEscaped(caption) + "</figcaption>\n</figure>\n";
}

}  // namespace bearing
