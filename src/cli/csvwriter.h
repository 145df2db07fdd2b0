#pragma once

#include "resultwriter.h"

#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace bearing::cli {

// CSV as RFC 4180 has it: a header line, CR LF line ends, a field in quotes when it holds
// a comma, a quote or a line break.
[[nodiscard]] std::unique_ptr<ResultWriter> makeCsvWriter(std::ostream& out, const WriterSetup& setup);

// Appends a field, quoted when it needs to be.
void appendCsvField(std::string& line, std::string_view field);

template <class Record> void appendCsvHeader(std::string& line, std::span<const Column<Record>> columns)
{
    for (const Column<Record>& column : columns) {
        line.append(&column == columns.data() ? "" : ",").append(column.name);
    }
    line += "\r\n";
}

template <class Record>
void appendCsvRecord(std::string& line, std::span<const Column<Record>> columns, const Record& record)
{
    bool first = true;
    for (const Column<Record>& column : columns) {
        if (!first) {
            line += ',';
        }
        first = false;
        // The program writes numbers and flags itself, in digits, signs, points and
        // letters: only texts can hold what needs quotes.
        if (column.kind == FieldKind::Text || column.kind == FieldKind::Optional) {
            appendCsvField(line, column.value(record));
        } else {
            line += column.value(record);
        }
    }
    line += "\r\n";
}

}  // namespace bearing::cli
