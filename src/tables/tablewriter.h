#pragma once

#include "checkedoutput.h"
#include "recordwriter.h"
#include "texttable.h"

#include <cstddef>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace bearing {

// A number in machine form with the user's decimal separator.
[[nodiscard]] std::string localForm(std::string_view number, std::string_view separator);

// The messages of a table, each written once under it and referred to by its number.
// Memory is bounded: past a thousand different messages the rest are counted, not kept.
class TableNotes {
public:
    // The cell that refers to a row's messages ("1", "2, 3"; empty for none).
    [[nodiscard]] std::string refer(std::span<const std::string> messages);
    void append(std::string& out, std::size_t width) const;

private:
    static constexpr std::size_t mostNotes = 1000;
    std::unordered_map<std::string, std::size_t> numbers_;
    std::vector<const std::string*> texts_;  // in the order of their numbers
    std::size_t unlisted_ = 0;
};

// A table of records for people with each message once as a numbered note under it:
// held whole to fit its columns to the terminal (every material), or, for a batch,
// streamed a row at a time in columns of fixed widths. `rowOf` fills a record's cells
// from its place in the run (1, 2, ...) and may add notes beside its messages; the
// notes' cell is the writer's.
template <class Record> class TableWriter : public RecordWriter<Record> {
public:
    using RowOf = void (*)(const Record& record, std::size_t number, const WriterSetup& setup, TableRow& row,
        std::vector<std::string>& notes);

    TableWriter(std::ostream& out, WriterSetup setup, std::span<const TableColumn> columns, RowOf rowOf)
        : output_(out)
        , setup_(std::move(setup))
        , table_(columns)
        , rowOf_(rowOf)
    {
        if (streamed()) {
            table_.fit({}, setup_.width);
            table_.appendHeadings(output_.text());
        }
    }

    [[nodiscard]] bool showsMessages() const override { return true; }

    void write(const Record& record) override
    {
        for (std::string& cell : row_) {
            cell.clear();
        }
        notes_.assign(record.messages.begin(), record.messages.end());
        rowOf_(record, ++written_, setup_, row_, notes_);
        cellOf(row_, Cell::Note) = tableNotes_.refer(notes_);
        if (streamed()) {
            table_.appendRow(output_.text(), row_);
            output_.writeIfFull();
        } else {
            rows_.push_back(row_);
        }
    }

    void finish() override
    {
        if (!streamed()) {
            table_.appendTable(output_.text(), rows_, setup_.width);
        }
        tableNotes_.append(output_.text(), setup_.width);
        output_.flush();
    }

private:
    [[nodiscard]] bool streamed() const { return setup_.layout == Layout::Batch; }

    OutputBuffer output_;
    WriterSetup setup_;
    TextTable table_;
    RowOf rowOf_;
    TableRow row_;
    std::vector<std::string> notes_;
    TableNotes tableNotes_;
    std::vector<TableRow> rows_;  // a held table's
    std::size_t written_ = 0;
};

// One case as lines for people: `appendLines` appends a record's lines to the text, with
// the user's decimal separator in its numbers.
template <class Record> class LinesWriter : public RecordWriter<Record> {
public:
    using AppendLines = void (*)(const Record& record, std::string_view decimalSeparator, std::string& text);

    LinesWriter(std::ostream& out, const WriterSetup& setup, AppendLines appendLines)
        : output_(out)
        , separator_(setup.decimalSeparator)
        , appendLines_(appendLines)
    {
    }

    void write(const Record& record) override { appendLines_(record, separator_, output_.text()); }
    void finish() override { output_.flush(); }

private:
    OutputBuffer output_;
    std::string separator_;
    AppendLines appendLines_;
};

}  // namespace bearing
