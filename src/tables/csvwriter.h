#pragma once

#include "checkedoutput.h"
#include "csvdialect.h"
#include "recordwriter.h"

#include <ostream>
#include <span>
#include <string>

namespace bearing {

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
        fields.value(column.kind, column.value(record));
    }
    fields.end();
}

// CSV as RFC 4180 has it, in the dialect of setup.csvDialect: a header line, CR LF line
// ends, a text field in quotes when it holds a separator, a quote or a line break. A
// batch's own columns come first, then the fields of `columns`.
template <class Record> class CsvWriter : public RecordWriter<Record> {
public:
    CsvWriter(std::ostream& out, const WriterSetup& setup, std::span<const Column<Record>> columns)
        : output_(out)
        , fields_(output_.text(), setup.csvDialect)
        , columns_(columns)
    {
        fields_.start();
        for (const std::string& name : setup.carriedNames) {
            fields_.text(name);
        }
        appendCsvHeader(fields_, columns_);
    }

    void write(const Record& record) override
    {
        for (const std::string& field : record.carried) {
            fields_.text(field);
        }
        appendCsvRecord(fields_, columns_, record);
        output_.writeIfFull();
    }

    void finish() override { output_.flush(); }

private:
    OutputBuffer output_;
    CsvFields fields_;
    std::span<const Column<Record>> columns_;
};

}  // namespace bearing
