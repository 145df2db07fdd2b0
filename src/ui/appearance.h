#pragma once

#include <QFont>

// The windows of the plain-bearing calculator: the main frame with its menu, the
// bearing window and the materials window, one class each. The windows own the data of
// the program (each window its catalogue copy, the bearing window its SizingState); the
// bearing window hands its texts to the calculation core and shows what a press
// returns. Texts cross between Qt and the core as UTF-8.

namespace bearing::ui {

// The point size of the application font, which every control has unless it says
// otherwise.
constexpr qreal applicationPointSize = 8;

// The style and font every window is laid out for; the program and the tests apply it
// once the QApplication exists, before any window is created.
void applyAppearance();

// The narrower face of the application's family, for texts that the regular face would
// push past the edge of their fixed boxes.
[[nodiscard]] QFont condensedFont(qreal pointSize = applicationPointSize, bool bold = false);

}  // namespace bearing::ui
