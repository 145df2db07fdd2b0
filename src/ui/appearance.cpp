#include "appearance.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace bearing::ui {

void applyAppearance()
{
    // The control positions are fixed in pixels, so the look must not depend on the
    // desktop: one style and one font family everywhere.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);
}

}  // namespace bearing::ui
