#pragma once

// The writers of records, one format each, and what they are told before the first record.

#include "csvdialect.h"
#include "materialcatalogue.h"
#include "texttable.h"

#include <cstddef>
#include <string>
#include <vector>

namespace bearing {

enum class OutputFormat { Text, Csv, Json, Xlsx };

// How the cases of a run are laid out: one case, a table of every material, or one row
// a case as a batch streams in.
enum class Layout { OneCase, MaterialTable, Batch };

// What a writer needs to know before its first case.
struct WriterSetup {
    Layout layout = Layout::OneCase;
    std::string decimalSeparator = ".";            // for text; CSV and JSON always write a point
    std::size_t width = noWidthLimit;              // the terminal's width, for text
    std::vector<std::string> carriedNames{};       // a batch's own columns, written first
    CsvDialect csvDialect{};                       // for CSV
    std::string outputPath{};                      // for a workbook: the file it becomes
    const MaterialCatalogue* materials = nullptr;  // for a workbook's material sheet
    char inputDecimalMark = '.';                   // for a workbook: the batch's, to see numbers among its inputs
};

// Writes a job's records (sizings, checks, oil films) as they come, in one format. Nothing grows
// with the number of records but a table for people, which is held to align its columns.
template <class Record> class RecordWriter {
public:
    RecordWriter() = default;
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;
    RecordWriter(RecordWriter&&) = delete;
    RecordWriter& operator=(RecordWriter&&) = delete;
    virtual ~RecordWriter() = default;

    virtual void write(const Record& record) = 0;
    // Ends the output (closes the JSON array, writes the table) and flushes it.
    virtual void finish() = 0;
    // True when the cases' messages are part of this output (notes under a table), so
    // that they are not written to the standard error again.
    [[nodiscard]] virtual bool showsMessages() const { return false; }
};

}  // namespace bearing
