#include "press.h"

#include "numbertext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace bearing {

namespace {

constexpr std::string_view maxDiameterCaption = "максимальный диаметр =";
constexpr std::string_view minLengthCaption = "минимальная длина =";
constexpr std::string_view unit = " мм";

// Builds a press's result in the order a user sees it.
class Press {
public:
    explicit Press(const SizingState& state)
    {
        // The most a press shows: two lines, a message and the diameter box.
        result_.events.reserve(4);
        result_.state = state;
    }

    SizingState& state() { return result_.state; }
    PressFigures& figures() { return result_.figures; }
    PressResult take() { return std::move(result_); }

    // Shows "caption number мм" in a result line.
    void showResultLine(Control control, std::string_view caption, std::string number)
    {
        std::string line;
        line.reserve(caption.size() + number.size() + unit.size());
        line.append(caption).append(number).append(unit);
        setText(control, std::move(line));
        numberIn(control) = std::move(number);
    }

    void showDiameter(std::string text)
    {
        result_.numbers.minDiameter = text;
        setText(Control::MinDiameterOnLength, std::move(text));
    }

    void showMessage(SizingMessage message)
    {
        // Every message of the calculations is an error.
        result_.events.push_back({.kind = ShownEvent::Kind::Message,
            .control = Control::MaxDiameterLine,
            .text = std::string(sizingMessageText(message)),
            .title = messages::errorTitle,
            .icon = MessageIcon::Warning,
            .message = message});
    }

    // Ends a press that cannot give a result: the result lines are emptied and no later
    // press may use the state.
    void stop(SizingMessage message)
    {
        for (const Control line : {Control::MaxDiameterLine, Control::MinLengthLine}) {
            setText(line, {});
            numberIn(line).clear();
        }
        result_.state.resultValid = false;
        result_.figures = {};
        showMessage(message);
    }

private:
    void setText(Control control, std::string text)
    {
        result_.events.push_back({.kind = ShownEvent::Kind::TextSet,
            .control = control,
            .text = std::move(text),
            .title = {},
            .icon = MessageIcon::Warning,
            .message = SizingMessage::None});
    }

    std::string& numberIn(Control line)
    {
        return line == Control::MaxDiameterLine ? result_.numbers.maxDiameter : result_.numbers.minLength;
    }

    PressResult result_;
};

// The sizing button's work, which the diameter button does first. False when the press
// stopped.
bool size(const MaterialCatalogue& catalogue, const PressInput& input, Press& press)
{
    SizingState& state = press.state();
    state.resultValid = true;

    const std::optional<float> load = storeSingle(parseNumber(input.load));
    if (!load) {
        press.stop(SizingMessage::LoadOutOfRange);
        return false;
    }
    const std::optional<float> frequency = storeSingle(parseNumber(input.frequency));
    if (!frequency) {
        press.stop(SizingMessage::FrequencyOutOfRange);
        return false;
    }

    const std::int16_t index = catalogue.findMaterial(input.material);
    if (index == MaterialCatalogue::noMaterial) {
        press.stop(SizingMessage::ChooseMaterial);
        return false;
    }
    const MaterialRecord& material = catalogue.row(index);
    const SizingFigures figures = sizeBearing(material, *load, *frequency);
    switch (figures.stop) {
    case SizingStop::LoadOrFrequencyInvalid: press.stop(SizingMessage::LoadOrFrequencyMissing); return false;
    case SizingStop::DiameterOutOfRange: press.stop(SizingMessage::ResultOutOfRange); return false;
    default: break;
    }
    state.maxDiameter = figures.maxDiameter;
    press.showResultLine(Control::MaxDiameterLine, maxDiameterCaption, formatResultLineNumber(state.maxDiameter));

    state.maxPressure = material.maxPressure;
    state.maxSpeed = material.maxSpeed;
    state.maxPV = material.maxPV;
    state.maxTemperature = static_cast<float>(material.maxTemperature);
    if (figures.stop == SizingStop::LengthOutOfRange) {
        press.stop(SizingMessage::ResultOutOfRange);
        return false;
    }
    state.minLength = figures.pvLength;
    state.minArea = figures.minArea;
    if (figures.stop == SizingStop::PressureLengthOutOfRange) {
        press.stop(SizingMessage::ResultOutOfRange);
        return false;
    }

    // A pressure length left from an earlier press would belong to another material or load.
    state.pressureLength = figures.pressureLength;
    if (state.maxDiameter == 0) {
        press.showMessage(SizingMessage::ZeroDiameter);
    }
    state.minLength = figures.minLength;
    press.showResultLine(Control::MinLengthLine, minLengthCaption,
        formatResultLineNumber(roundToTenth(static_cast<double>(state.minLength))));
    press.figures().sizing = figures;
    return true;
}

}  // namespace

PressResult pressSizing(const MaterialCatalogue& catalogue, const PressInput& input, const SizingState& state)
{
    Press press(state);
    size(catalogue, input, press);
    return press.take();
}

PressResult pressDiameterForLength(const MaterialCatalogue& catalogue, const PressInput& input,
    const SizingState& state, std::string_view decimalSeparator)
{
    Press press(state);
    const std::optional<float> length = storeSingle(parseNumber(input.length));
    if (!length) {
        press.stop(SizingMessage::LengthOutOfRange);
        return press.take();
    }
    if (!size(catalogue, input, press)) {
        return press.take();
    }

    const DiameterForLength found = diameterForLength(press.state().minLength, press.state().minArea, *length);
    press.figures().forLength = found;
    switch (found.check) {
    case LengthCheck::BelowMinimum: press.showMessage(SizingMessage::LengthBelowMinimum); break;
    case LengthCheck::DiameterOutOfRange: press.stop(SizingMessage::ResultOutOfRange); break;
    case LengthCheck::Accepted:
        press.showDiameter(formatTextBoxNumber(roundToTenth(static_cast<double>(found.diameter)), decimalSeparator));
        break;
    }
    return press.take();
}

}  // namespace bearing
