#pragma once

#include <QFont>

// How every window looks: one style and one font family, set once for the program.

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
