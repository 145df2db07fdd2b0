#pragma once

// The calculation core of the plain-bearing calculator: standard C++ only, no display.
//
//   press.h              the two buttons of the bearing window: texts in, what is shown out
//   sizing.h             the formulas behind them, the remembered state, the messages
//   materialcatalogue.h  the built-in materials and their limits [p], [v], [pv], [t]
//   numbertext.h         text <-> number, as typed and as shown
//
// A press flows one way. A display (the bearing window, the command line, a web page)
// hands the texts it holds, its catalogue and the state it remembers to pressSizing()
// or pressDiameterForLength() and receives one PressResult: the texts set and the
// messages shown, in order, which it renders; the numbers as shown; the figures behind
// them; and the state to remember for the next press. The core keeps nothing between
// presses and never reads a text back that it made.

#include "materialcatalogue.h"
#include "sizing.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// The texts a press reads, as the window holds them, UTF-8.
struct PressInput {
    std::string_view material;   // the material list's selected item, empty with no selection
    std::string_view load;       // radial load F, N
    std::string_view frequency;  // rotation frequency n, rpm
    std::string_view length;     // proposed bearing length, mm; read only by the diameter button
};

// The controls whose text a press sets.
enum class Control {
    MaxDiameterLine,      // result line of the largest diameter, in the results frame
    MinLengthLine,        // result line of the smallest length, in the results frame
    MinDiameterOnLength,  // box of the smallest diameter for the proposed length
};

enum class MessageIcon { Information, Warning };

// One thing a user sees, in the order it happens. A press sets a text whether or not the
// control already holds it; a display that replays every event behaves as one that the
// press wrote to directly.
struct ShownEvent {
    enum class Kind { TextSet, Message };
    Kind kind = Kind::TextSet;
    Control control = Control::MaxDiameterLine;   // TextSet: the control whose text is set
    std::string text;                             // the new text, or the message (CR LF line breaks)
    std::string_view title;                       // Message: the box's title
    MessageIcon icon = MessageIcon::Warning;      // Message: the box's icon
    SizingMessage message = SizingMessage::None;  // Message: which one, for its code

    bool operator==(const ShownEvent&) const = default;
};

// The numbers inside the result texts when the press ends, as shown; empty where the
// press left a text empty or did not set it.
struct ShownNumbers {
    std::string maxDiameter;  // in the largest diameter's line: " 636.6" (a blank or a sign first)
    std::string minLength;    // in the smallest length's line: " 5.2"
    std::string minDiameter;  // the diameter box's whole text, with the user's separator: "16,7"
};

// The figures behind what a press showed. Both are empty when the press ended in a
// message that left no results (the new state's resultValid false).
struct PressFigures {
    std::optional<SizingFigures> sizing;
    std::optional<DiameterForLength> forLength;  // the length's check, after the diameter button
};

struct PressResult {
    std::vector<ShownEvent> events;  // texts set and messages, in order
    ShownNumbers numbers;
    PressFigures figures;
    SizingState state;  // what to remember for the next press
};

// "Расчет характеристик подшипника": the largest diameter that keeps the sliding speed
// within [v], and the smallest length that keeps both [pv] and [p] at that diameter.
// `state` is what the window remembers from its last press.
[[nodiscard]] PressResult pressSizing(
    const MaterialCatalogue& catalogue, const PressInput& input, const SizingState& state);

// "Расчет минимального диаметра в зависимости от длины": the sizing as above, then the
// proposed length checked against the minimum length and the smallest diameter that
// keeps [p] at that length, written with the user's decimal separator. A length beyond
// the number range stops the press before the sizing.
[[nodiscard]] PressResult pressDiameterForLength(const MaterialCatalogue& catalogue, const PressInput& input,
    const SizingState& state, std::string_view decimalSeparator);

}  // namespace bearing
