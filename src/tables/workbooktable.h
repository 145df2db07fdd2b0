#pragma once

#include "fieldcolumn.h"
#include "recordwriter.h"
#include "workbookwriter.h"

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace bearing {

// A field on a sheet: its column, and what a text of it shows as there (none: as given).
template <class Record> struct SheetField {
    const Column<Record>* field = nullptr;
    SheetColumn column;
    std::string_view (*shown)(std::string_view text) = nullptr;
};

// A field's value as a cell: a number as a number (a single as the decimal of its
// shortest text, a number field's text as the number it reads as), a flag as "да" or
// "нет", a text as `shown` makes it; empty for none.
[[nodiscard]] SheetCell sheetCell(FieldKind kind, const FieldValue& value, std::string_view (*shown)(std::string_view));

// Records on a sheet of their own, a column for each of `fields`, in a workbook written to
// setup.outputPath with the material table after them.
template <class Record> class WorkbookTable : public RecordWriter<Record> {
public:
    WorkbookTable(const WriterSetup& setup, std::string_view sheetName, std::vector<SheetField<Record>> fields)
        : fields_(std::move(fields))
        , columns_(columnsOf(fields_))
        , book_(setup.outputPath, *setup.materials,
              {.inputDecimalMark = setup.inputDecimalMark,
                  .carriedNames = setup.carriedNames,
                  .withCases = true,
                  .sheetName = sheetName,
                  .columns = columns_})
    {
    }

    void write(const Record& record) override
    {
        cells_.clear();
        for (const SheetField<Record>& field : fields_) {
            cells_.push_back(sheetCell(field.field->kind, field.field->value(record), field.shown));
        }
        book_.writeRow(++rows_, record.carried, cells_);
    }

    void finish() override { book_.finish(); }

private:
    static std::vector<SheetColumn> columnsOf(const std::vector<SheetField<Record>>& fields)
    {
        std::vector<SheetColumn> columns;
        columns.reserve(fields.size());
        for (const SheetField<Record>& field : fields) {
            columns.push_back(field.column);
        }
        return columns;
    }

    std::vector<SheetField<Record>> fields_;
    std::vector<SheetColumn> columns_;  // before book_, which reads them
    WorkbookWriter book_;
    std::vector<SheetCell> cells_;
    std::size_t rows_ = 0;
};

}  // namespace bearing
