#include "workbookwriter.h"

#include "batchdecoder.h"
#include "numbertext.h"
#include "systemerror.h"
#include "terminaltext.h"

#include <xlsxwriter.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <variant>
#include <vector>

namespace bearing {

namespace {

using Cell = SheetCell;
using Style = SheetStyle;

// What a column of the material table reads from: the row and its material.
struct RowSource {
    int row;
    const MaterialRecord* material;
};

struct Column {
    std::string_view heading;
    double width;  // in characters of the default font
    Style style;
    Cell (*value)(const RowSource&);
};

// An input as given: a number cell when the text is a plain decimal number (a sign,
// digits, one decimal mark, at most 15 digits, so that the cell shows the same digits),
// a text cell otherwise.
Cell givenInput(std::string_view text, char decimalMark)
{
    std::string number(text);
    std::size_t digits = 0;
    bool mark = false;
    for (std::size_t i = 0; i < number.size(); ++i) {
        char& c = number[i];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == decimalMark && !mark && digits > 0 && i + 1 < number.size()) {
            mark = true;
            c = '.';
        } else if (c != '-' || i != 0) {
            return text;
        }
    }
    double value = 0;
    if (digits == 0 || digits > 15
        || std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc{}) {
        return text;
    }
    return value;
}

Cell materialFigure(const RowSource& source, float MaterialRecord::*field)
{
    return source.material != nullptr ? Cell(shortestDecimal(source.material->*field)) : Cell();
}

// The material table, as --list-materials has it.
constexpr std::array materialColumns{
    Column{"№", 6, Style::Integer, [](const RowSource& s) -> Cell { return double(s.row + 1); }},
    Column{"Материал", 30, Style::Text, [](const RowSource& s) -> Cell { return s.material->name; }},
    Column{"Группа", 12, Style::Text, [](const RowSource& s) -> Cell { return groupOfCatalogueRow(s.row).title; }},
    Column{"[p], МПа", 10, Style::Full,
        [](const RowSource& s) { return materialFigure(s, &MaterialRecord::maxPressure); }},
    Column{
        "[v], м/с", 10, Style::Full, [](const RowSource& s) { return materialFigure(s, &MaterialRecord::maxSpeed); }},
    Column{
        "[pv], МПа·м/с", 12, Style::Full, [](const RowSource& s) { return materialFigure(s, &MaterialRecord::maxPV); }},
    Column{"[t], °C", 9, Style::Integer, [](const RowSource& s) -> Cell { return double(s.material->maxTemperature); }},
};

constexpr double lineHeight = 15;  // points, a row of the default font
constexpr std::string_view materialsSheetName = "Материалы";
// A cell holds at most this many UTF-16 code units.
constexpr std::size_t cellTextLimit = 32767;
constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view ellipsis = "…";

// A text as a cell can hold it: valid UTF-8, line breaks as the LF a cell breaks its
// lines at, a malformed sequence or a control character other than tab as U+FFFD, cut
// with "…" at the cell's limit.
void appendCellText(std::string& cell, std::string_view text)
{
    cell.clear();
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Lead lead = utf8Lead(text.substr(at));
        const std::size_t length = lead.kind == Utf8Lead::Kind::Whole ? lead.length : 0;
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '\r') {
            // CR LF and a lone CR alike end a line.
            cell += '\n';
            ++units;
            at += text.substr(at, 2) == "\r\n" ? 2 : 1;
            continue;
        }
        const bool allowed = length > 1 || (length == 1 && (c >= 0x20U || c == '\t' || c == '\n'));
        const bool nonCharacter = length == 3 && text.substr(at, 2) == "\xEF\xBF"
            && (static_cast<unsigned char>(text[at + 2]) & 0xFEU) == 0xBEU;  // U+FFFE, U+FFFF
        const std::size_t needed = length == 4 ? 2 : 1;
        if (units + needed > cellTextLimit - 1 && at + std::max<std::size_t>(length, 1) < text.size()) {
            cell += ellipsis;
            return;
        }
        units += needed;
        if (allowed && !nonCharacter) {
            cell.append(text.substr(at, length));
        } else {
            cell += replacement;
        }
        at += std::max<std::size_t>(length, 1);
    }
}

// The library writes its own diagnostics to the standard error in English; the writer
// says what failed in Russian itself, so they are kept off the user's terminal.
class QuietStandardError {
public:
    QuietStandardError()
        : saved_((std::fflush(stderr), ::dup(STDERR_FILENO)))
    {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);  // NOLINT(cppcoreguidelines-pro-type-vararg)
        if (saved_ >= 0 && null >= 0) {
            ::dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            ::close(null);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;
    QuietStandardError(QuietStandardError&&) = delete;
    QuietStandardError& operator=(QuietStandardError&&) = delete;
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }

private:
    int saved_ = -1;
};

std::string quoted(const std::filesystem::path& path) { return echoed(path.string()); }

[[noreturn]] void failWriting(const std::filesystem::path& path, int errorNumber)
{
    throw OutputError("не удаётся записать книгу " + quoted(path) + ": " + systemErrorText(errorNumber));
}

bool isTerminal(const std::filesystem::path& path)
{
    const int descriptor
        = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);  // NOLINT(cppcoreguidelines-pro-type-vararg)
    const bool terminal = descriptor >= 0 && ::isatty(descriptor) != 0;
    if (descriptor >= 0) {
        ::close(descriptor);
    }
    return terminal;
}

// A workbook given up before it was closed is freed without being written.
struct WorkbookFree {
    void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};

// Refuses, with the workbook's own words, a target that is a terminal or no regular
// file; the rest of the checks are every output file's (replacementfile.h).
void requireFileTarget(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::character && isTerminal(path)) {
        throw OutputError("книга xlsx не выводится на терминал: задайте файл, например --output расчет.xlsx");
    }
    // A file that cannot be looked at is left to the checks of every output, which say why.
    if (type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::regular
        && type != std::filesystem::file_type::directory && type != std::filesystem::file_type::unknown && !error) {
        throw OutputError(
            "не удаётся записать книгу " + quoted(path) + ": это не обычный файл, книга пишется только в файл");
    }
}

std::string failureOf(const std::filesystem::path& path) { return "не удаётся записать книгу " + quoted(path); }

}  // namespace

class WorkbookWriter::Book {
public:
    Book(const std::filesystem::path& path, const MaterialCatalogue& catalogue, WorkbookSetup setup)
        : path_((requireFileTarget(path), path))
        , file_(path, failureOf(path), TargetKinds::RegularOnly)
        , catalogue_(catalogue)
        , setup_(std::move(setup))
    {
        // The library's own temporary files, a sheet's rows among them, go beside the
        // target too: a full disk there is found while writing, and /tmp may be memory.
        directory_ = file_.target().has_parent_path() ? file_.target().parent_path().string() : std::string(".");
        lxw_workbook_options options{.constant_memory = LXW_TRUE, .tmpdir = directory_.data(), .use_zip64 = LXW_FALSE};
        {
            const QuietStandardError quiet;
            workbook_.reset(workbook_new_opt(file_.name().c_str(), &options));
        }
        if (workbook_ == nullptr) {
            failWriting(path_, errno);
        }
        createFormats();
        properties_.title = title_.data();
        workbook_set_properties(workbook_.get(), &properties_);
        columns_.push_back({"№", 8, Style::Integer});
        columns_.insert(columns_.end(), setup_.columns.begin(), setup_.columns.end());
        if (setup_.withCases) {
            startCasesSheet();
        }
    }

    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;
    Book(Book&&) = delete;
    Book& operator=(Book&&) = delete;

    ~Book() = default;

    void writeRow(std::size_t number, std::span<const std::string> carried, std::span<const Cell> cells)
    {
        if (row_ == LXW_ROW_MAX) {
            startCasesSheet();
        }
        // A message of several lines gets their height: a spreadsheet need not find it.
        std::ptrdiff_t lines = 1;
        for (std::size_t i = 0; i + 1 < columns_.size() && i < cells.size(); ++i) {
            if (const auto* text = std::get_if<std::string_view>(&cells[i]);
                text != nullptr && columns_[i + 1].style == Style::Lines) {
                lines = std::max(lines, 1 + std::count(text->begin(), text->end(), '\n'));
            }
        }
        if (lines > 1) {
            worksheet_set_row(sheet_, row_, lineHeight * static_cast<double>(lines), nullptr);
        }
        writeCell(sheet_, row_, 0, Style::Integer, double(number));
        for (std::size_t i = 0; i < setup_.carriedNames.size(); ++i) {
            const std::string_view given = i < carried.size() ? carried[i] : std::string_view();
            writeCell(sheet_, row_, 1 + i, Style::Given, given);
        }
        for (std::size_t i = 0; i + 1 < columns_.size() && i < cells.size(); ++i) {
            writeCell(sheet_, row_, placeOf(i + 1, setup_.carriedNames.size()), columns_[i + 1].style, cells[i]);
        }
        endRow();
    }

    void finish()
    {
        if (sheet_ != nullptr) {
            filter(sheet_, row_, casesWidth());
        }
        writeMaterials();
        for (lxw_worksheet* sheet : sheets_) {
            if (std::fflush(sheet->optimize_tmpfile) != 0 || std::ferror(sheet->optimize_tmpfile) != 0) {
                failWriting(path_, errno);
            }
        }
        errno = 0;
        lxw_error closed = LXW_NO_ERROR;
        {
            const QuietStandardError quiet;
            closed = workbook_close(workbook_.release());
        }
        const int closeError = errno;
        if (closed != LXW_NO_ERROR) {
            failWriting(path_, closeError);
        }
        file_.putInPlace();
    }

private:
    void endRow()
    {
        ++row_;
        // A full disk is found where it happens, not after a million more rows.
        if (std::ferror(sheet_->optimize_tmpfile) != 0) {
            failWriting(path_, errno);
        }
    }

    // How many columns the first sheet has.
    [[nodiscard]] std::size_t casesWidth() const { return setup_.carriedNames.size() + columns_.size(); }

    void createFormats()
    {
        heading_ = workbook_add_format(workbook_.get());
        format_set_bold(heading_);
        format_set_text_wrap(heading_);
        format_set_align(heading_, LXW_ALIGN_VERTICAL_CENTER);
        format_set_bg_color(heading_, 0xDDE4EE);
        format_set_bottom(heading_, LXW_BORDER_THIN);
        integer_ = workbook_add_format(workbook_.get());
        format_set_num_format(integer_, "0");
        tenth_ = workbook_add_format(workbook_.get());
        format_set_num_format(tenth_, "0.0");
        percent_ = workbook_add_format(workbook_.get());
        format_set_num_format(percent_, "0.0%");
        flag_ = workbook_add_format(workbook_.get());
        format_set_align(flag_, LXW_ALIGN_CENTER);
        lines_ = workbook_add_format(workbook_.get());
        format_set_text_wrap(lines_);
    }

    lxw_format* formatOf(Style style) const
    {
        switch (style) {
        case Style::Integer: return integer_;
        case Style::Tenth: return tenth_;
        case Style::Percent: return percent_;
        case Style::Flag: return flag_;
        case Style::Lines: return lines_;
        case Style::Given:
        case Style::Text:
        case Style::Full: break;
        }
        return nullptr;
    }

    lxw_worksheet* addSheet(std::string_view name)
    {
        lxw_worksheet* sheet = nullptr;
        {
            const QuietStandardError quiet;
            sheet = workbook_add_worksheet(workbook_.get(), std::string(name).c_str());
        }
        if (sheet == nullptr) {
            failWriting(path_, errno);
        }
        sheets_.push_back(sheet);
        return sheet;
    }

    // The heading row: `columns`, the batch's own column names (`carried`) after the first.
    template <class Columns>
    void writeHeadings(lxw_worksheet* sheet, std::span<const std::string> carried, const Columns& columns)
    {
        worksheet_set_row(sheet, 0, 45, nullptr);  // three lines of a wrapped heading
        const auto heading = [&](std::size_t at, std::string_view text, double width) {
            const auto column = static_cast<lxw_col_t>(at);
            worksheet_set_column(sheet, column, column, width, nullptr);
            appendCellText(text_, text);
            worksheet_write_string(sheet, 0, column, text_.c_str(), heading_);
        };
        for (std::size_t i = 0; i < carried.size(); ++i) {
            heading(1 + i, carried[i], std::clamp(static_cast<double>(carried[i].size()) + 2, 10.0, 30.0));
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            heading(placeOf(i, carried.size()), columns[i].heading, columns[i].width);
        }
        worksheet_freeze_panes(sheet, 1, 0);
        // Printed, the columns fit a page's width and every page has the headings.
        worksheet_repeat_rows(sheet, 0, 0);
        worksheet_set_landscape(sheet);
        worksheet_fit_to_pages(sheet, 1, 0);
    }

    void startCasesSheet()
    {
        if (sheet_ != nullptr) {
            filter(sheet_, row_, casesWidth());
        }
        std::string name(setup_.sheetName);
        if (!sheets_.empty()) {
            name += " " + std::to_string(sheets_.size() + 1);
        }
        sheet_ = addSheet(name);
        writeHeadings(sheet_, setup_.carriedNames, columns_);
        row_ = 1;
    }

    static void filter(lxw_worksheet* sheet, lxw_row_t rows, std::size_t columns)
    {
        worksheet_autofilter(sheet, 0, 0, rows - 1, static_cast<lxw_col_t>(columns - 1));
    }

    void writeMaterials()
    {
        lxw_worksheet* sheet = addSheet(materialsSheetName);
        writeHeadings(sheet, {}, materialColumns);
        for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
            writeRow(sheet, static_cast<lxw_row_t>(row + 1), materialColumns, RowSource{row, &catalogue_.row(row)});
        }
        filter(sheet, MaterialCatalogue::rowCount + 1, materialColumns.size());
    }

    // Where the column `i` of a table stands when `carried` columns of a batch's own
    // follow its first, the number.
    static std::size_t placeOf(std::size_t i, std::size_t carried) { return i == 0 ? 0 : i + carried; }

    // The cells of `columns` in `row`.
    template <std::size_t N>
    void writeRow(lxw_worksheet* sheet, lxw_row_t row, const std::array<Column, N>& columns, const RowSource& source)
    {
        for (std::size_t i = 0; i < N; ++i) {
            writeCell(sheet, row, i, columns[i].style, columns[i].value(source));
        }
    }

    void writeCell(lxw_worksheet* sheet, lxw_row_t row, std::size_t at, Style style, const Cell& cell)
    {
        const auto column = static_cast<lxw_col_t>(at);
        if (const auto* given = std::get_if<std::string_view>(&cell); given != nullptr && style == Style::Given) {
            writeCell(sheet, row, at, Style::Text, givenInput(*given, setup_.inputDecimalMark));
            return;
        }
        lxw_format* format = formatOf(style);
        lxw_error written = LXW_NO_ERROR;
        if (const auto* text = std::get_if<std::string_view>(&cell)) {
            appendCellText(text_, *text);
            written = worksheet_write_string(sheet, row, column, text_.c_str(), format);
        } else if (const auto* number = std::get_if<double>(&cell); number != nullptr && std::isfinite(*number)) {
            written = worksheet_write_number(sheet, row, column, *number, format);
        }
        if (written != LXW_NO_ERROR) {
            failWriting(path_, errno);
        }
    }

    std::filesystem::path path_;  // as the user named it
    ReplacementFile file_;        // destroyed after the workbook, which may still hold it open
    std::string directory_;
    const MaterialCatalogue& catalogue_;
    WorkbookSetup setup_;
    std::string title_ = "Расчет подшипников скольжения";
    lxw_doc_properties properties_{};
    std::unique_ptr<lxw_workbook, WorkbookFree> workbook_;
    lxw_format* heading_ = nullptr;
    lxw_format* integer_ = nullptr;
    lxw_format* tenth_ = nullptr;
    lxw_format* percent_ = nullptr;
    lxw_format* flag_ = nullptr;
    lxw_format* lines_ = nullptr;
    std::vector<SheetColumn> columns_;  // the cases': the number, then WorkbookSetup::columns
    std::vector<lxw_worksheet*> sheets_;
    lxw_worksheet* sheet_ = nullptr;
    lxw_row_t row_ = 0;
    std::string text_;  // the cell text being written, its memory kept from cell to cell
};

WorkbookWriter::WorkbookWriter(
    const std::filesystem::path& path, const MaterialCatalogue& catalogue, WorkbookSetup setup)
    : book_(std::make_unique<Book>(path, catalogue, std::move(setup)))
{
}

WorkbookWriter::~WorkbookWriter() = default;

void WorkbookWriter::writeRow(
    std::size_t number, std::span<const std::string> carried, std::span<const SheetCell> cells)
{
    book_->writeRow(number, carried, cells);
}

void WorkbookWriter::finish() { book_->finish(); }

}  // namespace bearing
