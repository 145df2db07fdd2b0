// The plain-bearing calculator: the main frame with its two child windows.

#include "appearance.h"
#include "mainframe.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    bearing::ui::applyAppearance(application);
    QApplication::setApplicationName(QStringLiteral("plain-bearings"));
    QApplication::setApplicationVersion(QStringLiteral(PLAIN_BEARINGS_VERSION));
    // Desktops match the running program to its installed .desktop entry by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(PLAIN_BEARINGS_APP_ID));

    bearing::ui::MainFrame frame;
    QApplication::setWindowIcon(frame.windowIcon());
    frame.startUp();
    return QApplication::exec();
}
