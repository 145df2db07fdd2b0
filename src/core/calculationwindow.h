#pragma once

#include <string>
#include <string_view>

namespace bearing {

// The controls of the bearing window that the calculations read or write.
enum class Control {
    MaterialList,         // "List1": the selected item's text, empty with no selection
    Load,                 // "Text1(0)": radial load F, N
    Frequency,            // "Text1(3)": rotation frequency n, rpm
    Length,               // "Text2": proposed bearing length, mm
    MaxDiameterLine,      // "txtMaxDiam": result line of the largest diameter
    MinLengthLine,        // "txtMinLength": result line of the smallest length
    MinDiameterOnLength,  // "txtMinDiamOnLength": smallest diameter for the proposed length
};

enum class MessageIcon { Information, Warning };

// All the calculations know of a window: the texts of its controls and a modal message
// box. The bearing window implements it with widgets; tests implement it with a fake.
// Texts are UTF-8.
class CalculationWindow {
public:
    CalculationWindow() = default;
    CalculationWindow(const CalculationWindow&) = delete;
    CalculationWindow& operator=(const CalculationWindow&) = delete;
    CalculationWindow(CalculationWindow&&) = delete;
    CalculationWindow& operator=(CalculationWindow&&) = delete;
    virtual ~CalculationWindow() = default;

    [[nodiscard]] virtual std::string text(Control control) const = 0;
    virtual void setText(Control control, std::string_view text) = 0;
    // Returns when the user has closed the box. Line breaks in `text` are CR LF or a lone CR.
    virtual void showMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
};

}  // namespace bearing
