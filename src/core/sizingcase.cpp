#include "sizingcase.h"

#include <algorithm>
#include <utility>

namespace bearing {

namespace {

// What `control` holds after the events, on a window whose result texts start empty.
std::string_view finalText(const std::vector<ShownEvent>& events, Control control)
{
    const auto last = std::find_if(events.rbegin(), events.rend(), [control](const ShownEvent& event) {
        return event.kind == ShownEvent::Kind::TextSet && event.control == control;
    });
    return last == events.rend() ? std::string_view() : std::string_view(last->text);
}

}  // namespace

CaseOutcome evaluateCase(
    const MaterialCatalogue& catalogue, int row, const CaseTexts& texts, std::string_view decimalSeparator)
{
    CaseOutcome outcome;
    evaluateCase(catalogue, row, texts, decimalSeparator, outcome);
    return outcome;
}

void evaluateCase(const MaterialCatalogue& catalogue, int row, const CaseTexts& texts,
    std::string_view decimalSeparator, CaseOutcome& outcome)
{
    const PressInput input{.material = catalogue.row(row).name,
        .load = texts.load,
        .frequency = texts.frequency,
        .length = texts.length ? std::string_view(*texts.length) : std::string_view()};
    // A fresh window remembers nothing.
    PressResult press = texts.length ? pressDiameterForLength(catalogue, input, SizingState{}, decimalSeparator)
                                     : pressSizing(catalogue, input, SizingState{});

    // Assigned in place, so that an outcome serving case after case keeps its memory.
    outcome.maxDiameterLine.assign(finalText(press.events, Control::MaxDiameterLine));
    outcome.minLengthLine.assign(finalText(press.events, Control::MinLengthLine));
    outcome.minDiameter.assign(finalText(press.events, Control::MinDiameterOnLength));
    outcome.messages.clear();
    for (const ShownEvent& event : press.events) {
        if (event.kind == ShownEvent::Kind::Message) {
            outcome.messages.push_back(event.text);
        }
    }
    outcome.numbers = std::move(press.numbers);
    outcome.events.swap(press.events);
    outcome.figures = press.figures.sizing;
    outcome.forLength = press.figures.forLength;
}

}  // namespace bearing
