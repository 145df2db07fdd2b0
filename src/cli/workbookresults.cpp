#include "workbookresults.h"

#include "checkrecord.h"
#include "filmjob.h"
#include "materialchoice.h"
#include "workbookwriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <utility>
#include <vector>

namespace bearing::cli {

namespace {

// A number in machine form as a cell's number; none when the field is empty.
std::optional<double> numberOfText(std::string_view text)
{
    double value = 0;
    if (text.empty() || std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

// A field's number as a cell's number: a single as the decimal of its shortest text.
std::optional<double> number(const FieldValue& value)
{
    if (const auto* single = std::get_if<float>(&value)) {
        return shortestDecimal(*single);
    }
    if (const auto* decimal = std::get_if<double>(&value)) {
        return *decimal;
    }
    const auto* text = std::get_if<std::string_view>(&value);
    return text != nullptr ? numberOfText(*text) : std::nullopt;
}

// How a field shows: as it is, a limit's code ("p", "pv") as its symbol ("[p]"),
// a group's name as its title ("без смазки").
enum class ShownAs { AsIs, Limit, Group };

// The fields around a calculation's own (checkFields, filmFields), with their headings.
constexpr std::array<std::pair<std::string_view, std::string_view>, 19> fieldHeadings{{
    {"material", "Материал (задан)"},
    {"load", "F, Н"},
    {"frequency", "n, об/мин"},
    {"diameter", "D, мм"},
    {"length", "L, мм"},
    {"temperature", "t, °C"},
    {"clearance", "Δ, мкм"},
    {"viscosity", "µ, Па·с"},
    {"roughness_journal", "Rz_ц, мкм"},
    {"roughness_bore", "Rz_в, мкм"},
    {"row", "№ материала"},
    {"name", "Материал"},
    {"group", "Группа"},
    {"max_pressure", "[p], МПа"},
    {"max_speed", "[v], м/с"},
    {"max_pv", "[pv], МПа·м/с"},
    {"max_temperature", "[t], °C"},
    {"message", "Сообщение"},
    {"code", "Код сообщения"},
}};

bool isInput(std::string_view name)
{
    constexpr std::array<std::string_view, 9> inputs{"load", "frequency", "diameter", "length", "temperature",
        "clearance", "viscosity", "roughness_journal", "roughness_bore"};
    return std::ranges::find(inputs, name) != inputs.end();
}

// A field's column: its heading, a style from its kind (the inputs as given, the
// utilisations as percents) and a width that wraps the heading in two or three lines.
template <class Record> SheetColumn sheetColumn(const Column<Record>& field, std::string_view heading)
{
    SheetStyle style = SheetStyle::Text;
    if (isInput(field.name)) {
        style = SheetStyle::Given;
    } else if (field.name.ends_with("_use")) {
        style = SheetStyle::Percent;
    } else if (field.name == "message") {
        return {heading, 75, SheetStyle::Lines};
    } else if (field.kind == FieldKind::Number) {
        style = SheetStyle::Full;
    } else if (field.kind == FieldKind::Integer) {
        style = SheetStyle::Integer;
    } else if (field.kind == FieldKind::Flag) {
        style = SheetStyle::Flag;
    } else {
        const bool narrow = field.name == "governing" || field.name == "group" || field.name.ends_with("_limit");
        return {heading, narrow ? 12.0 : 26.0, style};
    }
    const auto characters = static_cast<double>(
        std::ranges::count_if(heading, [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
    return {heading, std::clamp(characters / 2 + 3, 9.0, 14.0), style};
}

ShownAs shownOf(std::string_view name)
{
    if (name == "group") {
        return ShownAs::Group;
    }
    return name == "governing" || name.ends_with("_limit") ? ShownAs::Limit : ShownAs::AsIs;
}

std::string_view shownText(ShownAs shown, std::string_view code)
{
    if (shown == ShownAs::Group) {
        const std::optional<Group> group = groupFromName(code);
        return group ? groupTitle(*group) : code;
    }
    if (shown == ShownAs::AsIs) {
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

// A field of the calculation's own (`own`: checkFields, filmFields) is headed as its table
// heads it, any other as fieldHeadings does; one missing from both still gets a column,
// headed by its name. The calculation's own come first: the film's max_pressure is its
// p_max, the check's is the material's [p].
template <class Result, std::size_t N>
std::string_view headingIn(const std::array<ResultField<Result>, N>& own, std::string_view name)
{
    if (const auto* field = std::ranges::find(own, name, &ResultField<Result>::name); field != own.end()) {
        return field->heading;
    }
    const auto* known = std::ranges::find(fieldHeadings, name, &std::pair<std::string_view, std::string_view>::first);
    return known != fieldHeadings.end() ? known->second : name;
}

// A field on a sheet laid out by hand: its name and its column.
struct SheetField {
    std::string_view name;
    SheetColumn column;
};

// The sizing's sheet: the inputs as given, the material's number and name, the results
// with the window's rounding, the messages. The material's limits are on the material
// sheet, in the row its number names: repeated on every case they would make a
// million-case workbook a fifth larger and slower to write.
constexpr std::array<SheetField, 19> sizingSheet{{
    {"material", {"Материал (задан)", 26, SheetStyle::Text}},
    {"load", {"F, Н", 10, SheetStyle::Given}},
    {"frequency", {"n, об/мин", 11, SheetStyle::Given}},
    {"length", {"L, мм", 9, SheetStyle::Given}},
    {"row", {"№ материала", 11, SheetStyle::Integer}},
    {"name", {"Материал", 28, SheetStyle::Text}},
    {"max_diameter", {"Dmax, мм", 10, SheetStyle::Tenth}},
    {"max_diameter_full", {"Dmax без округления, мм", 13, SheetStyle::Full}},
    {"min_length", {"Lmin, мм", 10, SheetStyle::Tenth}},
    {"min_length_full", {"Lmin без округления, мм", 13, SheetStyle::Full}},
    {"pv_length", {"L по [pv], мм", 12, SheetStyle::Full}},
    {"pressure_length", {"L по [p] при Dmax, мм", 13, SheetStyle::Full}},
    {"min_area", {"F/[p], мм²", 12, SheetStyle::Full}},
    {"length_limit", {"Lmin задаёт", 9, SheetStyle::Text}},
    {"min_diameter", {"Dmin при L, мм", 10, SheetStyle::Tenth}},
    {"min_diameter_full", {"Dmin при L без округления, мм", 15, SheetStyle::Full}},
    // "да" or "нет": a flag cell reads differently from one spreadsheet to the next.
    {"length_below_minimum", {"L меньше Lmin", 9, SheetStyle::Flag}},
    {"message", {"Сообщение", 75, SheetStyle::Lines}},
    {"code", {"Код сообщения", 24, SheetStyle::Text}},
}};

// Records of a calculation on a sheet of their own, a column for each of their fields,
// or for those of `layout`, laid out as it says.
template <class Record> class WorkbookTable : public RecordWriter<Record> {
public:
    WorkbookTable(const WriterSetup& setup, std::string_view sheetName, std::span<const Column<Record>> fields,
        std::string_view (*headingOf)(std::string_view name), std::span<const SheetField> layout = {})
        : columns_(sheetColumns(fields, headingOf, layout))
        , book_(setup.outputPath, setup.catalogue->listed(),
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
        for (const Shown& shown : shown_) {
            cells_.push_back(cellOf(shown.field->kind, shown.form, shown.field->value(record)));
        }
        book_.writeRow(++rows_, record.carried, cells_);
    }

    void finish() override { book_.finish(); }

private:
    static SheetCell cellOf(FieldKind kind, ShownAs shown, const FieldValue& value)
    {
        if (std::holds_alternative<float>(value) || std::holds_alternative<double>(value)) {
            return *number(value);
        }
        if (const auto* flag = std::get_if<bool>(&value)) {
            return *flag ? "да" : "нет";
        }
        const auto* given = std::get_if<std::string_view>(&value);
        const std::string_view text = given != nullptr ? shownText(shown, *given) : std::string_view();
        if (text.empty()) {
            return {};
        }
        switch (kind) {
        case FieldKind::Number:
        case FieldKind::Integer: {
            const std::optional<double> value = numberOfText(text);
            return value ? SheetCell(*value) : SheetCell(text);
        }
        case FieldKind::Flag: return text == "true" ? "да" : "нет";
        case FieldKind::Text:
        case FieldKind::Optional: break;
        }
        return text;
    }

    std::vector<SheetColumn> sheetColumns(std::span<const Column<Record>> fields,
        std::string_view (*headingOf)(std::string_view name), std::span<const SheetField> layout)
    {
        std::vector<SheetColumn> columns;
        if (layout.empty()) {
            for (const Column<Record>& field : fields) {
                columns.push_back(sheetColumn(field, headingOf(field.name)));
                shown_.push_back({&field, shownOf(field.name)});
            }
            return columns;
        }
        for (const SheetField& sheetField : layout) {
            const auto field = std::ranges::find(fields, sheetField.name, &Column<Record>::name);
            if (field == fields.end()) {
                throw std::logic_error("no field " + std::string(sheetField.name) + " for the sheet");
            }
            columns.push_back(sheetField.column);
            shown_.push_back({&*field, shownOf(field->name)});
        }
        return columns;
    }

    // A field as its column shows it.
    struct Shown {
        const Column<Record>* field;
        ShownAs form;
    };
    std::vector<Shown> shown_;
    std::vector<SheetColumn> columns_;  // before book_, which reads them
    WorkbookWriter book_;
    std::vector<SheetCell> cells_;
    std::size_t rows_ = 0;
};

}  // namespace

std::unique_ptr<CheckWriter> makeWorkbookChecks(const WriterSetup& setup)
{
    return std::make_unique<WorkbookTable<CheckRecord>>(
        setup, "Проверка", checkColumns(), [](std::string_view name) { return headingIn(checkFields, name); });
}

std::unique_ptr<FilmWriter> makeWorkbookFilms(const WriterSetup& setup)
{
    return std::make_unique<WorkbookTable<FilmRecord>>(
        setup, "Масляный слой", filmColumns(), [](std::string_view name) { return headingIn(filmFields, name); });
}

std::unique_ptr<ResultWriter> makeWorkbookResults(const WriterSetup& setup)
{
    return std::make_unique<WorkbookTable<CaseRecord>>(setup, "Расчеты", caseColumns(), nullptr, sizingSheet);
}

}  // namespace bearing::cli
