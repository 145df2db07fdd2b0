#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <QSize>

class QHideEvent;
class QShowEvent;

namespace bearing::ui {

// The frame around one child window in the workspace: title bar, border and the
// minimise, restore and close buttons. Restored, it shows the whole child window at the
// size the window gave itself; and each time it is shown again, the keyboard focus goes
// back to the control that had it when the frame was hidden.
class ChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    // Takes the window, sized already, as the frame's content.
    explicit ChildFrame(QWidget* window, QWidget* parent = nullptr);

    // The child window's own size plus the frame's border and title bar.
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QSize windowSize_;
    // The control to give the focus back to; null until the frame is first hidden.
    QPointer<QWidget> focusWhenShown_;
};

}  // namespace bearing::ui
