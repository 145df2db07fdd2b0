// The start-up floor: the least a Qt Widgets program of this shape costs to appear. It
// sets up the application as the calculator does and shows a main window with an MDI
// area and a menu bar holding one menu, nothing else, at the calculator's start-up size
// (the workspace 524 x 435 pixels), since drawing a larger window costs more. The
// start-up benchmark times it beside the calculator; its window title tells the two apart.

#include "appearance.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    bearing::ui::applyAppearance();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("plain-bearings start-up floor"));
    auto* workspace = new QMdiArea(&window);
    window.setCentralWidget(workspace);
    window.menuBar()->addMenu(QStringLiteral("Меню"));
    constexpr QSize workspaceSize(524, 435);
    window.resize(window.sizeHint() + workspaceSize - workspace->sizeHint());
    window.show();
    return QApplication::exec();
}
