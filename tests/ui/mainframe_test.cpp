#include "mainframe.h"

#include "bearingwindownames.h"
#include "messagecatcher.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComplex>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace bearing::ui {
namespace {

const QString frameTitle = QStringLiteral("Расчет подшипников скольжения");
const QStringList materialsLists{"List1(0)", "List1(1)", "List1(2)", "List1(3)", "List1(4)"};
constexpr int listItems = 26;

QMdiSubWindow* subWindowOf(const QWidget* window)
{
    return window == nullptr ? nullptr : qobject_cast<QMdiSubWindow*>(window->parentWidget());
}

bool shownMaximised(const QWidget* window)
{
    const QMdiSubWindow* child = subWindowOf(window);
    return child != nullptr && child->isVisible() && child->isMaximized() && !child->isMinimized();
}

QList<int> selectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (const QListWidgetItem* item : list->selectedItems()) {
        rows.append(list->row(item));
    }
    return rows;
}

void clickItem(QListWidget* list, int row)
{
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// The state of the frame's two child windows, seen from outside.
class MainFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame_.startUp();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame_));
    }

    [[nodiscard]] QWidget* bearingWindow() const { return frame_.findChild<QWidget*>(QLatin1String(names::window)); }
    [[nodiscard]] QWidget* materialsWindow() const { return frame_.findChild<QWidget*>(QStringLiteral("Form3")); }
    [[nodiscard]] QMdiArea* workspace() const { return frame_.findChild<QMdiArea*>(); }
    [[nodiscard]] QAction* action(const char* name) const { return frame_.findChild<QAction*>(QLatin1String(name)); }

    template <typename T> [[nodiscard]] static T* control(const QWidget* window, const QString& name)
    {
        T* found = window == nullptr ? nullptr : window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    [[nodiscard]] QList<QListWidget*> allLists() const
    {
        QList<QListWidget*> lists{control<QListWidget>(bearingWindow(), names::inputs.materialList)};
        for (const QString& name : materialsLists) {
            lists.append(control<QListWidget>(materialsWindow(), name));
        }
        return lists;
    }

    [[nodiscard]] int visibleChildren() const
    {
        int visible = 0;
        for (const QMdiSubWindow* child : workspace()->subWindowList()) {
            visible += child->isVisible() ? 1 : 0;
        }
        return visible;
    }

    // Opens a menu by clicking its title on the bar, then clicks the item in the popup.
    void clickMenuItem(const char* menuName, const char* itemName)
    {
        auto* menu = frame_.findChild<QMenu*>(QLatin1String(menuName));
        ASSERT_NE(menu, nullptr);
        QMenuBar* bar = frame_.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action(itemName)).center());
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }));
    }

    // Opens a menu with the mouse and chooses its first item with the keyboard.
    void chooseFirstItemByKeyboard(const char* menuName)
    {
        auto* menu = frame_.findChild<QMenu*>(QLatin1String(menuName));
        ASSERT_NE(menu, nullptr);
        QMenuBar* bar = frame_.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }));
    }

    // Does what a user does, with real events, and lets the event loop turn as between two
    // actions of a user: "bear" and "mater" are chosen from their menus; "restore",
    // "minimise" and "close" click that button of the maximised child, which then stands
    // at the right of the menu bar; any other name is a control to click into.
    void perform(std::string_view step)
    {
        if (step == "bear" || step == "mater") {
            ASSERT_NO_FATAL_FAILURE(clickMenuItem(step == "bear" ? "calk" : "sprav", step.data()));
        } else if (const auto button = titleButtons.find(step); button != titleButtons.end()) {
            const QPointer<QMdiSubWindow> child = workspace()->activeSubWindow();
            QWidget* buttons = frame_.menuBar()->cornerWidget(Qt::TopRightCorner);
            ASSERT_TRUE(child && buttons);
            QStyleOptionComplex option;
            option.initFrom(buttons);
            option.subControls = QStyle::SC_MdiMinButton | QStyle::SC_MdiNormalButton | QStyle::SC_MdiCloseButton;
            QTest::mouseClick(buttons, Qt::LeftButton, {},
                buttons->style()->subControlRect(QStyle::CC_MdiControls, &option, button->second, buttons).center());
            ASSERT_TRUE(QTest::qWaitFor([&child] { return !child || !child->isVisible() || !child->isMaximized(); }));
        } else {
            QTest::mouseClick(frame_.findChild<QWidget*>(QLatin1String(step.data())), Qt::LeftButton);
        }
        QTest::qWait(50);
    }

    static inline const std::map<std::string_view, QStyle::SubControl> titleButtons{
        {"restore", QStyle::SC_MdiNormalButton}, {"minimise", QStyle::SC_MdiMinButton},
        {"close", QStyle::SC_MdiCloseButton}};

    MainFrame frame_;
};

TEST_F(MainFrameTest, StartsWithTheBearingWindowMaximisedAndTheMaterialsWindowLoadedAndHidden)
{
    // One window of each kind, each loaded once: a second load would double the lists.
    EXPECT_EQ(frame_.findChildren<QWidget*>(QLatin1String(names::window)).size(), 1);
    EXPECT_EQ(frame_.findChildren<QWidget*>(QStringLiteral("Form3")).size(), 1);
    EXPECT_EQ(workspace()->subWindowList().size(), 2);
    for (const QListWidget* list : allLists()) {
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), listItems) << list->objectName().toStdString();
        EXPECT_TRUE(list->selectedItems().isEmpty()) << list->objectName().toStdString();
    }

    EXPECT_TRUE(shownMaximised(bearingWindow()));
    ASSERT_NE(subWindowOf(materialsWindow()), nullptr);
    EXPECT_TRUE(subWindowOf(materialsWindow())->isHidden());
    EXPECT_EQ(visibleChildren(), 1);
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>(bearingWindow(), names::inputs.load));
    EXPECT_EQ(workspace()->viewport()->size(), QSize(524, 435));
}

TEST_F(MainFrameTest, TitleNamesTheMaximisedChildWindow)
{
    EXPECT_EQ(frame_.windowTitle(), frameTitle + QStringLiteral(" - [Подшипник]"));
    action("mater")->trigger();
    EXPECT_EQ(frame_.windowTitle(), frameTitle + QStringLiteral(" - [Справочник]"));
}

TEST_F(MainFrameTest, SwitchingThroughTheMenuKeepsInputsResultsAndSelections)
{
    QWidget* bearing = bearingWindow();
    auto* load = control<QLineEdit>(bearing, names::inputs.load);
    auto* frequency = control<QLineEdit>(bearing, names::inputs.frequency);
    auto* materials = control<QListWidget>(bearing, names::inputs.materialList);
    auto* maxDiameter = control<QLineEdit>(bearing, names::results.maxDiameterLine);
    auto* minLength = control<QLineEdit>(bearing, names::results.minLengthLine);
    ASSERT_TRUE(load && frequency && materials && maxDiameter && minLength);
    QTest::keyClicks(load, QStringLiteral("5000"));
    QTest::keyClicks(frequency, QStringLiteral("300"));
    clickItem(materials, 19);
    QTest::mouseClick(control<QPushButton>(bearing, names::buttons.calculateSizing), Qt::LeftButton);
    const std::array results{maxDiameter->text(), minLength->text()};
    ASSERT_FALSE(results[0].isEmpty());
    ASSERT_FALSE(results[1].isEmpty());

    ASSERT_NO_FATAL_FAILURE(clickMenuItem("sprav", "mater"));
    EXPECT_TRUE(shownMaximised(materialsWindow()));
    EXPECT_TRUE(subWindowOf(bearing)->isHidden());
    EXPECT_EQ(visibleChildren(), 1);
    auto* names = control<QListWidget>(materialsWindow(), QStringLiteral("List1(0)"));
    ASSERT_NE(names, nullptr);
    clickItem(names, 5);

    ASSERT_NO_FATAL_FAILURE(chooseFirstItemByKeyboard("calk"));
    EXPECT_EQ(bearingWindow(), bearing) << "switching must not create a new window";
    EXPECT_TRUE(shownMaximised(bearing));
    EXPECT_TRUE(subWindowOf(materialsWindow())->isHidden());
    EXPECT_EQ(visibleChildren(), 1);
    EXPECT_EQ(load->text(), QStringLiteral("5000"));
    EXPECT_EQ(frequency->text(), QStringLiteral("300"));
    EXPECT_EQ(selectedRows(materials), QList<int>{19});
    EXPECT_EQ(maxDiameter->text(), results[0]);
    EXPECT_EQ(minLength->text(), results[1]);

    ASSERT_NO_FATAL_FAILURE(clickMenuItem("sprav", "mater"));
    for (const QString& name : materialsLists) {
        EXPECT_EQ(selectedRows(control<QListWidget>(materialsWindow(), name)), QList<int>{5}) << name.toStdString();
    }
}

TEST_F(MainFrameTest, ChoosingTheShownWindowAgainKeepsItShownAndUnchanged)
{
    auto* load = control<QLineEdit>(bearingWindow(), names::inputs.load);
    ASSERT_NE(load, nullptr);
    QTest::keyClicks(load, QStringLiteral("42"));
    for (int i = 0; i < 2; ++i) {
        action("bear")->trigger();
        EXPECT_TRUE(shownMaximised(bearingWindow()));
        EXPECT_EQ(visibleChildren(), 1);
        EXPECT_EQ(load->text(), QStringLiteral("42"));
    }
    for (int i = 0; i < 2; ++i) {
        action("mater")->trigger();
        EXPECT_TRUE(shownMaximised(materialsWindow()));
        EXPECT_EQ(visibleChildren(), 1);
    }
}

struct Showing {
    const char* name;
    std::vector<std::string_view> steps;
    const char* shown;  // the child window on show at the end
    const char* focus;  // the control that then has the keyboard focus
};

void PrintTo(const Showing& showing, std::ostream* out) { *out << showing.name; }

class ShowingFromTheMenu : public MainFrameTest, public testing::WithParamInterface<Showing> { };

// Whatever the user did before, the window that the menu shows fills the workspace
// exactly, alone, with the focus where the user left it or, in a new window, in its
// first control.
TEST_P(ShowingFromTheMenu, FillsTheWorkspaceAloneWithTheFocusWhereTheUserLeftIt)
{
    for (const std::string_view step : GetParam().steps) {
        ASSERT_NO_FATAL_FAILURE(perform(step));
    }
    const QWidget* window = frame_.findChild<QWidget*>(QLatin1String(GetParam().shown));
    ASSERT_TRUE(shownMaximised(window));
    const QMdiSubWindow* child = subWindowOf(window);
    EXPECT_EQ(child->geometry(), workspace()->viewport()->rect());
    EXPECT_EQ(window->geometry(), child->rect());
    EXPECT_EQ(visibleChildren(), 1);
    EXPECT_FALSE(workspace()->verticalScrollBar()->isVisible() || workspace()->horizontalScrollBar()->isVisible());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), GetParam().focus);
}

INSTANTIATE_TEST_SUITE_P(MainFrameTest, ShowingFromTheMenu,
    testing::Values(Showing{"MaterialsFirstShown", {"mater"}, "Form3", "List1(0)"},
        Showing{"MaterialsShownAgain", {"mater", "List1(3)", "bear", "mater"}, "Form3", "List1(3)"},
        Showing{
            "BearingBackFromMaterials", {names::inputs.length, "mater", "bear"}, names::window, names::inputs.length},
        Showing{"BearingRestoredThenChosen", {names::inputs.frequency, "restore", "bear"}, names::window,
            names::inputs.frequency},
        Showing{"MaterialsRestoredThenChosen", {"mater", "restore", "mater"}, "Form3", "List1(0)"},
        Showing{"BearingMinimisedThenChosen", {"minimise", "bear"}, names::window, names::inputs.load},
        Showing{"MaterialsMinimisedThenChosen", {"mater", "minimise", "mater"}, "Form3", "List1(0)"},
        Showing{"BearingClosedThenChosen", {"close", "bear"}, names::window, names::inputs.load},
        Showing{"BearingRebuiltHiddenThenChosen", {"close", "mater", "bear"}, names::window, names::inputs.load},
        Showing{"MaterialsRebuiltHiddenThenChosen", {"mater", "close", "bear", "mater"}, "Form3", "List1(0)"}),
    [](const testing::TestParamInfo<Showing>& info) { return std::string(info.param.name); });

// Restored by its title-bar button, a child window has its design client area (the
// materials window taller only if its lists need it) and shows all its controls.
TEST_F(MainFrameTest, RestoringAChildGivesItItsDesignSize)
{
    for (const auto& [item, name, designSize] :
        {std::tuple{"bear", names::window, QSize(529, 418)}, std::tuple{"mater", "Form3", QSize(500, 463)}}) {
        SCOPED_TRACE(name);
        ASSERT_NO_FATAL_FAILURE(perform(item));
        ASSERT_NO_FATAL_FAILURE(perform("restore"));
        const QWidget* window = frame_.findChild<QWidget*>(QLatin1String(name));
        EXPECT_TRUE(subWindowOf(window)->isVisible());
        EXPECT_EQ(window->geometry(), subWindowOf(window)->contentsRect());
        EXPECT_EQ(window->width(), designSize.width());
        EXPECT_GE(window->height(), designSize.height());
        EXPECT_TRUE(window->rect().contains(window->childrenRect()));
        // Taller than the workspace, it can be scrolled into view.
        EXPECT_EQ(workspace()->verticalScrollBar()->isVisible(),
            subWindowOf(window)->height() > workspace()->viewport()->height());
    }
}

struct Closing {
    const char* name;
    const char* closed;  // the window the user closes
    const char* own;     // its menu item
    const char* other;   // the other window's menu item, which hides it
};

TEST_F(MainFrameTest, AClosedWindowIsCreatedAfreshByTheNextMenuChoice)
{
    const std::array rows{
        Closing{"bearing window", names::window, "bear", "mater"},
        Closing{"materials window", "Form3", "mater", "bear"},
    };
    for (const Closing& row : rows) {
        SCOPED_TRACE(row.name);
        const QLatin1String name(row.closed);
        action(row.own)->trigger();
        auto* window = frame_.findChild<QWidget*>(name);
        ASSERT_NE(window, nullptr);
        // Leave something behind that a fresh window would not have.
        for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
            box->setText(QStringLiteral("7"));
        }
        for (QListWidget* list : window->findChildren<QListWidget*>()) {
            list->setCurrentRow(3);
        }

        subWindowOf(window)->close();
        // Qt deletes a closed sub-window once control is back in the event loop.
        ASSERT_TRUE(QTest::qWaitFor([this, name] { return frame_.findChild<QWidget*>(name) == nullptr; }));
        EXPECT_EQ(workspace()->subWindowList().size(), 1);

        // The other window's item hides this one, so it creates it, hidden.
        action(row.other)->trigger();
        auto* fresh = frame_.findChild<QWidget*>(name);
        ASSERT_NE(fresh, nullptr);
        EXPECT_TRUE(subWindowOf(fresh)->isHidden());
        EXPECT_EQ(workspace()->subWindowList().size(), 2);
        for (const QLineEdit* box : fresh->findChildren<QLineEdit*>()) {
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        }
        const QList<QListWidget*> lists = fresh->findChildren<QListWidget*>();
        ASSERT_FALSE(lists.isEmpty());
        for (const QListWidget* list : lists) {
            EXPECT_EQ(list->count(), listItems) << list->objectName().toStdString();
            EXPECT_TRUE(list->selectedItems().isEmpty()) << list->objectName().toStdString();
        }

        action(row.own)->trigger();
        EXPECT_TRUE(shownMaximised(fresh));
        EXPECT_EQ(visibleChildren(), 1);
    }
}

TEST_F(MainFrameTest, AboutFromTheMenuBarShowsTheProgramAndItsAuthor)
{
    MessageCatcher catcher;
    QMenuBar* bar = frame_.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action("help")).center());
    ASSERT_EQ(catcher.messages().size(), 1);

    const CaughtMessage& about = catcher.messages().front();
    EXPECT_EQ(about.text.split(QLatin1Char('\n')),
        (QStringList{"Программа позволяет осуществлять расчет подшипников скольжения",
            "по методикам расчетов книг <Детали машин> Ольвестина и ", "<Детали машин> Кранбельда", "", "",
            "Автор: Зельмарин", "Версия 1.01, май 2005 г.", ""}));
    EXPECT_EQ(about.title, QStringLiteral("О программе"));
    EXPECT_EQ(about.icon, QMessageBox::Information);
    EXPECT_EQ(about.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    EXPECT_TRUE(shownMaximised(bearingWindow()));
}

TEST_F(MainFrameTest, MenuItemsHaveTheirCaptionsInOrder)
{
    QStringList bar;
    for (const QAction* item : frame_.menuBar()->actions()) {
        bar.append(item->objectName() + QLatin1Char('=') + item->text());
    }
    EXPECT_EQ(bar, (QStringList{"calk=Расчет", "sprav=Справочник", "help=О программе"}));
    EXPECT_EQ(action("bear")->text(), QStringLiteral("Подшипник"));
    EXPECT_EQ(action("mater")->text(), QStringLiteral("Материалы подшипников скольжения"));
    EXPECT_EQ(frame_.findChild<QMenu*>(QStringLiteral("calk"))->actions(), QList<QAction*>{action("bear")});
    EXPECT_EQ(frame_.findChild<QMenu*>(QStringLiteral("sprav"))->actions(), QList<QAction*>{action("mater")});
    EXPECT_EQ(action("help")->menu(), nullptr);
}

TEST_F(MainFrameTest, PictureIsDrawnOnceAtTheTopLeftOverTheWorkspaceColour)
{
    const QImage picture(QStringLiteral(":/frame/frame-picture.jpg"));
    ASSERT_EQ(picture.size(), QSize(532, 439));
    const QIcon icon = frame_.windowIcon();
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
    EXPECT_EQ(QImage(QStringLiteral(":/icon/plain-bearings.png")).size(), QSize(32, 32));

    // With no child in the way and the frame wider than the picture, the picture must
    // not repeat to the right of itself.
    for (QMdiSubWindow* child : workspace()->subWindowList()) {
        child->hide();
    }
    frame_.resize(900, 700);
    ASSERT_TRUE(QTest::qWaitFor([this, &picture] {
        const QSize area = workspace()->viewport()->size();
        return area.width() > picture.width() + 20 && area.height() > picture.height() + 20;
    }));
    const QImage shown = workspace()->viewport()->grab().toImage();
    const QRgb workspaceColour = workspace()->background().color().rgb();
    for (const QPoint at : {QPoint(10, 10), QPoint(300, 200), QPoint(520, 420)}) {
        EXPECT_EQ(shown.pixel(at), picture.pixel(at)) << at.x() << "," << at.y();
    }
    for (const QPoint at : {QPoint(picture.width() + 10, 10), QPoint(10, picture.height() + 10)}) {
        EXPECT_EQ(shown.pixel(at), workspaceColour) << at.x() << "," << at.y();
    }
}

}  // namespace
}  // namespace bearing::ui
