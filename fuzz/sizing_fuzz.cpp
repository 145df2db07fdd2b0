// Fuzzes the two calculations behind the bearing window's buttons through a recording
// window: whatever the list, load, frequency and length texts, a press ends normally,
// shows only well-formed results and messages, and leaves a state that says what it
// showed.
//
// An input is a series of button presses, one a line, on one window whose texts,
// catalogue and state carry over from press to press as in the program:
//   byte 0    'a' + k selects item k of the window's material list (headers and empty
//             items included); any other byte takes the list text from field 4
//   byte 1    'S' presses the sizing button, 'D' the diameter button, else both in turn
//   byte 2    '.' makes the point the decimal separator; anything else, the comma
//   the rest  load|frequency|length|list text

#include "fakewindow.h"
#include "fuzzcheck.h"
#include "materialcatalogue.h"
#include "numberform.h"
#include "numbertext.h"
#include "sizing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bearing::Control;
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
        window_.texts[Control::MaterialList] = item < items.size() ? items[item] : std::string(field(3));
        window_.texts[Control::Load] = field(0);
        window_.texts[Control::Frequency] = field(1);
        window_.texts[Control::Length] = field(2);
        const std::string separator = record[2] == '.' ? "." : ",";

        if (record[1] != 'D') {
            run([&] { bearing::calculateSizing(catalogue_, state_, window_); }, false, separator);
        }
        if (record[1] != 'S') {
            run([&] { bearing::calculateDiameterForLength(catalogue_, state_, window_, separator); }, true, separator);
        }
    }

private:
    template <typename Operation> void run(Operation operation, bool forLength, const std::string& separator)
    {
        window_.events.clear();
        window_.messages.clear();
        const std::string diameterBefore = window_.text(Control::MinDiameterOnLength);
        operation();
        const std::vector<std::string>& events = window_.events;
        const std::vector<bearing::FakeWindow::Message>& shown = window_.messages;

        for (const std::string& event : events) {
            require(!mentionsNonNumber(event), "no text shows a non-number", event);
        }
        for (const auto& message : shown) {
            require(message.title == messages::errorTitle && message.icon == bearing::MessageIcon::Warning,
                "every message is an error with the warning icon", message.text);
        }
        if (window_.text(Control::MinDiameterOnLength) != diameterBefore) {
            diameterSeparator_ = separator;
        }
        checkResultTexts();

        const bool stopped
            = std::any_of(shown.begin(), shown.end(), [](const auto& m) { return isStoppingMessage(m.text); });
        if (!state_.resultValid) {
            require(stopped && isStoppingMessage(shown.back().text), "an invalid result comes from a stopping message");
            require(events.size() >= 3 && events[events.size() - 3] == "txtMaxDiam="
                    && events[events.size() - 2] == "txtMinLength=",
                "a stopped run empties both result lines before its message");
            require(window_.text(Control::MinDiameterOnLength) == diameterBefore, "a stopped run keeps the diameter");
            return;
        }
        require(!stopped, "a valid result shows no stopping message");
        checkValidState(shown);
        if (forLength) {
            const bool tooShort = !shown.empty() && shown.back().text == messages::lengthBelowMinimum;
            const bool written = !events.empty() && events.back().starts_with("txtMinDiamOnLength=");
            require(tooShort != written, "the diameter for a length is either written or refused");
        }
    }

    void checkResultTexts() const
    {
        const std::string maxDiameter = window_.text(Control::MaxDiameterLine);
        if (!maxDiameter.empty()) {
            require(isResultLineNumber(lineNumber(maxDiameter, maxDiameterCaption), 7),
                "the diameter line is caption, single, unit", maxDiameter);
        }
        const std::string minLength = window_.text(Control::MinLengthLine);
        if (!minLength.empty()) {
            require(isResultLineNumber(lineNumber(minLength, minLengthCaption), 15),
                "the length line is caption, double, unit", minLength);
        }
        const std::string diameter = window_.text(Control::MinDiameterOnLength);
        if (!diameter.empty()) {
            require(
                isBareNumber(diameter, diameterSeparator_, 15), "the diameter for a length is a bare number", diameter);
        }
    }

    void checkValidState(const std::vector<bearing::FakeWindow::Message>& shown) const
    {
        require(lineNumber(window_.text(Control::MaxDiameterLine), maxDiameterCaption)
                == bearing::formatStr(state_.maxDiameter),
            "the diameter line shows the state's diameter");
        require(lineNumber(window_.text(Control::MinLengthLine), minLengthCaption)
                == bearing::formatStr(bearing::roundToTenth(static_cast<double>(state_.minLength))),
            "the length line shows the state's length");
        for (const float value : {state_.maxDiameter, state_.minLength, state_.minArea, state_.pressureLength}) {
            require(std::isfinite(value) && value >= 0, "a valid state holds finite, non-negative results");
        }
        const bool zeroDiameterShown
            = std::any_of(shown.begin(), shown.end(), [](const auto& m) { return m.text == messages::zeroDiameter; });
        require(zeroDiameterShown == (state_.maxDiameter == 0), "the zero-diameter message comes with a zero diameter");
    }

    bearing::MaterialCatalogue catalogue_{bearing::CatalogueVariant::BearingWindow};
    bearing::SizingState state_;
    bearing::FakeWindow window_;
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
