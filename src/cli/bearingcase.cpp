#include "bearingcase.h"

#include "numbertext.h"

namespace bearing::cli {

namespace {

const MaterialCatalogue& bearingWindowCatalogue()
{
    static const MaterialCatalogue catalogue(CatalogueVariant::BearingWindow);
    return catalogue;
}

}  // namespace

CaseOutcome evaluateCase(int row, const CaseTexts& texts, std::string_view decimalSeparator, bool textChanges)
{
    const MaterialCatalogue& catalogue = bearingWindowCatalogue();
    const MaterialRecord& material = catalogue.row(row);
    TextWindow window;
    // What the user selected and typed is there before the press; only the press counts.
    window.setText(Control::MaterialList, material.name);
    window.setText(Control::Load, texts.load);
    window.setText(Control::Frequency, texts.frequency);
    window.setText(Control::Length, texts.length.value_or(std::string()));
    window.startRecording(textChanges);

    SizingState state;
    if (texts.length) {
        calculateDiameterForLength(catalogue, state, window, decimalSeparator);
    } else {
        calculateSizing(catalogue, state, window);
    }

    CaseOutcome outcome;
    outcome.maxDiameterLine = window.takeText(Control::MaxDiameterLine);
    outcome.minLengthLine = window.takeText(Control::MinLengthLine);
    outcome.minDiameter = window.takeText(Control::MinDiameterOnLength);
    outcome.events = window.takeEvents();
    for (const WindowEvent& event : outcome.events) {
        if (event.kind == WindowEvent::Kind::Message) {
            outcome.messages.push_back(event.text);
        }
    }
    if (!state.resultValid) {
        return outcome;
    }
    // The run reached its results, so the inputs are within the single range: the same
    // singles give the core's figures, unrounded, and which limit sets the length.
    const auto single = [](const std::string& text) { return storeSingle(parseNumber(text)).value_or(0.0F); };
    outcome.figures = sizeBearing(material, single(texts.load), single(texts.frequency));
    if (texts.length) {
        outcome.forLength
            = diameterForLength(outcome.figures->minLength, outcome.figures->minArea, single(*texts.length));
    }
    return outcome;
}

}  // namespace bearing::cli
