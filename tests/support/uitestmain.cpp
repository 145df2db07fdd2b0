// The main of every widget test: one QApplication, laid out as the program lays it out,
// on the offscreen platform unless the environment names another.

#include "appearance.h"
#include "messagecatcher.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    bearing::ui::applyAppearance();
    testing::InitGoogleTest(&argc, argv);

    // A modal box that no test expects would wait for a click forever.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && !bearing::ui::MessageCatcher::anyActive()) {
            ADD_FAILURE() << "unexpected modal window: " << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    watchdog.start(50);

    return RUN_ALL_TESTS();
}
