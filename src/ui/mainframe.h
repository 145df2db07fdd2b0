#pragma once

// The windows of the plain-bearing calculator (bearing_ui), read from here down:
//
//   mainframe.h          the program's main window: the menu and the workspace
//   pictureworkspace.h   the workspace, one picture behind the child windows
//   childframe.h         the frame of a child window, with its design size
//   bearingwindow.h      the calculation: inputs, material list, two buttons, results
//   bearingwindownames.h the bearing window's object names, for the window and the tests
//   materialswindow.h    the reference table of the materials
//   inputbox.h, wrappingbutton.h, messagebox.h   the controls the windows share
//   appearance.h, toolkittranslation.h           the style and font, Qt's texts in Russian
//
// The windows own the program's data: each window its catalogue copy, the bearing
// window its SizingState. The calculations are the core's (press.h). A button press in
// the bearing window flows one way: the window collects the texts it holds into a
// PressInput, the core returns a PressResult, and the window keeps the new state and
// replays the events in order, texts set into its result boxes and a modal message box
// where a message stands. Texts cross between Qt and the core as UTF-8 (utf8text.h).

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
