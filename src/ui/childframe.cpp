#include "childframe.h"

#include <QHideEvent>
#include <QShowEvent>

namespace bearing::ui {

ChildFrame::ChildFrame(QWidget* window, QWidget* parent)
    : QMdiSubWindow(parent)
    , windowSize_(window->size())
{
    setWidget(window);
}

QSize ChildFrame::sizeHint() const { return windowSize_.grownBy(contentsMargins()); }

void ChildFrame::hideEvent(QHideEvent* event)
{
    // Qt moves the focus on to the next control once a hidden frame has had this event,
    // and the window would keep that one as its focus when shown again.
    focusWhenShown_ = widget()->focusWidget();
    QMdiSubWindow::hideEvent(event);
}

void ChildFrame::showEvent(QShowEvent* event)
{
    QMdiSubWindow::showEvent(event);
    // The frame also hides and shows itself when it is maximised or restored; the focus
    // stays where the user left it through all of these.
    if (!focusWhenShown_.isNull() && isAncestorOf(focusWhenShown_)) {
        focusWhenShown_->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace bearing::ui
