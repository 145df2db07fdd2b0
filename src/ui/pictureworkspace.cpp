#include "pictureworkspace.h"

#include <QPaintEvent>
#include <QPainter>

#include <utility>

namespace bearing::ui {

PictureWorkspace::PictureWorkspace(QPixmap picture, QSize clientSize, QWidget* parent)
    : QMdiArea(parent)
    , picture_(std::move(picture))
    , clientSize_(clientSize)
{
}

QSize PictureWorkspace::sizeHint() const
{
    const int border = 2 * frameWidth();
    return clientSize_ + QSize(border, border);
}

void PictureWorkspace::paintEvent(QPaintEvent* event)
{
    // A background brush would tile the picture over a large frame; it is drawn once.
    QPainter painter(viewport());
    painter.fillRect(event->rect(), background());
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace bearing::ui
