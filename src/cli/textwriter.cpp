#include "textwriter.h"

#include "checkedoutput.h"
#include "terminaltext.h"

#include <array>

namespace bearing::cli {

namespace {

constexpr std::string_view belowMinimumMark = "L < Lmin";
constexpr std::string_view moreNotesMark = "*";

// The columns of the table of every material, in this order.
enum class MaterialColumn { Number, Material, Group, Pressure, Speed, PV, Temperature, MaxDiameter, MinLength, Limit,
    MinDiameter, Note, Count };

constexpr std::array<TableColumn, static_cast<std::size_t>(MaterialColumn::Count)> materialTableColumns{{
    {.heading = "№", .alignRight = true},
    {.heading = "Материал", .cuttable = true},
    {.heading = "Группа", .priority = 5},
    {.heading = "[p], МПа", .alignRight = true, .priority = 1},
    {.heading = "[v], м/с", .alignRight = true, .priority = 2},
    {.heading = "[pv], МПа·м/с", .alignRight = true, .priority = 3},
    {.heading = "[t], °C", .alignRight = true, .priority = 4},
    {.heading = "Dmax, мм", .alignRight = true},
    {.heading = "Lmin, мм", .alignRight = true},
    {.heading = "Lmin по"},
    {.heading = "Dmin, мм", .alignRight = true, .hideWhenEmpty = true},
    {.heading = "Прим.", .hideWhenEmpty = true},
}};

// The columns of a batch, in this order; their widths are fixed, as the rows stream.
enum class BatchColumn { Number, Material, Load, Frequency, Length, MaxDiameter, MinLength, Limit, MinDiameter, Note,
    Count };

constexpr std::array<TableColumn, static_cast<std::size_t>(BatchColumn::Count)> batchTableColumns{{
    {.heading = "№", .alignRight = true, .width = 5},
    {.heading = "Материал", .width = 18, .cuttable = true},
    {.heading = "F, Н", .priority = 2, .width = 8, .cuttable = true},
    {.heading = "n, об/мин", .priority = 3, .width = 9, .cuttable = true},
    {.heading = "L, мм", .priority = 1, .width = 6, .cuttable = true},
    {.heading = "Dmax, мм", .alignRight = true, .width = 8},
    {.heading = "Lmin, мм", .alignRight = true, .width = 8},
    {.heading = "Lmin по", .width = 7},
    {.heading = "Dmin, мм", .alignRight = true, .width = 8},
    {.heading = "Прим.", .width = 5},
}};

template <class Cells, class Name> std::string& cell(Cells& cells, Name name)
{
    return cells.at(static_cast<std::size_t>(name));
}

std::string limitTitle(std::string_view limit) { return limit.empty() ? "" : "[" + std::string(limit) + "]"; }

std::string minDiameterCell(const CaseRecord& record, std::string_view separator)
{
    return record.lengthBelowMinimum == "true" ? std::string(belowMinimumMark)
                                               : localForm(record.minDiameter, separator);
}

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

// Every material: the whole table is held, to fit its columns to the terminal.
class MaterialTableWriter : public ResultWriter {
public:
    MaterialTableWriter(std::ostream& out, const WriterSetup& setup)
        : output_(out)
        , separator_(setup.decimalSeparator)
        , width_(setup.width)
    {
    }

    void write(const CaseRecord& record) override
    {
        std::vector<std::string> cells(materialTableColumns.size());
        cell(cells, MaterialColumn::Number) = record.material->row;
        cell(cells, MaterialColumn::Material) = record.material->name;
        cell(cells, MaterialColumn::Group) = groupTitle(groupOfRow(record.row));
        cell(cells, MaterialColumn::Pressure) = localForm(record.material->maxPressure, separator_);
        cell(cells, MaterialColumn::Speed) = localForm(record.material->maxSpeed, separator_);
        cell(cells, MaterialColumn::PV) = localForm(record.material->maxPV, separator_);
        cell(cells, MaterialColumn::Temperature) = record.material->maxTemperature;
        cell(cells, MaterialColumn::MaxDiameter) = localForm(record.maxDiameter, separator_);
        cell(cells, MaterialColumn::MinLength) = localForm(record.minLength, separator_);
        cell(cells, MaterialColumn::Limit) = limitTitle(record.lengthLimit);
        cell(cells, MaterialColumn::MinDiameter) = minDiameterCell(record, separator_);
        cell(cells, MaterialColumn::Note) = notes_.refer(record);
        rows_.push_back(std::move(cells));
    }

    void finish() override
    {
        TextTable table(materialTableColumns);
        table.fit(rows_, width_);
        table.appendHeadings(output_.text());
        for (const std::vector<std::string>& row : rows_) {
            table.appendRow(output_.text(), row);
        }
        notes_.append(output_.text(), width_);
        output_.flush();
    }

    [[nodiscard]] bool showsMessages() const override { return true; }

private:
    OutputBuffer output_;
    std::string separator_;
    std::size_t width_;
    std::vector<std::vector<std::string>> rows_;
    TableNotes notes_;
};

// A batch: a line a case as they stream in, the notes at the end.
class BatchLinesWriter : public ResultWriter {
public:
    BatchLinesWriter(std::ostream& out, const WriterSetup& setup)
        : output_(out)
        , separator_(setup.decimalSeparator)
        , width_(setup.width)
        , table_(batchTableColumns)
        , cells_(batchTableColumns.size())
    {
        table_.fit({}, width_);
        table_.appendHeadings(output_.text());
    }

    void write(const CaseRecord& record) override
    {
        cell(cells_, BatchColumn::Number) = std::to_string(++written_);
        cell(cells_, BatchColumn::Material) = record.texts->material;
        cell(cells_, BatchColumn::Load) = record.texts->load;
        cell(cells_, BatchColumn::Frequency) = record.texts->frequency;
        cell(cells_, BatchColumn::Length) = record.texts->length.value_or("");
        cell(cells_, BatchColumn::MaxDiameter) = localForm(record.maxDiameter, separator_);
        cell(cells_, BatchColumn::MinLength) = localForm(record.minLength, separator_);
        cell(cells_, BatchColumn::Limit) = limitTitle(record.lengthLimit);
        cell(cells_, BatchColumn::MinDiameter) = minDiameterCell(record, separator_);
        cell(cells_, BatchColumn::Note) = notes_.refer(record);
        table_.appendRow(output_.text(), cells_);
        output_.writeIfFull();
    }

    void finish() override
    {
        notes_.append(output_.text(), width_);
        output_.flush();
    }

    [[nodiscard]] bool showsMessages() const override { return true; }

private:
    OutputBuffer output_;
    std::string separator_;
    std::size_t width_;
    TextTable table_;
    std::vector<std::string> cells_;
    TableNotes notes_;
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

std::string TableNotes::refer(const CaseRecord& record)
{
    std::string cell;
    for (const std::string& message : record.messages) {
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
