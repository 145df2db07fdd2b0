// The web page's way into the calculation core: embind functions that take the page's
// texts and return plain JavaScript values. Nothing here calculates or formats: a press
// goes to the core's own press operations, and the page renders the events they return,
// in order.

#include "materialcatalogue.h"
#include "numbertext.h"
#include "press.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <string_view>

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

// The lines of the material list, top to bottom: {header} or {row, name, temperature}
// ([t] as the window's box shows it), blank lines left out.
val materialList()
{
    const MaterialCatalogue catalogue(CatalogueVariant::BearingWindow);
    val items = val::array();
    for (const MaterialListItem& item : materialListItems) {
        val line = val::object();
        if (item.isMaterial()) {
            const MaterialRecord& material = catalogue.row(item.row);
            line.set("row", item.row);
            line.set("name", text(material.name));
            line.set("temperature", text(formatTextBoxNumber(material.maxTemperature)));
        } else if (!item.header.empty()) {
            line.set("header", text(item.header));
        } else {
            continue;
        }
        items.call<void>("push", line);
    }
    return items;
}

// The reference table: the material list's lines with every limit as the materials
// window shows it, with the user's decimal separator.
val referenceTable(const std::string& decimalSeparator)
{
    const MaterialCatalogue catalogue(CatalogueVariant::ReferenceWindow);
    val rows = val::array();
    for (const MaterialListItem& item : materialListItems) {
        val line = val::object();
        if (item.isMaterial()) {
            const MaterialRecord& material = catalogue.row(item.row);
            line.set("name", text(material.name));
            line.set("maxPressure", text(formatTextBoxNumber(material.maxPressure, decimalSeparator)));
            line.set("maxSpeed", text(formatTextBoxNumber(material.maxSpeed, decimalSeparator)));
            line.set("maxPV", text(formatTextBoxNumber(material.maxPV, decimalSeparator)));
            line.set("maxTemperature", text(formatTextBoxNumber(material.maxTemperature)));
        } else if (!item.header.empty()) {
            line.set("header", text(item.header));
        } else {
            continue;
        }
        rows.call<void>("push", line);
    }
    return rows;
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
}
