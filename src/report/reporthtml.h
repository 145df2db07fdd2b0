#pragma once

// The HTML that the calculation report and the oil film's section are written with, so
// that both read the same: elements with their text escaped, table rows of cells, figures
// with their captions, and a message's line breaks. Only the report files of this folder
// include it.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace bearing {

// A message's text for HTML: escaped, its CR LF line breaks as <br/>.
[[nodiscard]] std::string messageHtml(std::string_view message);

// A table cell: its HTML, and its class ("n" a number, "f" a formula) or none.
struct Cell {
    Cell(std::string html)  // NOLINT(google-explicit-constructor,hicpp-explicit-conversions): cells read as texts
        : html(std::move(html))
    {
    }
    Cell(const char* html)  // NOLINT(google-explicit-constructor,hicpp-explicit-conversions)
        : html(html)
    {
    }
    Cell(std::string_view kind, std::string html)
        : html(std::move(html))
        , kind(kind)
    {
    }
    std::string html;
    std::string_view kind;
};

class Html {
public:
    void raw(std::string_view text) { out_ += text; }
    // An element holding `text`, escaped, on a line of its own.
    void element(std::string_view tag, std::string_view text, std::string_view attributes = {});
    // A table row of cells already in HTML.
    void row(std::initializer_list<Cell> cells, std::string_view cellTag = "td")
    {
        row(std::span<const Cell>(cells.begin(), cells.size()), cellTag);
    }
    void row(std::span<const Cell> cells, std::string_view cellTag = "td");
    // A chart's SVG inline, with its caption.
    void figure(std::string_view svg, std::string_view caption);
    [[nodiscard]] std::string take() { return std::move(out_); }

private:
    std::string out_;
};

}  // namespace bearing
