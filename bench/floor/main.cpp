// The start-up floor: the least a Qt Widgets program of this shape costs to appear. It
// sets up the application as the calculator does and shows a main window with an MDI
// area and a menu bar holding one menu, nothing else. The start-up benchmark times it
// beside the calculator; its window title tells the two apart.

#include "appearance.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    bearing::ui::applyAppearance(application);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("plain-bearings start-up floor"));
    window.setCentralWidget(new QMdiArea(&window));
    window.menuBar()->addMenu(QStringLiteral("Меню"));
    window.show();
    return QApplication::exec();
}
