#pragma once

#include "materialcatalogue.h"
#include "replacementfile.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace bearing::cli {

// One case as a workbook row: the inputs as given, the chosen material and the results,
// each a named field. A number that the case did not reach is empty and its cell blank.
struct SheetCase {
    std::size_t number = 0;                // the case's place in the run: 1, 2, ... (a batch's record number)
    std::span<const std::string> carried;  // a batch's own columns, as given
    std::string_view material;
    std::string_view load;
    std::string_view frequency;
    std::optional<std::string_view> length;  // none: only the sizing ran
    int row = -1;                            // the chosen catalogue row (0 to 20), -1 for none
    std::optional<double> maxDiameter;       // mm, as the window shows it
    std::optional<double> maxDiameterFull;   // the same single in full
    std::optional<double> minLength;         // mm, rounded to 0.1 as shown
    std::optional<double> minLengthFull;
    std::optional<double> pvLength;        // the length [pv] requires, mm
    std::optional<double> pressureLength;  // the length [p] requires at the largest diameter, mm
    std::optional<double> minArea;         // F / [p], mm²
    std::string_view lengthLimit;          // "pv" or "p": which length sets the minimum; empty for none
    std::optional<double> minDiameter;     // mm for the given length, rounded to 0.1 as shown
    std::optional<double> minDiameterFull;
    std::optional<bool> lengthBelowMinimum;  // with a length
    std::string_view message;                // the case's messages, line breaks as LF
    std::string_view messageCode;            // the stable code a script matches on
};

// What a cell holds: nothing, a text or a number.
using SheetCell = std::variant<std::monostate, std::string_view, double>;

// How a column's cells are shown: a text, a text of several lines (a message), an input
// as given (a number cell when it is a plain number), a whole number, a tenth as the
// window rounds its results, every digit of an unrounded figure, a fraction as a percent
// to the tenth, or a centred "да" or "нет".
enum class SheetStyle { Text, Lines, Given, Integer, Tenth, Full, Percent, Flag };

// A column of a writer's own table on the first sheet (WorkbookWriter::writeRow).
struct SheetColumn {
    std::string_view heading;
    double width;  // in characters of the default font
    SheetStyle style;
};

// What a workbook holds besides its cases.
struct WorkbookSetup {
    // The decimal mark of the batch the inputs come from: an input text that is a plain
    // number with that mark becomes a number cell, any other stays text.
    char inputDecimalMark = '.';
    std::vector<std::string> carriedNames;  // a batch's own columns, after the number on the cases sheet
    bool withCases = true;                  // false: the material table alone
    // A writer's own table instead of the sizing's cases: its sheet's name and columns,
    // after the number and the batch's own columns. Rows come with writeRow().
    std::string_view sheetName{};
    std::span<const SheetColumn> columns{};
};

// Writes cases into an .xlsx workbook as they come, in the library's constant-memory
// mode: a row goes to disk when the next one starts, so memory does not grow with the
// number of cases. The first sheet holds the cases (a further sheet takes over when one
// is full), the last one the material table; each has Russian headings with units, a
// frozen heading row, a filter on it and set column widths.
//
// The workbook is built in a hidden file beside `path` and renamed to it only when
// finish() has written it whole: a run that fails or stops leaves no file that looks
// complete, and an existing file at `path` stays as it was. Every failure throws
// OutputError with a Russian message naming the file.
class WorkbookWriter {
public:
    // Throws OutputError when `path` cannot be written at all (no such directory, no
    // permission, not a regular file).
    WorkbookWriter(const std::filesystem::path& path, const MaterialCatalogue& catalogue, WorkbookSetup setup = {});
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;
    WorkbookWriter(WorkbookWriter&&) = delete;
    WorkbookWriter& operator=(WorkbookWriter&&) = delete;
    // Without a successful finish(), removes what was written.
    ~WorkbookWriter();

    void write(const SheetCase& sheetCase);
    // A row of the writer's own table: its number, the batch's own columns, a cell for
    // each of WorkbookSetup::columns.
    void writeRow(std::size_t number, std::span<const std::string> carried, std::span<const SheetCell> cells);
    // Adds the material table, writes the workbook and puts it in place.
    void finish();

private:
    class Book;
    std::unique_ptr<Book> book_;
};

}  // namespace bearing::cli
