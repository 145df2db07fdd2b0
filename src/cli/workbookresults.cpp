#include "workbookresults.h"

#include "checkrecord.h"
#include "filmjob.h"
#include "materialchoice.h"
#include "workbookwriter.h"

#include <algorithm>
#include <array>
#include <charconv>
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

std::optional<bool> flag(const FieldValue& value)
{
    const auto* flag = std::get_if<bool>(&value);
    return flag != nullptr ? std::optional<bool>(*flag) : std::nullopt;
}

// The value of the sizing's field `name`, as its column gives it to every format.
FieldValue sizingField(const CaseRecord& record, std::string_view name)
{
    const std::span<const Column<CaseRecord>> columns = caseColumns();
    const auto column = std::ranges::find(columns, name, &Column<CaseRecord>::name);
    return column != columns.end() ? column->value(record) : FieldValue();
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
            .maxDiameter = numberOfText(record.maxDiameter),
            .maxDiameterFull = number(sizingField(record, "max_diameter_full")),
            .minLength = numberOfText(record.minLength),
            .minLengthFull = number(sizingField(record, "min_length_full")),
            .pvLength = number(sizingField(record, "pv_length")),
            .pressureLength = number(sizingField(record, "pressure_length")),
            .minArea = number(sizingField(record, "min_area")),
            .lengthLimit = record.lengthLimit(),
            .minDiameter = numberOfText(record.minDiameter),
            .minDiameterFull = number(sizingField(record, "min_diameter_full")),
            .lengthBelowMinimum = flag(sizingField(record, "length_below_minimum")),
            .message = record.message,
            .messageCode = record.code});
    }

    void finish() override { book_.finish(); }

private:
    WorkbookWriter book_;
    std::size_t cases_ = 0;
};

// How a check's field shows: as it is, a limit's code ("p", "pv") as its symbol ("[p]"),
// a group's name as its title ("без смазки").
enum class Shown { AsIs, Limit, Group };

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

Shown shownOf(std::string_view name)
{
    if (name == "group") {
        return Shown::Group;
    }
    return name == "governing" || name.ends_with("_limit") ? Shown::Limit : Shown::AsIs;
}

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

// Records of a calculation on a sheet of their own, a column for each of their fields.
template <class Record> class WorkbookTable : public RecordWriter<Record> {
public:
    WorkbookTable(const WriterSetup& setup, std::string_view sheetName, std::span<const Column<Record>> fields,
        std::string_view (*headingOf)(std::string_view name))
        : fields_(fields)
        , headingOf_(headingOf)
        , columns_(sheetColumns())
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
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            cells_.push_back(cellOf(fields_[i].kind, shown_[i], fields_[i].value(record)));
        }
        book_.writeRow(++rows_, record.carried, cells_);
    }

    void finish() override { book_.finish(); }

private:
    static SheetCell cellOf(FieldKind kind, Shown shown, const FieldValue& value)
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

    std::vector<SheetColumn> sheetColumns()
    {
        std::vector<SheetColumn> columns;
        for (const auto& field : fields_) {
            columns.push_back(sheetColumn(field, headingOf_(field.name)));
            shown_.push_back(shownOf(field.name));
        }
        return columns;
    }

    std::span<const Column<Record>> fields_;
    std::string_view (*headingOf_)(std::string_view name);
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
    return std::make_unique<WorkbookResults>(setup);
}

}  // namespace bearing::cli
