#include "messagecatcher.h"

#include <QAbstractButton>
#include <QApplication>

namespace bearing::ui {

namespace {
int liveCatchers = 0;
}  // namespace

MessageCatcher::MessageCatcher()
{
    ++liveCatchers;
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

MessageCatcher::~MessageCatcher() { --liveCatchers; }

bool MessageCatcher::anyActive() { return liveCatchers > 0; }

void MessageCatcher::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    CaughtMessage caught{box->text(), box->windowTitle(), box->icon(), {}};
    for (QAbstractButton* button : box->buttons()) {
        caught.buttons.append(box->standardButton(button));
    }
    messages_.append(caught);
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
    } else {
        box->reject();
    }
}

}  // namespace bearing::ui
