#include "displayfailureguard.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace bearing::app {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// A message handler is a plain function, so what it needs lives here, and only while a
// guard watches.
struct Watch {
    QtMessageHandler previousHandler = nullptr;
    bool platformChosen = false;
    QList<HeldMessage> held;
};
std::optional<Watch> watch;

// Qt hands back its default handler when no other was installed, so there always is one.
void passOn(QtMessageHandler handler, const HeldMessage& message)
{
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    handler(message.type, context, message.text);
}

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        watch->held.append({type, QByteArray(context.category), text});
        return;
    }
    // Qt is about to abort: no window system could be opened.
    if (watch->platformChosen) {
        for (const HeldMessage& message : watch->held) {
            passOn(watch->previousHandler, message);
        }
    }
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray where = display.isEmpty() ? QByteArray("DISPLAY is not set") : "DISPLAY=" + display;
    const QByteArray line
        = "plain-bearings: нужен графический дисплей, а открыть его не удалось (no graphical display: " + where + ")\n";
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

DisplayFailureGuard::DisplayFailureGuard(bool platformChosen)
{
    watch.emplace(Watch{nullptr, platformChosen, {}});
    watch->previousHandler = qInstallMessageHandler(holdOrFail);
}

DisplayFailureGuard::~DisplayFailureGuard() { dismiss(); }

void DisplayFailureGuard::dismiss()
{
    if (!watching_) {
        return;
    }
    watching_ = false;
    qInstallMessageHandler(watch->previousHandler);
    for (const HeldMessage& message : watch->held) {
        passOn(watch->previousHandler, message);
    }
    watch.reset();
}

}  // namespace bearing::app
