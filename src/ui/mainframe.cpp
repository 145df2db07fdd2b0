#include "mainframe.h"

#include "bearingwindow.h"
#include "childframe.h"
#include "materialswindow.h"
#include "messagebox.h"
#include "pictureworkspace.h"
#include "programversion.h"
#include "utf8text.h"

#include <QAction>
#include <QIcon>
#include <QLayout>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

namespace bearing::ui {

namespace {

// The workspace of the frame at start, in pixels; the picture is a little larger.
constexpr QSize designClientSize(524, 435);

const QString framePicture = QStringLiteral(":/frame/frame-picture.jpg");
const QString frameIcon = QStringLiteral(":/icon/plain-bearings.png");

// Each line ends with a lone carriage return, which belongs to the program's text of the
// message; the message box turns them into line breaks. The version is the project's, so that the
// message, --version and the package cannot disagree.
QString aboutText()
{
    return QStringLiteral("Программа позволяет осуществлять расчет подшипников скольжения\r"
                          "по методикам расчетов книг <Детали машин> Ольвестина и \r"
                          "<Детали машин> Кранбельда\r"
                          "\r"
                          "\r"
                          "Автор: Зельмарин\r"
                          "Версия %1, май 2005 г.\r")
        .arg(fromUtf8(programVersion));
}

void setMaximised(QMdiSubWindow* child)
{
    child->setWindowState((child->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

}  // namespace

MainFrame::MainFrame(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Расчет подшипников скольжения"));
    setWindowIcon(QIcon(frameIcon));
    createWorkspace();
    createActions();
    createMenus();
    // The workspace asks for the design client size; the frame adds its menu bar.
    resize(sizeHint());
}

void MainFrame::startUp()
{
    // The order matters to the child windows: each is created, and so loaded, exactly
    // once here, and both are maximised before the frame first shows.
    setMaximised(bearingSubWindow());
    setMaximised(materialsSubWindow());
    show();
    materialsSubWindow()->hide();
    bearingSubWindow()->hide();
    showMaximised(bearingSubWindow());
    fitToWorkspace();
}

void MainFrame::createWorkspace()
{
    workspace_ = new PictureWorkspace(framePicture, designClientSize, this);
    workspace_->setObjectName(QStringLiteral("workspace"));
    // A restored child can be larger than the workspace; scroll bars then reach the rest
    // of it. A maximised child always fits and shows none.
    workspace_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(workspace_);
}

void MainFrame::createActions()
{
    actions_.bearing = new QAction(QStringLiteral("Подшипник"), this);
    actions_.bearing->setObjectName(QStringLiteral("bear"));
    connect(actions_.bearing, &QAction::triggered, this, &MainFrame::showBearingWindow);

    actions_.materials = new QAction(QStringLiteral("Материалы подшипников скольжения"), this);
    actions_.materials->setObjectName(QStringLiteral("mater"));
    connect(actions_.materials, &QAction::triggered, this, &MainFrame::showMaterialsWindow);

    actions_.about = new QAction(QStringLiteral("О программе"), this);
    actions_.about->setObjectName(QStringLiteral("help"));
    connect(actions_.about, &QAction::triggered, this, &MainFrame::showAbout);
}

void MainFrame::createMenus()
{
    menus_.calculation = menuBar()->addMenu(QStringLiteral("Расчет"));
    menus_.calculation->setObjectName(QStringLiteral("calk"));
    menus_.calculation->menuAction()->setObjectName(QStringLiteral("calk"));
    menus_.calculation->addAction(actions_.bearing);

    menus_.reference = menuBar()->addMenu(QStringLiteral("Справочник"));
    menus_.reference->setObjectName(QStringLiteral("sprav"));
    menus_.reference->menuAction()->setObjectName(QStringLiteral("sprav"));
    menus_.reference->addAction(actions_.materials);

    // A command on the bar itself: it acts at once, with no menu to open.
    menuBar()->addAction(actions_.about);
}

void MainFrame::fitToWorkspace()
{
    // A maximised child puts its buttons into the menu bar, which then grows by a pixel
    // or two; the frame takes up the difference so the workspace keeps its design size.
    layout()->activate();
    resize(size() + designClientSize - workspace_->viewport()->size());
}

void MainFrame::showBearingWindow()
{
    materialsSubWindow()->hide();
    showMaximised(bearingSubWindow());
}

void MainFrame::showMaterialsWindow()
{
    bearingSubWindow()->hide();
    showMaximised(materialsSubWindow());
}

void MainFrame::showAbout() { showMessage(this, aboutText(), actions_.about->text(), QMessageBox::Information); }

QMdiSubWindow* MainFrame::bearingSubWindow()
{
    if (bearingChild_.isNull()) {
        bearingChild_ = addChild(new BearingWindow);
    }
    return bearingChild_;
}

QMdiSubWindow* MainFrame::materialsSubWindow()
{
    if (materialsChild_.isNull()) {
        materialsChild_ = addChild(new MaterialsWindow);
    }
    return materialsChild_;
}

QMdiSubWindow* MainFrame::addChild(QWidget* window)
{
    auto* child = new ChildFrame(window);
    workspace_->addSubWindow(child);
    // Restored, a child shows its whole window: without a size of its own the sub-window
    // would fall back to its minimum, a bare title bar.
    child->resize(child->sizeHint());
    // Qt deletes a sub-window that the user closes, and that is what closing means here:
    // the window and its data are gone, and the menu builds a new one, loaded afresh.
    // Switching only hides the windows, so nothing else ever closes them.
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->hide();
    return child;
}

void MainFrame::showMaximised(QMdiSubWindow* child)
{
    // A sub-window maximises properly only from its normal state. Minimised, it comes
    // back at its normal size instead. Hidden while the other child was maximised, the
    // workspace maximises it in the middle of showing it, and its window then sits below
    // the border and title bar of a normal sub-window, short of the workspace by both.
    // Restored first, it fills the workspace exactly.
    child->show();
    child->showNormal();
    child->showMaximized();
    workspace_->setActiveSubWindow(child);
    // When the workspace hands the maximised state on, it shows the sub-window that held
    // it at its normal size, even a hidden one (after a closed child has been rebuilt, for
    // instance). Only the chosen window may be on show.
    for (QMdiSubWindow* other : workspace_->subWindowList()) {
        if (other != child) {
            other->hide();
        }
    }
}

}  // namespace bearing::ui
