// The plain-bearing calculator: the main frame with its two child windows.

#include "appearance.h"
#include "displayfailureguard.h"
#include "mainframe.h"
#include "programversion.h"
#include "startupoptions.h"
#include "toolkittranslation.h"
#include "utf8text.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const bearing::app::StartupOptions options(argc, argv);
    if (!options.startsWindows()) {
        return options.answer();
    }

    bearing::app::DisplayFailureGuard displayGuard(
        options.choosesPlatform() || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    displayGuard.dismiss();

    const bearing::ui::ToolkitTranslation toolkitTranslation;
    bearing::ui::applyAppearance();
    QApplication::setApplicationName(QStringLiteral("plain-bearings"));
    QApplication::setApplicationVersion(bearing::ui::fromUtf8(bearing::programVersion));
    // Desktops match the running program to its installed .desktop entry by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(PLAIN_BEARINGS_APP_ID));

    bearing::ui::MainFrame frame;
    QApplication::setWindowIcon(frame.windowIcon());
    frame.startUp();
    return QApplication::exec();
}
