#pragma once

// The object names of the bearing window's controls. They are the window's public names,
// fixed by its design, and the tests find the controls by them; the members say which
// control each one is: press(test::buttons.calculateSizing).

namespace bearing::test {

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

inline constexpr const char* sketch = "Image1";

}  // namespace bearing::test
