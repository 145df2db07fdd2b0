#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QTimer>

namespace bearing::ui {

struct CaughtMessage {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
};

// While it lives, every modal message box that opens is recorded and closed with its OK
// button, so a test can press a button that shows messages and then read them. Without a
// catcher, the test main fails the running test on any modal box and closes it.
class MessageCatcher {
    // Its timer polls on behalf of this very object.
    Q_DISABLE_COPY_MOVE(MessageCatcher)

public:
    MessageCatcher();
    ~MessageCatcher();

    [[nodiscard]] const QList<CaughtMessage>& messages() const { return messages_; }
    // Whether any catcher is alive, for the unexpected-message watchdog.
    [[nodiscard]] static bool anyActive();

private:
    void poll();

    QTimer timer_;
    QList<CaughtMessage> messages_;
};

}  // namespace bearing::ui
