// The web page's way into the calculation core: embind functions that take the page's
// texts and return plain JavaScript values. Nothing here calculates or formats; the page
// renders what the core returns, in order.

#include "materialcatalogue.h"
#include "numbertext.h"
#include "programversion.h"
#include "sizing.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace bearing::web {

namespace {

using emscripten::val;

constexpr std::string_view controlName(Control control)
{
    switch (control) {
    case Control::MaterialList: return "materialList";
    case Control::Load: return "load";
    case Control::Frequency: return "frequency";
    case Control::Length: return "length";
    case Control::MaxDiameterLine: return "maxDiameterLine";
    case Control::MinLengthLine: return "minLengthLine";
    case Control::MinDiameterOnLength: return "minDiameterOnLength";
    }
    return {};
}

// A UTF-8 text as a JavaScript string.
val text(std::string_view utf8) { return val(std::string(utf8)); }

// The bearing window's controls as the page holds them for one press: the inputs it was
// given, the result texts the core writes, and every change and message in order.
class PageWindow final : public CalculationWindow {
public:
    PageWindow(std::string material, std::string load, std::string frequency, std::string length)
    {
        texts_.at(index(Control::MaterialList)) = std::move(material);
        texts_.at(index(Control::Load)) = std::move(load);
        texts_.at(index(Control::Frequency)) = std::move(frequency);
        texts_.at(index(Control::Length)) = std::move(length);
    }

    [[nodiscard]] std::string text(Control control) const override { return texts_.at(index(control)); }

    void setText(Control control, std::string_view newText) override
    {
        texts_.at(index(control)) = newText;
        val event = val::object();
        event.set("kind", "text");
        event.set("control", web::text(controlName(control)));
        event.set("text", web::text(newText));
        events_.call<void>("push", event);
    }

    void showMessage(std::string_view message, std::string_view title, MessageIcon icon) override
    {
        val event = val::object();
        event.set("kind", "message");
        event.set("text", web::text(message));
        event.set("title", web::text(title));
        event.set("icon", icon == MessageIcon::Warning ? "warning" : "information");
        events_.call<void>("push", event);
    }

    [[nodiscard]] val events() const { return events_; }

private:
    static std::size_t index(Control control) { return static_cast<std::size_t>(control); }

    std::array<std::string, static_cast<std::size_t>(Control::MinDiameterOnLength) + 1> texts_;
    val events_ = val::array();
};

}  // namespace

// One bearing window's calculations: its catalogue and what it remembers between presses.
class Calculator {
public:
    // `row` is the catalogue row of the selected material, or -1 with none selected.
    val pressSizing(int row, const std::string& load, const std::string& frequency)
    {
        PageWindow window(materialText(row), load, frequency, {});
        calculateSizing(catalogue_, state_, window);
        return window.events();
    }

    val pressDiameterForLength(int row, const std::string& load, const std::string& frequency,
        const std::string& length, const std::string& decimalSeparator)
    {
        PageWindow window(materialText(row), load, frequency, length);
        calculateDiameterForLength(catalogue_, state_, window, decimalSeparator);
        return window.events();
    }

private:
    [[nodiscard]] std::string materialText(int row) const
    {
        return row >= 0 && row < MaterialCatalogue::rowCount ? std::string(catalogue_.row(row).name) : std::string();
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
            line.set("temperature", text(formatLocale(material.maxTemperature)));
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
            line.set("maxPressure", text(formatLocale(material.maxPressure, decimalSeparator)));
            line.set("maxSpeed", text(formatLocale(material.maxSpeed, decimalSeparator)));
            line.set("maxPV", text(formatLocale(material.maxPV, decimalSeparator)));
            line.set("maxTemperature", text(formatLocale(material.maxTemperature)));
        } else if (!item.header.empty()) {
            line.set("header", text(item.header));
        } else {
            continue;
        }
        rows.call<void>("push", line);
    }
    return rows;
}

std::string version() { return std::string(programVersion); }

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
    emscripten::function("version", &version);
}
