#include "textwriter.h"

#include "checkedoutput.h"
#include "terminaltext.h"

#include <array>

namespace bearing::cli {

namespace {

constexpr std::string_view belowMinimumMark = "L < Lmin";
constexpr std::string_view moreNotesMark = "*";

// The columns of the table of every material.
constexpr std::array materialTableColumns{
    TableColumn{.cell = Cell::Number, .heading = "№", .alignRight = true},
    TableColumn{.cell = Cell::Material, .heading = "Материал", .cuttable = true},
    TableColumn{.cell = Cell::Group, .heading = "Группа", .priority = 5},
    TableColumn{.cell = Cell::Pressure, .heading = "[p], МПа", .alignRight = true, .priority = 1},
    TableColumn{.cell = Cell::Speed, .heading = "[v], м/с", .alignRight = true, .priority = 2},
    TableColumn{.cell = Cell::PV, .heading = "[pv], МПа·м/с", .alignRight = true, .priority = 3},
    TableColumn{.cell = Cell::Temperature, .heading = "[t], °C", .alignRight = true, .priority = 4},
    TableColumn{.cell = Cell::MaxDiameter, .heading = "Dmax, мм", .alignRight = true},
    TableColumn{.cell = Cell::MinLength, .heading = "Lmin, мм", .alignRight = true},
    TableColumn{.cell = Cell::Limit, .heading = "Lmin по"},
    TableColumn{.cell = Cell::MinDiameter, .heading = "Dmin, мм", .alignRight = true, .hideWhenEmpty = true},
    TableColumn{.cell = Cell::Note, .heading = "Прим.", .hideWhenEmpty = true},
};

// The columns of a batch; their widths are fixed, as the rows stream.
constexpr std::array batchTableColumns{
    TableColumn{.cell = Cell::Number, .heading = "№", .alignRight = true, .width = 5},
    TableColumn{.cell = Cell::Material, .heading = "Материал", .width = 18, .cuttable = true},
    TableColumn{.cell = Cell::Load, .heading = "F, Н", .priority = 2, .width = 8, .cuttable = true},
    TableColumn{.cell = Cell::Frequency, .heading = "n, об/мин", .priority = 3, .width = 9, .cuttable = true},
    TableColumn{.cell = Cell::Length, .heading = "L, мм", .priority = 1, .width = 6, .cuttable = true},
    TableColumn{.cell = Cell::MaxDiameter, .heading = "Dmax, мм", .alignRight = true, .width = 8},
    TableColumn{.cell = Cell::MinLength, .heading = "Lmin, мм", .alignRight = true, .width = 8},
    TableColumn{.cell = Cell::Limit, .heading = "Lmin по", .width = 7},
    TableColumn{.cell = Cell::MinDiameter, .heading = "Dmin, мм", .alignRight = true, .width = 8},
    TableColumn{.cell = Cell::Note, .heading = "Прим.", .width = 5},
};

std::string limitTitle(std::string_view limit) { return limit.empty() ? "" : "[" + std::string(limit) + "]"; }

// One case: the window's result lines; its messages go to the standard error.
class CaseLinesWriter : public ResultWriter {
public:
    explicit CaseLinesWriter(std::ostream& out)
        : output_(out)
    {
    }

    void write(const CaseRecord& record) override
    {
        const CaseOutcome* outcome = record.outcome;
        if (outcome == nullptr) {
            return;
        }
        for (const std::string& line : {outcome->maxDiameterLine, outcome->minLengthLine}) {
            if (!line.empty()) {
                output_.text() += line + '\n';
            }
        }
        if (!outcome->minDiameter.empty()) {
            output_.text() += "минимальный диаметр = " + outcome->minDiameter + " мм\n";
        }
    }

    void finish() override { output_.flush(); }

private:
    OutputBuffer output_;
};

// A table with its notes under it: the messages are part of it.
class NotedTableWriter : public ResultWriter {
public:
    NotedTableWriter(std::ostream& out, const WriterSetup& setup)
        : output_(out)
        , separator_(setup.decimalSeparator)
        , width_(setup.width)
    {
    }

    [[nodiscard]] bool showsMessages() const override { return true; }

protected:
    // The cells every table has: the results and the note's number.
    void fillResults(TableRow& cells, const CaseRecord& record)
    {
        cellOf(cells, Cell::MaxDiameter) = localForm(record.maxDiameter, separator_);
        cellOf(cells, Cell::MinLength) = localForm(record.minLength, separator_);
        cellOf(cells, Cell::Limit) = limitTitle(record.lengthLimit);
        cellOf(cells, Cell::MinDiameter) = record.lengthBelowMinimum == "true"
            ? std::string(belowMinimumMark)
            : localForm(record.minDiameter, separator_);
        cellOf(cells, Cell::Note) = notes_.refer(record.messages);
    }

    void finishNotes()
    {
        notes_.append(output_.text(), width_);
        output_.flush();
    }

    OutputBuffer output_;
    std::string separator_;
    std::size_t width_;
    TableNotes notes_;
};

// Every material: the whole table is held, to fit its columns to the terminal.
class MaterialTableWriter : public NotedTableWriter {
public:
    using NotedTableWriter::NotedTableWriter;

    void write(const CaseRecord& record) override
    {
        TableRow cells;
        cellOf(cells, Cell::Number) = record.material->row;
        cellOf(cells, Cell::Material) = record.material->shownName;
        cellOf(cells, Cell::Group) = groupTitle(groupOfRow(record.row));
        cellOf(cells, Cell::Pressure) = localForm(record.material->maxPressure, separator_);
        cellOf(cells, Cell::Speed) = localForm(record.material->maxSpeed, separator_);
        cellOf(cells, Cell::PV) = localForm(record.material->maxPV, separator_);
        cellOf(cells, Cell::Temperature) = record.material->maxTemperature;
        fillResults(cells, record);
        rows_.push_back(std::move(cells));
    }

    void finish() override
    {
        TextTable(materialTableColumns).appendTable(output_.text(), rows_, width_);
        finishNotes();
    }

private:
    std::vector<TableRow> rows_;
};

// A batch: a line a case as they stream in, the notes at the end.
class BatchLinesWriter : public NotedTableWriter {
public:
    BatchLinesWriter(std::ostream& out, const WriterSetup& setup)
        : NotedTableWriter(out, setup)
        , table_(batchTableColumns)
    {
        table_.fit({}, width_);
        table_.appendHeadings(output_.text());
    }

    void write(const CaseRecord& record) override
    {
        cellOf(cells_, Cell::Number) = std::to_string(++written_);
        // As given, unless it is a name that both groups have.
        cellOf(cells_, Cell::Material)
            = record.material != nullptr && record.material->shownName != record.material->name
            ? record.material->shownName
            : record.texts->material;
        cellOf(cells_, Cell::Load) = record.texts->load;
        cellOf(cells_, Cell::Frequency) = record.texts->frequency;
        cellOf(cells_, Cell::Length) = record.texts->length.value_or("");
        fillResults(cells_, record);
        table_.appendRow(output_.text(), cells_);
        output_.writeIfFull();
    }

    void finish() override { finishNotes(); }

private:
    TextTable table_;
    TableRow cells_;
    std::size_t written_ = 0;
};

}  // namespace

std::string localForm(std::string_view number, std::string_view separator)
{
    std::string text(number);
    if (const auto at = text.find('.'); at != std::string::npos) {
        text.replace(at, 1, separator);
    }
    return text;
}

std::string TableNotes::refer(std::span<const std::string> messages)
{
    std::string cell;
    for (const std::string& message : messages) {
        auto found = numbers_.find(message);
        if (found == numbers_.end() && numbers_.size() < mostNotes) {
            found = numbers_.emplace(message, numbers_.size() + 1).first;
            texts_.push_back(&found->first);
        }
        cell.append(cell.empty() ? "" : ", ");
        if (found == numbers_.end()) {
            ++unlisted_;
            cell += moreNotesMark;
        } else {
            cell += std::to_string(found->second);
        }
    }
    return cell;
}

void TableNotes::append(std::string& out, std::size_t width) const
{
    if (texts_.empty()) {
        return;
    }
    out += "\nПримечания:\n";
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const std::string number = std::to_string(i + 1) + ". ";
        appendWrapped(out, masked(*texts_[i], true), width == noWidthLimit ? std::string::npos : width, number,
            std::string(number.size(), ' '));
    }
    if (unlisted_ > 0) {
        out += std::string(moreNotesMark) + " ещё " + std::to_string(unlisted_)
            + " сообщений: все сообщения полностью выводятся с --format csv или json\n";
    }
}

std::unique_ptr<ResultWriter> makeTextWriter(std::ostream& out, const WriterSetup& setup)
{
    switch (setup.layout) {
    case Layout::OneCase: return std::make_unique<CaseLinesWriter>(out);
    case Layout::MaterialTable: return std::make_unique<MaterialTableWriter>(out, setup);
    case Layout::Batch: return std::make_unique<BatchLinesWriter>(out, setup);
    }
    return nullptr;
}

}  // namespace bearing::cli
