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

namespace bearing {

// What a cell holds: nothing, a text or a number.
using SheetCell = std::variant<std::monostate, std::string_view, double>;

// How a column's cells are shown: a text, a text of several lines (a message), an input
// as given (a number cell when it is a plain number), a whole number, a tenth as the
// window rounds its results, every digit of an unrounded figure, a fraction as a percent
// to the tenth, or a centred "да" or "нет".
enum class SheetStyle { Text, Lines, Given, Integer, Tenth, Full, Percent, Flag };

// A column of the cases' table on the first sheet (WorkbookWriter::writeRow).
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
    // The cases' sheet: its name and columns, after the number and the batch's own
    // columns. Rows come with writeRow().
    std::string_view sheetName = "Расчеты";
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

    // A case's row: its number, the batch's own columns, a cell for each of
    // WorkbookSetup::columns.
    void writeRow(std::size_t number, std::span<const std::string> carried, std::span<const SheetCell> cells);
    // Adds the material table, writes the workbook and puts it in place.
    void finish();

private:
    class Book;
    std::unique_ptr<Book> book_;
};

}  // namespace bearing
