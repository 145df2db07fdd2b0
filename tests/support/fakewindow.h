#pragma once

#include "calculationwindow.h"

#include <map>
#include <string>
#include <vector>

namespace bearing {

// A window of plain strings that records every text written and every message shown,
// in order, so tests can check both the outcome and the sequence.
class FakeWindow : public CalculationWindow {
public:
    struct Message {
        std::string text;
        std::string title;
        MessageIcon icon;
    };

    std::map<Control, std::string> texts;
    std::vector<Message> messages;
    // "txtMaxDiam=…", "message:…" in the order they happened.
    std::vector<std::string> events;

    [[nodiscard]] std::string text(Control control) const override
    {
        const auto found = texts.find(control);
        return found == texts.end() ? std::string() : found->second;
    }

    void setText(Control control, std::string_view text) override
    {
        texts[control] = std::string(text);
        events.push_back(std::string(controlName(control)) + "=" + std::string(text));
    }

    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override
    {
        messages.push_back({std::string(text), std::string(title), icon});
        events.push_back("message:" + std::string(text));
    }

    static const char* controlName(Control control)
    {
        switch (control) {
        case Control::MaterialList: return "List1";
        case Control::Load: return "Text1(0)";
        case Control::Frequency: return "Text1(3)";
        case Control::Length: return "Text2";
        case Control::MaxDiameterLine: return "txtMaxDiam";
        case Control::MinLengthLine: return "txtMinLength";
        case Control::MinDiameterOnLength: return "txtMinDiamOnLength";
        }
        return "?";
    }
};

}  // namespace bearing
