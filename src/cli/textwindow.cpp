#include "textwindow.h"

namespace bearing::cli {

std::string TextWindow::text(Control control) const { return texts_.at(static_cast<std::size_t>(control)); }

void TextWindow::setText(Control control, std::string_view text)
{
    std::string& held = texts_.at(static_cast<std::size_t>(control));
    if (held == text) {
        return;
    }
    held = text;
    if (!recordingTexts_) {
        return;
    }
    events_.push_back({.kind = WindowEvent::Kind::TextChanged, .control = control, .text = held});
}

void TextWindow::reset()
{
    for (std::string& text : texts_) {
        text.clear();
    }
    events_.clear();
    recording_ = false;
    recordingTexts_ = false;
}

void TextWindow::showMessage(std::string_view text, std::string_view /*title*/, MessageIcon /*icon*/)
{
    // Every message of the calculations is an error with the same title and icon.
    if (!recording_) {
        return;
    }
    events_.push_back(
        {.kind = WindowEvent::Kind::Message, .control = Control::MaterialList, .text = std::string(text)});
}

}  // namespace bearing::cli
