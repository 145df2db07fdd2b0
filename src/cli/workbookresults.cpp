#include "workbookresults.h"

#include "checkrecord.h"
#include "materialchoice.h"
#include "workbookwriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

namespace bearing::cli {

namespace {

// A record's number in machine form as a cell's number; none when the field is empty.
std::optional<double> number(std::string_view text)
{
    double value = 0;
    if (text.empty() || std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

class WorkbookResults : public ResultWriter {
public:
    explicit WorkbookResults(const WriterSetup& setup)
        : book_(setup.outputPath, setup.catalogue->listed(),
            {.inputDecimalMark = setup.inputDecimalMark, .carriedNames = setup.carriedNames, .withCases = true})
    {
    }

    void write(const CaseRecord& record) override
    {
        const CaseTexts& texts = *record.texts;
        book_.write({.number = ++cases_,
            .carried = record.carried,
            .material = texts.material,
            .load = texts.load,
            .frequency = texts.frequency,
            .length = texts.length ? std::optional<std::string_view>(*texts.length) : std::nullopt,
            .row = record.row,
            .maxDiameter = number(record.maxDiameter),
            .maxDiameterFull = number(record.maxDiameterFull),
            .minLength = number(record.minLength),
            .minLengthFull = number(record.minLengthFull),
            .pvLength = number(record.pvLength),
            .pressureLength = number(record.pressureLength),
            .minArea = number(record.minArea),
            .lengthLimit = record.lengthLimit,
            .minDiameter = number(record.minDiameter),
            .minDiameterFull = number(record.minDiameterFull),
            .lengthBelowMinimum = record.lengthBelowMinimum.empty()
                ? std::nullopt
                : std::optional<bool>(record.lengthBelowMinimum == "true"),
            .message = record.message,
            .messageCode = record.code});
    }

    void finish() override { book_.finish(); }

private:
    WorkbookWriter book_;
    std::size_t cases_ = 0;
};

// The check's fields on the sheet, by their name in checkColumns(): the heading, the
// width, how a cell shows. A limit's code ("p", "pv") is shown as its symbol ("[p]"), a
// group's as its title ("без смазки").
enum class Shown { AsIs, Limit, Group };

struct CheckHeading {
    std::string_view name;
    SheetColumn column;
    Shown shown = Shown::AsIs;
};

constexpr std::array checkHeadings{
    CheckHeading{"material", {"Материал (задан)", 26, SheetStyle::Text}},
    CheckHeading{"load", {"F, Н", 10, SheetStyle::Given}},
    CheckHeading{"frequency", {"n, об/мин", 11, SheetStyle::Given}},
    CheckHeading{"diameter", {"D, мм", 9, SheetStyle::Given}},
    CheckHeading{"length", {"L, мм", 9, SheetStyle::Given}},
    CheckHeading{"temperature", {"t, °C", 9, SheetStyle::Given}},
    CheckHeading{"row", {"№ материала", 11, SheetStyle::Integer}},
    CheckHeading{"name", {"Материал", 28, SheetStyle::Text}},
    CheckHeading{"group", {"Группа", 12, SheetStyle::Text}, Shown::Group},
    CheckHeading{"max_pressure", {"[p], МПа", 10, SheetStyle::Full}},
    CheckHeading{"max_speed", {"[v], м/с", 10, SheetStyle::Full}},
    CheckHeading{"max_pv", {"[pv], МПа·м/с", 12, SheetStyle::Full}},
    CheckHeading{"max_temperature", {"[t], °C", 9, SheetStyle::Integer}},
    CheckHeading{"pressure", {"p, МПа", 12, SheetStyle::Full}},
    CheckHeading{"speed", {"v, м/с", 12, SheetStyle::Full}},
    CheckHeading{"pv", {"pv, МПа·м/с", 12, SheetStyle::Full}},
    CheckHeading{"pressure_use", {"Загрузка по [p], %", 10, SheetStyle::Percent}},
    CheckHeading{"speed_use", {"Загрузка по [v], %", 10, SheetStyle::Percent}},
    CheckHeading{"pv_use", {"Загрузка по [pv], %", 10, SheetStyle::Percent}},
    CheckHeading{"governing", {"Определяет", 11, SheetStyle::Text}, Shown::Limit},
    CheckHeading{"governing_use", {"Наибольшая загрузка, %", 12, SheetStyle::Percent}},
    CheckHeading{"max_load", {"Fmax, Н", 12, SheetStyle::Full}},
    CheckHeading{"max_load_limit", {"Fmax по", 9, SheetStyle::Text}, Shown::Limit},
    CheckHeading{"max_frequency", {"nmax, об/мин", 12, SheetStyle::Full}},
    CheckHeading{"max_frequency_limit", {"nmax по", 9, SheetStyle::Text}, Shown::Limit},
    CheckHeading{"max_sliding_speed", {"v при nmax, м/с", 12, SheetStyle::Full}},
    CheckHeading{"temperature_holds", {"t не выше [t]", 10, SheetStyle::Flag}},
    CheckHeading{"temperature_margin", {"[t] − t, К", 10, SheetStyle::Full}},
    CheckHeading{"passes", {"Проходит", 10, SheetStyle::Flag}},
    CheckHeading{"message", {"Сообщение", 75, SheetStyle::Lines}},
    CheckHeading{"code", {"Код сообщения", 24, SheetStyle::Text}},
};

std::string_view shownText(Shown shown, std::string_view code)
{
    if (shown == Shown::Group) {
        const std::optional<Group> group = groupFromName(code);
        return group ? groupTitle(*group) : code;
    }
    if (shown == Shown::AsIs) {
        return code;
    }
    if (code == "p") {
        return "[p]";
    }
    if (code == "v") {
        return "[v]";
    }
    return code == "pv" ? "[pv]" : code;
}

// The design checks on a sheet «Проверка», a column for each field of checkColumns().
class WorkbookChecks : public CheckWriter {
public:
    explicit WorkbookChecks(const WriterSetup& setup)
        : columns_(sheetColumns())
        , book_(setup.outputPath, setup.catalogue->listed(),
              {.inputDecimalMark = setup.inputDecimalMark,
                  .carriedNames = setup.carriedNames,
                  .withCases = true,
                  .sheetName = "Проверка",
                  .columns = columns_})
    {
    }

    void write(const CheckRecord& record) override
    {
        cells_.clear();
        const auto fields = checkColumns();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string_view text = fields[i].value(record);
            cells_.push_back(cellOf(fields[i].kind, shownText(shown_[i], text)));
        }
        book_.writeRow(++checks_, record.carried, cells_);
    }

    void finish() override { book_.finish(); }

private:
    static SheetCell cellOf(FieldKind kind, std::string_view text)
    {
        if (text.empty()) {
            return {};
        }
        switch (kind) {
        case FieldKind::Number:
        case FieldKind::Integer: {
            const std::optional<double> value = number(text);
            return value ? SheetCell(*value) : SheetCell(text);
        }
        case FieldKind::Flag: return text == "true" ? "да" : "нет";
        case FieldKind::Text:
        case FieldKind::Optional: break;
        }
        return text;
    }

    // A field missing from checkHeadings still gets a column, headed by its name.
    std::vector<SheetColumn> sheetColumns()
    {
        std::vector<SheetColumn> columns;
        for (const auto& field : checkColumns()) {
            const auto* known = std::ranges::find(checkHeadings, field.name, &CheckHeading::name);
            const bool found = known != checkHeadings.end();
            columns.push_back(found ? known->column : SheetColumn{field.name, 14, SheetStyle::Text});
            shown_.push_back(found ? known->shown : Shown::AsIs);
        }
        return columns;
    }

    std::vector<Shown> shown_;
    std::vector<SheetColumn> columns_;  // before book_, which reads them
    WorkbookWriter book_;
    std::vector<SheetCell> cells_;
    std::size_t checks_ = 0;
};

}  // namespace

std::unique_ptr<CheckWriter> makeWorkbookChecks(const WriterSetup& setup)
{
    return std::make_unique<WorkbookChecks>(setup);
}

std::unique_ptr<ResultWriter> makeWorkbookResults(const WriterSetup& setup)
{
    return std::make_unique<WorkbookResults>(setup);
}

}  // namespace bearing::cli
