#include "appearance.h"

#include <QApplication>
#include <QStyleFactory>

namespace bearing::ui {

namespace {

// Every text of the program is set in these two faces of one family; the set-up installs
// both (fonts-dejavu-core, fonts-dejavu-extra).
const QString regularFamily = QStringLiteral("DejaVu Sans");
const QString condensedFamily = QStringLiteral("DejaVu Sans Condensed");

}  // namespace

void applyAppearance()
{
    // The control positions are fixed in pixels, so the look must not depend on the
    // desktop: one style and one font family everywhere.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(regularFamily);
    font.setPointSizeF(applicationPointSize);
    QApplication::setFont(font);
}

QFont condensedFont(qreal pointSize, bool bold)
{
    QFont font(condensedFamily);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace bearing::ui
