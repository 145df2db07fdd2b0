#pragma once

// The object names of the bearing window's controls. They are the window's public names,
// fixed by its design, and the tests find the controls by them; the constants say which
// control each one is.

namespace bearing::test {

inline constexpr const char* loadBox = "Text1(0)";
inline constexpr const char* frequencyBox = "Text1(3)";
inline constexpr const char* materialList = "List1";
inline constexpr const char* calculateSizingButton = "cmdGeomCalc";
inline constexpr const char* resultFrame = "fraCharact";
inline constexpr const char* maxDiameterLine = "txtMaxDiam";
inline constexpr const char* minLengthLine = "txtMinLength";
inline constexpr const char* maxTemperatureBox = "Text1(4)";
inline constexpr const char* lengthBox = "Text2";
inline constexpr const char* calculateDiameterButton = "Command1";
inline constexpr const char* minDiameterBox = "txtMinDiamOnLength";
inline constexpr const char* sketchImage = "Image1";

}  // namespace bearing::test
