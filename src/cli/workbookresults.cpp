#include "workbookresults.h"

#include "checkrecord.h"
#include "filmjob.h"
#include "materialchoice.h"
#include "workbooktable.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>
#include <vector>

namespace bearing::cli {

namespace {

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

// A limit's code ("p", "pv") as its symbol ("[p]").
std::string_view limitShown(std::string_view code)
{
    if (code == "p") {
        return "[p]";
    }
    if (code == "v") {
        return "[v]";
    }
    return code == "pv" ? "[pv]" : code;
}

// A group's name ("dry") as its title ("без смазки").
std::string_view groupShown(std::string_view name)
{
    const std::optional<Group> group = groupFromName(name);
    return group ? groupTitle(*group) : name;
}

// What a field's text shows as on a sheet: a limit as its symbol, a group as its title.
auto shownOf(std::string_view name) -> std::string_view (*)(std::string_view)
{
    if (name == "group") {
        return groupShown;
    }
    return name == "governing" || name.ends_with("_limit") ? limitShown : nullptr;
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
struct LaidOut {
    std::string_view name;
    SheetColumn column;
};

// The sizing's sheet: the inputs as given, the material's number and name, the results
// with the window's rounding, the messages. The material's limits are on the material
// sheet, in the row its number names: repeated on every case they would make a
// million-case workbook a fifth larger and slower to write.
constexpr std::array<LaidOut, 19> sizingSheet{{
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

// A column for each of `fields`, headed by `headingOf`.
template <class Record>
std::vector<SheetField<Record>> sheetFields(
    std::span<const Column<Record>> fields, std::string_view (*headingOf)(std::string_view name))
{
    std::vector<SheetField<Record>> sheet;
    for (const Column<Record>& field : fields) {
        sheet.push_back({&field, sheetColumn(field, headingOf(field.name)), shownOf(field.name)});
    }
    return sheet;
}

// The columns of `layout`, each of one of `fields`.
template <class Record>
std::vector<SheetField<Record>> sheetFields(std::span<const Column<Record>> fields, std::span<const LaidOut> layout)
{
    std::vector<SheetField<Record>> sheet;
    for (const LaidOut& laidOut : layout) {
        const auto field = std::ranges::find(fields, laidOut.name, &Column<Record>::name);
        if (field == fields.end()) {
            throw std::logic_error("no field " + std::string(laidOut.name) + " for the sheet");
        }
        sheet.push_back({&*field, laidOut.column, shownOf(field->name)});
    }
    return sheet;
}

}  // namespace

std::unique_ptr<CheckWriter> makeWorkbookChecks(const WriterSetup& setup)
{
    return std::make_unique<WorkbookTable<CheckRecord>>(setup, "Проверка",
        sheetFields(checkColumns(), [](std::string_view name) { return headingIn(checkFields, name); }));
}

std::unique_ptr<FilmWriter> makeWorkbookFilms(const WriterSetup& setup)
{
    return std::make_unique<WorkbookTable<FilmRecord>>(setup, "Масляный слой",
        sheetFields(filmColumns(), [](std::string_view name) { return headingIn(filmFields, name); }));
}

std::unique_ptr<ResultWriter> makeWorkbookResults(const WriterSetup& setup)
{
    return std::make_unique<WorkbookTable<CaseRecord>>(setup, "Расчеты", sheetFields(caseColumns(), sizingSheet));
}

}  // namespace bearing::cli
