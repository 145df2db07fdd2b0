#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// Every cell a table for people can show; a row holds one of each, a table shows some.
enum class Cell {
    Number,
    Material,
    Group,
    Pressure,
    Speed,
    PV,
    Temperature,
    Load,
    Frequency,
    Length,
    MaxDiameter,
    MinLength,
    Limit,
    MinDiameter,
    Note,
    // The design check's.
    WorkingPressure,
    SlidingSpeed,
    WorkingPV,
    PressureUse,
    SpeedUse,
    PVUse,
    Governing,
    MaxLoad,
    MaxFrequency,
    Verdict,
    // The oil film's.
    Sommerfeld,
    Eccentricity,
    MinFilm,
    FilmMargin,
    MaxFilmPressure,
    FrictionCoefficient,
    FrictionPower,
    Flow,
    Count
};

using TableRow = std::array<std::string, static_cast<std::size_t>(Cell::Count)>;

[[nodiscard]] inline std::string& cellOf(TableRow& row, Cell cell) { return row.at(static_cast<std::size_t>(cell)); }
[[nodiscard]] inline const std::string& cellOf(const TableRow& row, Cell cell)
{
    return row.at(static_cast<std::size_t>(cell));
}

// One column of a table for people.
struct TableColumn {
    Cell cell = Cell::Number;  // what it shows
    std::string_view heading;
    bool alignRight = false;     // numbers line up on their last digit
    int priority = 0;            // 0: always shown; others join in order 1, 2, ... while the line fits
    std::size_t width = 0;       // the width of a table that streams; 0 to measure the cells
    bool cuttable = false;       // may be cut short when the table does not fit otherwise
    bool hideWhenEmpty = false;  // left out when no row has a cell in it
};

inline constexpr std::size_t noWidthLimit = 0;

// The one way the command line lays out text in columns: each column as wide as its
// widest cell, two blanks between columns, no blank at a line's end, the optional columns
// left out where the line would be wider than the terminal, control characters masked.
class TextTable {
public:
    explicit TextTable(std::span<const TableColumn> columns);

    // Chooses the columns shown and their widths for `rows` (none for a table that
    // streams), within `width` code points (noWidthLimit: every column).
    void fit(std::span<const TableRow> rows, std::size_t width);

    [[nodiscard]] bool shown(std::size_t column) const { return widths_.at(column).has_value(); }
    void appendHeadings(std::string& out) const;
    void appendRow(std::string& out, const TableRow& row) const;
    // A table held whole: fit() to `rows` within `width`, then the headings and every row.
    void appendTable(std::string& out, std::span<const TableRow> rows, std::size_t width);

private:
    [[nodiscard]] std::size_t lineWidth() const;

    std::span<const TableColumn> columns_;
    std::vector<std::optional<std::size_t>> widths_;  // empty for a column left out
};

}  // namespace bearing
