#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMdiSubWindow;
class QMenu;

namespace bearing::ui {

class PictureWorkspace;

// The program's main window: an MDI frame with a picture behind its two child windows,
// the bearing window and the materials window, and a menu that shows one of them at a
// time, maximised. The frame computes nothing and keeps no data of its own; the child
// windows keep theirs while they are hidden. A child window that the user closes is
// gone, and the next menu choice that touches it creates it afresh.
class MainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit MainFrame(QWidget* parent = nullptr);

    // Creates both child windows, shows the frame and leaves the bearing window shown,
    // maximised, with the materials window loaded and hidden. The program calls this
    // once, right after constructing the frame.
    void startUp();

private:
    void createWorkspace();
    void createActions();
    void createMenus();
    void fitToWorkspace();

    void showBearingWindow();
    void showMaterialsWindow();
    void showAbout();

    // The child windows' sub-windows, created (and loaded) on first use.
    [[nodiscard]] QMdiSubWindow* bearingSubWindow();
    [[nodiscard]] QMdiSubWindow* materialsSubWindow();
    [[nodiscard]] QMdiSubWindow* addChild(QWidget* window);
    void showMaximised(QMdiSubWindow* child);

    PictureWorkspace* workspace_ = nullptr;
    // Closing a child window deletes it (see addChild()); the pointers then turn null.
    QPointer<QMdiSubWindow> bearingChild_;
    QPointer<QMdiSubWindow> materialsChild_;

    struct {
        QAction* bearing = nullptr;    // "bear"
        QAction* materials = nullptr;  // "mater"
        QAction* about = nullptr;      // "help"
    } actions_;
    struct {
        QMenu* calculation = nullptr;  // "calk"
        QMenu* reference = nullptr;    // "sprav"
    } menus_;
};

}  // namespace bearing::ui
