// Fuzzes the two button presses of the bearing window: whatever the list, load, frequency
// and length texts, a press ends normally, shows only well-formed results and messages,
// returns the numbers it shows, and leaves a state that says what it showed.
//
// An input is a series of button presses, one a line, on one display whose result
// texts, catalogue and state carry over from press to press as in the program:
//   byte 0    'a' + k selects item k of the window's material list (headers and empty
//             items included); any other byte takes the list text from field 4
//   byte 1    'S' presses the sizing button, 'D' the diameter button, else both in turn
//   byte 2    '.' makes the point the decimal separator; anything else, the comma
//   the rest  load|frequency|length|list text

#include "fuzzcheck.h"
#include "materialcatalogue.h"
#include "numberform.h"
#include "numbertext.h"
#include "press.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bearing::Control;
using bearing::ShownEvent;
using bearing::check::isBareNumber;
using bearing::check::isResultLineNumber;
using bearing::check::mentionsNonNumber;
using bearing::check::require;
namespace messages = bearing::messages;

constexpr std::string_view maxDiameterCaption = "максимальный диаметр =";
constexpr std::string_view minLengthCaption = "минимальная длина =";
constexpr std::string_view unit = " мм";

// The texts of the bearing window's material list, in its order. Built once: every
// input starts a new session.
const std::vector<std::string>& listItems()
{
    static const std::vector<std::string> items = [] {
        const bearing::MaterialCatalogue catalogue(bearing::CatalogueVariant::BearingWindow);
        std::vector<std::string> texts;
        texts.reserve(bearing::materialListItems.size());
        for (const bearing::MaterialListItem& item : bearing::materialListItems) {
            texts.emplace_back(item.isMaterial() ? catalogue.row(item.row).name : item.header);
        }
        return texts;
    }();
    return items;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

bool isStoppingMessage(std::string_view text)
{
    constexpr std::array stopping{messages::chooseMaterial, messages::enterLoadAndFrequency, messages::loadOutOfRange,
        messages::frequencyOutOfRange, messages::lengthOutOfRange, messages::resultOutOfRange};
    return std::find(stopping.begin(), stopping.end(), text) != stopping.end();
}

// The number of a result line, or an empty view when the line is not of the form
// caption, number, unit.
std::string_view lineNumber(std::string_view line, std::string_view caption)
{
    if (!line.starts_with(caption) || !line.ends_with(unit)) {
        return {};
    }
    return line.substr(caption.size(), line.size() - caption.size() - unit.size());
}

class Session {
public:
    void press(std::string_view record)
    {
        if (record.size() < 3) {
            return;
        }
        const std::vector<std::string_view> fields = split(record.substr(3), '|');
        const auto field = [&fields](std::size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
        const auto item = static_cast<std::size_t>(static_cast<unsigned char>(record[0]) - 'a');
        const std::vector<std::string>& items = listItems();
        const bearing::PressInput input{.material = item < items.size() ? std::string_view(items[item]) : field(3),
            .load = field(0),
            .frequency = field(1),
            .length = field(2)};
        const std::string separator = record[2] == '.' ? "." : ",";

        if (record[1] != 'D') {
            show(bearing::pressSizing(catalogue_, input, state_), false, separator);
        }
        if (record[1] != 'S') {
            show(bearing::pressDiameterForLength(catalogue_, input, state_, separator), true, separator);
        }
    }

private:
    // Replays the press on the display, as the bearing window does, and checks it.
    void show(const bearing::PressResult& press, bool forLength, const std::string& separator)
    {
        const std::string diameterBefore = text(Control::MinDiameterOnLength);
        std::vector<const ShownEvent*> shown;
        for (const ShownEvent& event : press.events) {
            require(!mentionsNonNumber(event.text), "no text shows a non-number", event.text);
            if (event.kind == ShownEvent::Kind::TextSet) {
                texts_[event.control] = event.text;
            } else {
                require(event.title == messages::errorTitle && event.icon == bearing::MessageIcon::Warning,
                    "every message is an error with the warning icon", event.text);
                shown.push_back(&event);
            }
        }
        state_ = press.state;
        if (text(Control::MinDiameterOnLength) != diameterBefore) {
            diameterSeparator_ = separator;
        }
        checkResultTexts();
        checkNumbers(press);

        const bool stopped
            = std::any_of(shown.begin(), shown.end(), [](const ShownEvent* m) { return isStoppingMessage(m->text); });
        const std::vector<ShownEvent>& events = press.events;
        if (!state_.resultValid) {
            require(
                stopped && isStoppingMessage(shown.back()->text), "an invalid result comes from a stopping message");
            require(events.size() >= 3 && isEmptied(events[events.size() - 3], Control::MaxDiameterLine)
                    && isEmptied(events[events.size() - 2], Control::MinLengthLine),
                "a stopped run empties both result lines before its message");
            require(text(Control::MinDiameterOnLength) == diameterBefore, "a stopped run keeps the diameter");
            require(!press.figures.sizing && !press.figures.forLength, "a stopped run returns no figures");
            return;
        }
        require(!stopped, "a valid result shows no stopping message");
        require(press.figures.sizing.has_value(), "a valid result returns its figures");
        checkValidState(shown);
        if (forLength) {
            const bool tooShort = !shown.empty() && shown.back()->text == messages::lengthBelowMinimum;
            const bool written = !events.empty() && events.back().kind == ShownEvent::Kind::TextSet
                && events.back().control == Control::MinDiameterOnLength;
            require(tooShort != written, "the diameter for a length is either written or refused");
        }
    }

    static bool isEmptied(const ShownEvent& event, Control control)
    {
        return event.kind == ShownEvent::Kind::TextSet && event.control == control && event.text.empty();
    }

    [[nodiscard]] std::string text(Control control) const
    {
        const auto found = texts_.find(control);
        return found == texts_.end() ? std::string() : found->second;
    }

    void checkResultTexts() const
    {
        const std::string maxDiameter = text(Control::MaxDiameterLine);
        if (!maxDiameter.empty()) {
            require(isResultLineNumber(lineNumber(maxDiameter, maxDiameterCaption), 7),
                "the diameter line is caption, single, unit", maxDiameter);
        }
        const std::string minLength = text(Control::MinLengthLine);
        if (!minLength.empty()) {
            require(isResultLineNumber(lineNumber(minLength, minLengthCaption), 15),
                "the length line is caption, double, unit", minLength);
        }
        const std::string diameter = text(Control::MinDiameterOnLength);
        if (!diameter.empty()) {
            require(
                isBareNumber(diameter, diameterSeparator_, 15), "the diameter for a length is a bare number", diameter);
        }
    }

    // The numbers returned are those inside the texts this press left: the lines' as
    // they stand, the diameter's when this press wrote it.
    void checkNumbers(const bearing::PressResult& press) const
    {
        require(press.numbers.maxDiameter == lineNumber(text(Control::MaxDiameterLine), maxDiameterCaption),
            "the diameter returned is the one in its line", press.numbers.maxDiameter);
        require(press.numbers.minLength == lineNumber(text(Control::MinLengthLine), minLengthCaption),
            "the length returned is the one in its line", press.numbers.minLength);
        const bool written = std::any_of(press.events.begin(), press.events.end(), [](const ShownEvent& e) {
            return e.kind == ShownEvent::Kind::TextSet && e.control == Control::MinDiameterOnLength;
        });
        require(press.numbers.minDiameter == (written ? text(Control::MinDiameterOnLength) : std::string()),
            "the diameter for a length returned is the one written", press.numbers.minDiameter);
    }

    void checkValidState(const std::vector<const ShownEvent*>& shown) const
    {
        require(lineNumber(text(Control::MaxDiameterLine), maxDiameterCaption)
                == bearing::formatResultLineNumber(state_.maxDiameter),
            "the diameter line shows the state's diameter");
        require(lineNumber(text(Control::MinLengthLine), minLengthCaption)
                == bearing::formatResultLineNumber(bearing::roundToTenth(static_cast<double>(state_.minLength))),
            "the length line shows the state's length");
        for (const float value : {state_.maxDiameter, state_.minLength, state_.minArea, state_.pressureLength}) {
            require(std::isfinite(value) && value >= 0, "a valid state holds finite, non-negative results");
        }
        const bool zeroDiameterShown = std::any_of(
            shown.begin(), shown.end(), [](const ShownEvent* m) { return m->text == messages::zeroDiameter; });
        require(zeroDiameterShown == (state_.maxDiameter == 0), "the zero-diameter message comes with a zero diameter");
    }

    bearing::MaterialCatalogue catalogue_{bearing::CatalogueVariant::BearingWindow};
    bearing::SizingState state_;
    std::map<Control, std::string> texts_;
    std::string diameterSeparator_ = ",";
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // libFuzzer hands over bytes; the conversions read them as UTF-8 text.
    const std::string_view input(reinterpret_cast<const char*>(data), size);  // NOLINT(*-reinterpret-cast)
    Session session;
    for (const std::string_view record : split(input, '\n')) {
        session.press(record);
    }
    return 0;
}
