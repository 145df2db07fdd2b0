#pragma once

#include <QMdiArea>
#include <QPixmap>
#include <QSize>

class QPaintEvent;

namespace bearing::ui {

// The frame's MDI area: the workspace colour with one picture drawn over it, unscaled,
// at the top left corner; the picture shows wherever no child window covers it.
class PictureWorkspace : public QMdiArea {
    Q_OBJECT

public:
    // clientSize is the size of the area inside the workspace's border that the frame
    // asks for at start.
    PictureWorkspace(QPixmap picture, QSize clientSize, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    QSize clientSize_;
};

}  // namespace bearing::ui
