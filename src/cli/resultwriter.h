#pragma once

#include "caserecord.h"
#include "texttable.h"

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace bearing::cli {

enum class OutputFormat { Text, Csv, Json };

// How the cases of a run are laid out: one case, a table of every material, or one row
// a case as a batch streams in.
enum class Layout { OneCase, MaterialTable, Batch };

// What a writer needs to know before its first case.
struct WriterSetup {
    Layout layout = Layout::OneCase;
    std::string decimalSeparator = ".";       // for text; CSV and JSON always write a point
    std::size_t width = noWidthLimit;         // the terminal's width, for text
    std::vector<std::string> carriedNames{};  // a batch's own columns, written first
};

// Writes cases as they come, in one format. Nothing grows with the number of cases but a
// table for people, which is held to align its columns. A new format is a new
// implementation of this and a line in makeResultWriter(); the fields come from
// caseColumns() and CaseRecord, so a new field is one line there.
class ResultWriter {
public:
    ResultWriter() = default;
    ResultWriter(const ResultWriter&) = delete;
    ResultWriter& operator=(const ResultWriter&) = delete;
    ResultWriter(ResultWriter&&) = delete;
    ResultWriter& operator=(ResultWriter&&) = delete;
    virtual ~ResultWriter() = default;

    virtual void write(const CaseRecord& record) = 0;
    // Ends the output (closes the JSON array, writes the table) and flushes it.
    virtual void finish() = 0;
    // True when the cases' messages are part of this output (notes under a table), so
    // that they are not written to the standard error again.
    [[nodiscard]] virtual bool showsMessages() const { return false; }
};

[[nodiscard]] std::unique_ptr<ResultWriter> makeResultWriter(
    std::ostream& out, OutputFormat format, const WriterSetup& setup);

}  // namespace bearing::cli
