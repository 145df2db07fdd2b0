#pragma once

#include "calculationwindow.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

// One thing the bearing window would show: a control's text changing, or a message box.
struct WindowEvent {
    enum class Kind { TextChanged, Message };
    Kind kind = Kind::TextChanged;
    Control control = Control::MaterialList;  // the control whose text changed
    std::string text;                         // its new text, or the message's text

    bool operator==(const WindowEvent&) const = default;
};

// The bearing window without a screen: the calculations read its texts, write its result
// texts and show their messages through it exactly as they do through the real window,
// and it records what a user would have seen, in order. Writing the text a control
// already holds changes nothing and is not recorded, as a text box signals no change.
class TextWindow : public CalculationWindow {
public:
    [[nodiscard]] std::string text(Control control) const override;
    void setText(Control control, std::string_view text) override;
    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;

    // Events are recorded from here on; what was written before is the window's start.
    // Messages are always recorded, text changes only when asked for.
    void startRecording(bool textChanges)
    {
        recording_ = true;
        recordingTexts_ = textChanges;
    }
    // Moves the recorded events into `events`, which loses what it held.
    void takeEvents(std::vector<WindowEvent>& events)
    {
        events.clear();
        events.swap(events_);
    }
    // Moves a control's text into `text`; the control is left with what `text` held
    // until the next reset().
    void takeText(Control control, std::string& text) { text.swap(texts_.at(static_cast<std::size_t>(control))); }
    // Makes this a fresh window again: every text empty, nothing recorded. The strings
    // keep their memory, so that a window serving case after case allocates nothing.
    void reset();

private:
    static constexpr std::size_t controlCount = static_cast<std::size_t>(Control::MinDiameterOnLength) + 1;
    std::array<std::string, controlCount> texts_;
    std::vector<WindowEvent> events_;
    bool recording_ = false;
    bool recordingTexts_ = false;
};

}  // namespace bearing::cli
