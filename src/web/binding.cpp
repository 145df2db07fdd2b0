// The web page's way into the calculation core: embind functions that take the page's
// texts and return plain JavaScript values. Nothing here calculates or formats: a press
// goes to the core's own press operations, and the page renders the events they return,
// in order.

#include "bearingcharts.h"
#include "calculationreport.h"
#include "casecharts.h"
#include "designcheck.h"
#include "filmcharts.h"
#include "filmreport.h"
#include "materialcatalogue.h"
#include "numbertext.h"
#include "oilfilm.h"
#include "press.h"
#include "programversion.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace bearing::web {

namespace {

using emscripten::val;

// A UTF-8 text as a JavaScript string.
val text(std::string_view utf8) { return val(std::string(utf8)); }

constexpr const char* controlName(Control control)
{
    switch (control) {
    case Control::MaxDiameterLine: return "maxDiameterLine";
    case Control::MinLengthLine: return "minLengthLine";
    case Control::MinDiameterOnLength: return "minDiameterOnLength";
    }
    return "";
}

// {events: [{kind: "text", control, text} | {kind: "message", text, title, icon}],
//  numbers: {maxDiameter, minLength, minDiameter}}
val pressValue(const PressResult& result)
{
    val events = val::array();
    for (const ShownEvent& shown : result.events) {
        val event = val::object();
        if (shown.kind == ShownEvent::Kind::Message) {
            event.set("kind", "message");
            event.set("text", text(shown.text));
            event.set("title", text(shown.title));
            event.set("icon", shown.icon == MessageIcon::Warning ? "warning" : "information");
        } else {
            event.set("kind", "text");
            event.set("control", controlName(shown.control));
            event.set("text", text(shown.text));
        }
        events.call<void>("push", event);
    }
    val numbers = val::object();
    numbers.set("maxDiameter", text(result.numbers.maxDiameter));
    numbers.set("minLength", text(result.numbers.minLength));
    numbers.set("minDiameter", text(result.numbers.minDiameter));
    val press = val::object();
    press.set("events", events);
    press.set("numbers", numbers);
    return press;
}

}  // namespace

// One bearing window's calculations: its catalogue and what it remembers between presses.
class Calculator {
public:
    // `row` is the catalogue row of the selected material, or -1 with none selected.
    val pressSizing(int row, const std::string& load, const std::string& frequency)
    {
        const PressInput input{.material = materialText(row), .load = load, .frequency = frequency, .length = {}};
        return remember(bearing::pressSizing(catalogue_, input, state_));
    }

    val pressDiameterForLength(int row, const std::string& load, const std::string& frequency,
        const std::string& length, const std::string& decimalSeparator)
    {
        const PressInput input{.material = materialText(row), .load = load, .frequency = frequency, .length = length};
        return remember(bearing::pressDiameterForLength(catalogue_, input, state_, decimalSeparator));
    }

private:
    [[nodiscard]] std::string_view materialText(int row) const
    {
        return row >= 0 && row < MaterialCatalogue::rowCount ? catalogue_.row(row).name : std::string_view();
    }

    val remember(const PressResult& result)
    {
        state_ = result.state;
        return pressValue(result);
    }

    MaterialCatalogue catalogue_{CatalogueVariant::BearingWindow};
    SizingState state_;
};

namespace {

// The lines of a material list from `variant`'s catalogue, top to bottom, blank lines
// left out: {header} for a group's header, and for a material the fields that
// `describe(line, row, material)` sets.
template <typename Describe> val listLines(CatalogueVariant variant, Describe describe)
{
    const MaterialCatalogue catalogue(variant);
    val lines = val::array();
    for (const MaterialListItem& item : materialListItems) {
        val line = val::object();
        if (item.isMaterial()) {
            describe(line, item.row, catalogue.row(item.row));
        } else if (!item.header.empty()) {
            line.set("header", text(item.header));
        } else {
            continue;
        }
        lines.call<void>("push", line);
    }
    return lines;
}

// The material list: {header} or {row, name, temperature} ([t] as the window's box
// shows it).
val materialList()
{
    return listLines(CatalogueVariant::BearingWindow, [](val& line, int row, const MaterialRecord& material) {
        line.set("row", row);
        line.set("name", text(material.name));
        line.set("temperature", text(formatTextBoxNumber(material.maxTemperature)));
    });
}

// The reference table: the material list's lines with every limit as the materials
// window shows it, with the user's decimal separator.
val referenceTable(const std::string& decimalSeparator)
{
    return listLines(
        CatalogueVariant::ReferenceWindow, [&decimalSeparator](val& line, int /*row*/, const MaterialRecord& material) {
            line.set("name", text(material.name));
            line.set("maxPressure", text(formatTextBoxNumber(material.maxPressure, decimalSeparator)));
            line.set("maxSpeed", text(formatTextBoxNumber(material.maxSpeed, decimalSeparator)));
            line.set("maxPV", text(formatTextBoxNumber(material.maxPV, decimalSeparator)));
            line.set("maxTemperature", text(formatTextBoxNumber(material.maxTemperature)));
        });
}

// The design check of the page's check section, as the command line reads it: the
// material the list has selected (its catalogue row, or -1 with none) with the reference
// catalogue's limits and the group by the row, the texts of the boxes, and an empty
// temperature when none is to be compared.
CheckReportCase checkCase(int row, const std::string& load, const std::string& frequency, const std::string& diameter,
    const std::string& length, const std::string& temperature)
{
    const MaterialCatalogue catalogue(CatalogueVariant::ReferenceWindow);
    const DesignCheckTexts texts{.load = load,
        .frequency = frequency,
        .diameter = diameter,
        .length = length,
        .temperature = temperature.empty() ? std::nullopt : std::optional<std::string_view>(temperature)};
    if (row < 0 || row >= MaterialCatalogue::rowCount) {
        return checkReportCase(
            {}, catalogue, -1, texts, {}, {std::string(sizingMessageText(SizingMessage::ChooseMaterial))});
    }
    const MaterialRecord& material = catalogue.row(row);
    return checkReportCase(std::string(material.name), catalogue, row, texts, checkDesign(material, texts), {});
}

// A result field (the check's, the film's) as a JavaScript value: null where the case has
// none.
struct FieldValue {
    val operator()(std::monostate /*none*/) const { return val::null(); }
    // A figure that is no finite number (the film's margin over smooth surfaces is +∞) is
    // null, as in the command line's JSON.
    val operator()(double number) const { return std::isfinite(number) ? val(number) : val::null(); }
    val operator()(bool flag) const { return val(flag); }
    val operator()(std::string_view code) const { return text(code); }
};
constexpr FieldValue fieldValue;

// {code, message} when the check stopped, else {figures, as the command line's JSON names
// them; shown: the figures as the command line's text shows them, with `separator`}.
val checkValue(const CheckReportCase& c, const std::string& separator)
{
    val result = val::object();
    if (!c.material) {
        result.set("code", text(sizingMessageCode(SizingMessage::ChooseMaterial)));
        result.set("message", text(sizingMessageText(SizingMessage::ChooseMaterial)));
        return result;
    }
    const DesignCheck& k = c.check;
    if (k.fault != CheckFault::None) {
        result.set("code", text(checkFaultCode(k.fault)));
        result.set("message", text(checkFaultMessage(k.fault)));
        return result;
    }
    result.set("code", val::null());
    result.set("message", val::null());
    for (const CheckField& field : checkFields) {
        result.set(std::string(field.name), std::visit(fieldValue, field.value(k)));
    }

    const CheckLines shownLines = checkLines(k, *c.material, separator);
    val rows = val::array();
    for (const CheckFigureLine& figure : shownLines.figures) {
        val line = val::object();
        line.set("name", text(figure.name));
        line.set("value", text(figure.value));
        line.set("limit", text(figure.limit));
        line.set("use", text(figure.use));
        rows.call<void>("push", line);
    }
    val lines = val::array();
    for (const std::string& line : shownLines.lines) {
        lines.call<void>("push", text(line));
    }
    val shown = val::object();
    shown.set("rows", rows);
    shown.set("lines", lines);
    result.set("shown", shown);
    return result;
}

// The design check of `row` (-1: none selected) with the boxes' texts; an empty
// temperature is not compared.
val designCheck(int row, const std::string& load, const std::string& frequency, const std::string& diameter,
    const std::string& length, const std::string& temperature, const std::string& separator)
{
    return checkValue(checkCase(row, load, frequency, diameter, length, temperature), separator);
}

// The check's two charts as the command line draws them (`--chart-kind pv` and
// `design`): {pv, design}, SVG elements; empty texts without a material.
val checkCharts(int row, const std::string& load, const std::string& frequency, const std::string& diameter,
    const std::string& length, const std::string& separator)
{
    const CheckReportCase c = checkCase(row, load, frequency, diameter, length, {});
    val charts = val::object();
    if (!c.material) {
        charts.set("pv", text(""));
        charts.set("design", text(""));
        return charts;
    }
    charts.set("pv", text(checkPvDiagramSvg(c, separator)));
    charts.set("design", text(checkDesignChartSvg(c, separator)));
    return charts;
}

// An empty calculation report as the page writes it, dated `unixSeconds` (the browser's
// clock, whole seconds since 1970 UTC).
CalculationReport pageReport(const std::string& separator, double unixSeconds)
{
    return CalculationReport{.programName = "plain-bearings",
        .version = std::string(programVersion),
        .date = reportDate(std::isfinite(unixSeconds) && unixSeconds >= 0 && unixSeconds < 1e15
                ? static_cast<std::int64_t>(unixSeconds)
                : 0),
        .decimalSeparator = separator,
        .sizings = {},
        .checks = {},
        .films = {}};
}

// The calculation report of the check, as the command line's `--report` writes it, dated
// `unixSeconds`.
std::string checkReport(int row, const std::string& load, const std::string& frequency, const std::string& diameter,
    const std::string& length, const std::string& temperature, const std::string& separator, double unixSeconds)
{
    CalculationReport report = pageReport(separator, unixSeconds);
    report.checks.push_back(checkCase(row, load, frequency, diameter, length, temperature));
    return calculationReportHtml(report);
}

// The texts of the page's film section, as the core reads them; an empty roughness or
// margin is not given, and takes the core's default.
FilmTexts filmTexts(const std::string& load, const std::string& frequency, const std::string& diameter,
    const std::string& length, const std::string& clearance, const std::string& viscosity,
    const std::string& journalRoughness, const std::string& boreRoughness, const std::string& margin)
{
    const auto optional = [](const std::string& given) {
        return given.empty() ? std::nullopt : std::optional<std::string_view>(given);
    };
    return FilmTexts{.load = load,
        .frequency = frequency,
        .diameter = diameter,
        .length = length,
        .clearance = clearance,
        .viscosity = viscosity,
        .journalRoughness = optional(journalRoughness),
        .boreRoughness = optional(boreRoughness),
        .margin = optional(margin)};
}

// {fields: {name: number | bool | null, as the command line's JSON names them},
//  lines: the lines as shown with `separator`, the verdict last (none after a fault),
//  messages: [{code, text}], the fault or the limit, passes: bool, or null after a fault}.
val oilFilm(const std::string& load, const std::string& frequency, const std::string& diameter,
    const std::string& length, const std::string& clearance, const std::string& viscosity,
    const std::string& journalRoughness, const std::string& boreRoughness, const std::string& margin,
    const std::string& separator)
{
    const OilFilm film = solveOilFilm(
        filmTexts(load, frequency, diameter, length, clearance, viscosity, journalRoughness, boreRoughness, margin));
    val fields = val::object();
    for (const FilmField& field : filmFields) {
        fields.set(std::string(field.name), std::visit(fieldValue, field.value(film)));
    }
    val lines = val::array();
    for (const std::string& line : filmLines(film, separator)) {
        lines.call<void>("push", text(line));
    }
    val messages = val::array();
    const auto message = [&messages](std::string_view code, std::string_view message) {
        val shown = val::object();
        shown.set("code", text(code));
        shown.set("text", text(message));
        messages.call<void>("push", shown);
    };
    if (film.fault != FilmFault::None) {
        message(filmFaultCode(film.fault), filmFaultMessage(film.fault));
    } else if (film.limit != FilmLimit::None) {
        message(filmLimitCode(film.limit), filmLimitMessage(film.limit));
    }
    val result = val::object();
    result.set("fields", fields);
    result.set("lines", lines);
    result.set("messages", messages);
    result.set("passes", film.fault == FilmFault::None ? val(film.passes) : val::null());
    return result;
}

// The film's two charts as the command line draws them: {pressure, design}, SVG
// elements; both empty after a fault, and the pressure empty where the film carries no
// solution (a load beyond it), whose design chart still marks the case's S.
val filmCharts(const std::string& load, const std::string& frequency, const std::string& diameter,
    const std::string& length, const std::string& clearance, const std::string& viscosity,
    const std::string& journalRoughness, const std::string& boreRoughness, const std::string& margin,
    const std::string& separator)
{
    const OilFilm film = solveOilFilm(
        filmTexts(load, frequency, diameter, length, clearance, viscosity, journalRoughness, boreRoughness, margin));
    val charts = val::object();
    charts.set("pressure", text(film.solved ? filmPressureSvg(filmPressureChartOf(film, separator)) : ""));
    charts.set(
        "design", text(film.fault == FilmFault::None ? filmDesignChartSvg(filmDesignChartOf(film, separator)) : ""));
    return charts;
}

// The calculation report of the oil film, as the command line's `--film ... --report`
// writes it, dated `unixSeconds`.
std::string filmReport(const std::string& load, const std::string& frequency, const std::string& diameter,
    const std::string& length, const std::string& clearance, const std::string& viscosity,
    const std::string& journalRoughness, const std::string& boreRoughness, const std::string& margin,
    const std::string& separator, double unixSeconds)
{
    CalculationReport report = pageReport(separator, unixSeconds);
    report.films.push_back(filmReportCase(
        filmTexts(load, frequency, diameter, length, clearance, viscosity, journalRoughness, boreRoughness, margin)));
    return calculationReportHtml(report);
}

// What an empty roughness or margin box stands for, with `separator`, for the boxes'
// placeholders: {journalRoughness, boreRoughness, margin}.
val filmDefaults(const std::string& separator)
{
    val defaults = val::object();
    defaults.set("journalRoughness", text(formatShortest(defaultJournalRoughness, separator)));
    defaults.set("boreRoughness", text(formatShortest(defaultBoreRoughness, separator)));
    defaults.set("margin", text(formatShortest(defaultFilmMargin, separator)));
    return defaults;
}

}  // namespace

}  // namespace bearing::web

EMSCRIPTEN_BINDINGS(plain_bearings)
{
    using namespace bearing::web;
    emscripten::class_<Calculator>("Calculator")
        .constructor<>()
        .function("pressSizing", &Calculator::pressSizing)
        .function("pressDiameterForLength", &Calculator::pressDiameterForLength);
    emscripten::function("materialList", &materialList);
    emscripten::function("referenceTable", &referenceTable);
    emscripten::function("designCheck", &designCheck);
    emscripten::function("checkCharts", &checkCharts);
    emscripten::function("checkReport", &checkReport);
    emscripten::function("oilFilm", &oilFilm);
    emscripten::function("filmCharts", &filmCharts);
    emscripten::function("filmReport", &filmReport);
    emscripten::function("filmDefaults", &filmDefaults);
}
