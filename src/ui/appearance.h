#pragma once

// The windows of the plain-bearing calculator: the main frame with its menu, the
// bearing window and the materials window, one class each. The windows own the data of
// the program (each window its catalogue copy, the bearing window its SizingState); the
// calculation core reads and writes the bearing window's texts through its
// CalculationWindow interface. Texts cross between Qt and the core as UTF-8.

namespace bearing::ui {

// The style and font every window is laid out for; the program and the tests apply it
// once the QApplication exists, before any window is created.
void applyAppearance();

}  // namespace bearing::ui
