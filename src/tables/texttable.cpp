#include "texttable.h"

#include "terminaltext.h"

#include <algorithm>

namespace bearing {

namespace {

constexpr std::string_view columnGap = "  ";
constexpr std::size_t leastCutWidth = 8;

}  // namespace

TextTable::TextTable(std::span<const TableColumn> columns)
    : columns_(columns)
    , widths_(columns.size())
{
}

std::size_t TextTable::lineWidth() const
{
    std::size_t width = 0;
    std::size_t count = 0;
    for (const std::optional<std::size_t>& column : widths_) {
        if (column) {
            width += *column;
            ++count;
        }
    }
    return width + (count > 0 ? (count - 1) * columnGap.size() : 0);
}

void TextTable::fit(std::span<const TableRow> rows, std::size_t width)
{
    std::vector<std::size_t> wanted(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        wanted[i] = std::max(columns_[i].width, codePoints(columns_[i].heading));
        for (const TableRow& row : rows) {
            wanted[i] = std::max(wanted[i], codePoints(cellOf(row, columns_[i].cell)));
        }
        widths_[i].reset();
        const bool empty = std::all_of(
            rows.begin(), rows.end(), [this, i](const TableRow& row) { return cellOf(row, columns_[i].cell).empty(); });
        if (columns_[i].hideWhenEmpty && empty && !rows.empty()) {
            wanted[i] = 0;
        } else if (columns_[i].priority == 0) {
            widths_[i] = wanted[i];
        }
    }
    const int lastPriority = std::max_element(columns_.begin(), columns_.end(), [](const auto& a, const auto& b) {
        return a.priority < b.priority;
    })->priority;
    for (int priority = 1; priority <= lastPriority; ++priority) {
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            if (columns_[i].priority == priority && wanted[i] > 0) {
                widths_[i] = wanted[i];
                if (width != noWidthLimit && lineWidth() > width) {
                    widths_[i].reset();
                }
            }
        }
    }
    for (std::size_t i = 0; i < columns_.size() && width != noWidthLimit; ++i) {
        const std::size_t over = lineWidth() > width ? lineWidth() - width : 0;
        if (columns_[i].cuttable && over > 0 && widths_[i]) {
            widths_[i] = std::max(leastCutWidth, *widths_[i] > over ? *widths_[i] - over : 0);
        }
    }
}

void TextTable::appendHeadings(std::string& out) const
{
    TableRow headings;
    for (const TableColumn& column : columns_) {
        cellOf(headings, column.cell) = column.heading;
    }
    appendRow(out, headings);
}

void TextTable::appendRow(std::string& out, const TableRow& row) const
{
    const std::size_t start = out.size();
    bool first = true;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (!widths_[i]) {
            continue;
        }
        if (!first) {
            out += columnGap;
        }
        first = false;
        const std::string& text = cellOf(row, columns_[i].cell);
        const std::string cell = columns_[i].cuttable ? cutToWidth(text, *widths_[i]) : masked(text);
        const std::size_t shownWidth = codePoints(cell);
        const std::size_t pad = shownWidth < *widths_[i] ? *widths_[i] - shownWidth : 0;
        if (columns_[i].alignRight) {
            out.append(pad, ' ').append(cell);
        } else {
            out.append(cell).append(pad, ' ');
        }
    }
    const std::size_t end = out.find_last_not_of(' ');
    out.resize(end == std::string::npos || end < start ? start : end + 1);
    out += '\n';
}

void TextTable::appendTable(std::string& out, std::span<const TableRow> rows, std::size_t width)
{
    fit(rows, width);
    appendHeadings(out);
    for (const TableRow& row : rows) {
        appendRow(out, row);
    }
}

}  // namespace bearing
