#pragma once

// The object names of the bearing window and its controls. They are the window's public
// names, fixed by its design: the window names its controls from this table, and the
// tests find them by it, the members saying which control each one is:
// press(names::buttons.calculateSizing).

namespace bearing::ui::names {

inline constexpr const char* window = "Form1";

// What the user types or picks.
inline constexpr struct {
    const char* load = "Text1(0)";
    const char* frequency = "Text1(3)";
    const char* length = "Text2";
    const char* materialList = "List1";
} inputs{};

// The two calculations.
inline constexpr struct {
    const char* calculateSizing = "cmdGeomCalc";
    const char* calculateDiameter = "Command1";
} buttons{};

// What the calculations and the material list write: the sizing results in their frame,
// and the diameter for the length below it.
inline constexpr struct {
    const char* frame = "fraCharact";
    const char* maxDiameterLine = "txtMaxDiam";
    const char* minLengthLine = "txtMinLength";
    const char* maxTemperature = "Text1(4)";
    const char* minDiameter = "txtMinDiamOnLength";
} results{};

// The heading over the inputs, and the bold captions that name the boxes.
inline constexpr struct {
    const char* heading = "Label1";
    const char* load = "Label2(0)";
    const char* frequency = "Label2(3)";
    const char* materialList = "Label2(5)";
    const char* maxTemperature = "Label2(4)";
    const char* length = "Label2(2)";
    const char* minDiameter = "Label2(1)";
} captions{};

// The units after the boxes.
inline constexpr struct {
    const char* load = "Label4(1)";
    const char* frequency = "Label4(0)";
    const char* maxTemperature = "Label4(2)";
    const char* length = "Label6(1)";
    const char* minDiameter = "Label6(0)";
} units{};

inline constexpr const char* sketch = "Image1";

}  // namespace bearing::ui::names
