#include "bearingcase.h"

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
    TextWindow window;
    CaseOutcome outcome;
    evaluateCase(row, texts, decimalSeparator, window, outcome, textChanges);
    return outcome;
}

void evaluateCase(int row, const CaseTexts& texts, std::string_view decimalSeparator, TextWindow& window,
    CaseOutcome& outcome, bool textChanges)
{
    const MaterialCatalogue& catalogue = bearingWindowCatalogue();
    const MaterialRecord& material = catalogue.row(row);
    window.reset();
    // What the user selected and typed is there before the press; only the press counts.
    window.setText(Control::MaterialList, material.name);
    window.setText(Control::Load, texts.load);
    window.setText(Control::Frequency, texts.frequency);
    window.setText(Control::Length, texts.length ? std::string_view(*texts.length) : std::string_view());
    window.startRecording(textChanges);

    SizingState state;
    // The figures are the ones the press computed, the very numbers behind the shown texts.
    const PressFigures press = texts.length ? calculateDiameterForLength(catalogue, state, window, decimalSeparator)
                                            : calculateSizing(catalogue, state, window);

    window.takeText(Control::MaxDiameterLine, outcome.maxDiameterLine);
    window.takeText(Control::MinLengthLine, outcome.minLengthLine);
    window.takeText(Control::MinDiameterOnLength, outcome.minDiameter);
    window.takeEvents(outcome.events);
    outcome.messages.clear();
    for (const WindowEvent& event : outcome.events) {
        if (event.kind == WindowEvent::Kind::Message) {
            outcome.messages.push_back(event.text);
        }
    }
    outcome.figures = press.sizing;
    outcome.forLength = press.forLength;
}

}  // namespace bearing::cli
