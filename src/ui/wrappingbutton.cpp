#include "wrappingbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace bearing::ui {

WrappingButton::WrappingButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
}

QRect WrappingButton::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void WrappingButton::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws the bevel, the pressed look and the focus frame; the caption is
    // left out here and drawn wrapped below.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(captionRect(), captionFlags(), palette(), isEnabled(), text(), QPalette::ButtonText);
}

}  // namespace bearing::ui
