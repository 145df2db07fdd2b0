#pragma once

#include "csvdialect.h"
#include "resultwriter.h"

#include <memory>
#include <ostream>
#include <span>

namespace bearing::cli {

// CSV as RFC 4180 has it, in the dialect of setup.csvDialect: a header line, CR LF line
// ends, a text field in quotes when it holds a separator, a quote or a line break.
[[nodiscard]] std::unique_ptr<ResultWriter> makeCsvWriter(std::ostream& out, const WriterSetup& setup);

template <class Record> void appendCsvHeader(CsvFields& fields, std::span<const Column<Record>> columns)
{
    for (const Column<Record>& column : columns) {
        fields.text(column.name);
    }
    fields.end();
}

// The fields of `record`, after any already on the line, and the line's end.
template <class Record>
void appendCsvRecord(CsvFields& fields, std::span<const Column<Record>> columns, const Record& record)
{
    for (const Column<Record>& column : columns) {
        if (column.kind == FieldKind::Number || column.kind == FieldKind::Integer) {
            fields.number(column.value(record));
        } else {
            fields.text(column.value(record));
        }
    }
    fields.end();
}

}  // namespace bearing::cli
