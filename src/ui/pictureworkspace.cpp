#include "pictureworkspace.h"

#include <QPaintEvent>
#include <QPainter>

#include <utility>

namespace bearing::ui {

PictureWorkspace::PictureWorkspace(QString pictureFile, QSize clientSize, QWidget* parent)
    : QMdiArea(parent)
    , pictureFile_(std::move(pictureFile))
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
    // The bearing window covers the picture from start-up on, so it is read only once it
    // is about to show.
    if (!pictureFile_.isEmpty()) {
        picture_.load(pictureFile_);
        pictureFile_.clear();
    }
    QPainter painter(viewport());
    painter.fillRect(event->rect(), background());
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace bearing::ui
