#include "materialswindow.h"

#include "messagecatcher.h"
#include "testlocale.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace bearing::ui {
namespace {

constexpr int columnCount = 5;
constexpr int rowCount = 26;
constexpr int none = -1;

using Row = std::array<const char*, columnCount>;

// What the five lists show after loading, as under a point locale.
constexpr std::array<Row, rowCount> expectedRows{{
    {"БЕЗ СМАЗКИ", "", "", "", ""},
    {"", "", "", "", ""},
    {"Графит", "0.5", "1.5", "1", "400"},
    {"Углепластик", "0.5", "2", "1.5", "200"},
    {"Полиамид", "3", "0.5", "0.15", "75"},
    {"Капрон", "2.5", "0.2", "0.1", "90"},
    {"Текстолит", "5", "1", "1", "80"},
    {"Фторопласт-4", "0.7", "0.5", "0.06", "120"},
    {"Металлофторопластовая лента", "30", "5", "0.4", "280"},
    {"Металлокерамические сплавы", "30", "15", "1.5", "300"},
    {"Минералокерамика", "0.5", "2", "1", "500"},
    {"", "", "", "", ""},
    {"СО СМАЗКОЙ", "", "", "", ""},
    {"", "", "", "", ""},
    {"Чугун АЧС-1", "2.5", "5", "10", "250"},
    {"Чугун АЧС-5", "20", "1", "20", "250"},
    {"Латунь ЛКС 80-3-3", "12", "2", "10", "250"},
    {"Латунь ЛМцЖ 52-4-1", "4", "2", "6", "250"},
    {"Бронза БРС30", "25", "12", "30", "250"},
    {"Бронза БрО10Ф1", "15", "10", "15", "250"},
    {"Бронза БрА9Ж4Л", "15", "4", "12", "250"},
    {"Баббит Б83", "15", "50", "75", "115"},
    {"Баббит Б16", "10", "30", "3", "110"},
    {"Фторопласт-4", "1.5", "5", "7.5", "200"},
    {"Полиамид АК-7", "20", "4", "20", "100"},
    {"Текстолит", "10", "10", "25", "100"},
}};

struct Control {
    const char* name = nullptr;
    QRect geometry;
    const char* heading = nullptr;
};

// Headings and lists share left edge and width; positions in pixels.
const std::array<Control, columnCount> expectedColumns{{
    {"0", QRect(8, 8, 209, 49), "Материал подшипника"},
    {"1", QRect(224, 8, 57, 49), "Max давление, МПа"},
    {"2", QRect(284, 8, 57, 49), "Max скорость, м/с"},
    {"3", QRect(346, 8, 57, 49), "[pv], МПАхм/с"},
    {"4", QRect(408, 8, 81, 49), "Мах температура, град C"},
}};

QString localised(const char* text)
{
    QString shown = QString::fromUtf8(text);
    return test::underRussianLocale() ? shown.replace(QLatin1Char('.'), QLatin1Char(',')) : shown;
}

class MaterialsWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        for (int i = 0; i < columnCount; ++i) {
            lists_.at(i) = window_.findChild<QListWidget*>(QStringLiteral("List1(%1)").arg(i));
            ASSERT_NE(lists_.at(i), nullptr) << "List1(" << i << ")";
        }
    }

    [[nodiscard]] QListWidget& list(int i) const { return *lists_.at(i); }

    void click(int listIndex, int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QListWidget& target = list(listIndex);
        QTest::mouseClick(
            target.viewport(), Qt::LeftButton, modifiers, target.visualItemRect(target.item(row)).center());
    }

    void press(int listIndex, Qt::Key key) const
    {
        list(listIndex).setFocus();
        QTest::keyClick(&list(listIndex), key);
    }

    // The selected row of each list, -1 for none.
    [[nodiscard]] std::array<int, columnCount> selectedRows() const
    {
        std::array<int, columnCount> rows{};
        for (int i = 0; i < columnCount; ++i) {
            const QList<QListWidgetItem*> selected = list(i).selectedItems();
            rows.at(i) = selected.isEmpty() ? none : list(i).row(selected.front());
        }
        return rows;
    }

    static std::array<int, columnCount> everywhere(int row) { return {row, row, row, row, row}; }

    void expectNoListScrolled() const
    {
        for (int i = 0; i < columnCount; ++i) {
            EXPECT_EQ(list(i).verticalScrollBar()->value(), 0) << "List1(" << i << ")";
            EXPECT_EQ(list(i).horizontalScrollBar()->value(), 0) << "List1(" << i << ")";
        }
    }

    MaterialsWindow window_;
    std::array<QListWidget*, columnCount> lists_{};
};

TEST_F(MaterialsWindowTest, LoadingFillsEveryListRowByRowWithNothingSelected)
{
    for (int i = 0; i < columnCount; ++i) {
        ASSERT_EQ(list(i).count(), rowCount) << "List1(" << i << ")";
        for (int row = 0; row < rowCount; ++row) {
            EXPECT_EQ(list(i).item(row)->text(), localised(expectedRows.at(row).at(i)))
                << "List1(" << i << ") item " << row;
        }
    }
    EXPECT_EQ(selectedRows(), everywhere(none));
}

TEST_F(MaterialsWindowTest, ValuesUseTheLocaleDecimalSeparator)
{
    const bool comma = test::underRussianLocale();
    EXPECT_EQ(list(2).item(4)->text(), comma ? QStringLiteral("0,5") : QStringLiteral("0.5"));
    EXPECT_EQ(list(3).item(4)->text(), comma ? QStringLiteral("0,15") : QStringLiteral("0.15"));
}

TEST_F(MaterialsWindowTest, WindowAndControlsStandWhereTheLayoutPutsThem)
{
    EXPECT_EQ(window_.objectName(), QStringLiteral("Form3"));
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Справочник"));
    const int listHeight = list(0).height();
    EXPECT_GE(listHeight, 342);
    EXPECT_EQ(window_.size(), QSize(500, 463 + listHeight - 342));
    for (int i = 0; i < columnCount; ++i) {
        const Control& column = expectedColumns.at(i);
        const auto* heading = window_.findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(column.name));
        ASSERT_NE(heading, nullptr) << "Label1(" << column.name << ")";
        EXPECT_EQ(heading->text(), QString::fromUtf8(column.heading)) << "Label1(" << column.name << ")";
        EXPECT_EQ(heading->geometry(), column.geometry) << "Label1(" << column.name << ")";
        EXPECT_EQ(heading->frameShape(), QFrame::Box);
        EXPECT_EQ(heading->frameShadow(), QFrame::Plain);
        EXPECT_EQ(heading->lineWidth(), 1);
        EXPECT_TRUE(heading->alignment().testFlag(Qt::AlignLeft));
        EXPECT_TRUE(heading->wordWrap());
        EXPECT_EQ(heading->focusPolicy(), Qt::NoFocus);
        const QRect listRect(column.geometry.left(), 56, column.geometry.width(), listHeight);
        EXPECT_EQ(list(i).geometry(), listRect) << "List1(" << column.name << ")";
        EXPECT_EQ(list(i).selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_FALSE(list(i).isSortingEnabled());
    }
}

TEST_F(MaterialsWindowTest, EveryHeadingFitsItsBoxInAtMostThreeLines)
{
    for (const Control& column : expectedColumns) {
        auto* heading = window_.findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(column.name));
        ASSERT_NE(heading, nullptr);
        const std::string label = heading->text().toStdString();
        const QFontMetrics metrics(heading->font());
        // A framed label sets its text in from the left border by its indent, half an 'x'
        // when the indent is left negative.
        const int indent = heading->indent() >= 0 ? heading->indent() : metrics.horizontalAdvance(QLatin1Char('x')) / 2;
        const QRect textArea = heading->contentsRect().adjusted(indent, 0, 0, 0);
        for (const QString& word : heading->text().split(QLatin1Char(' '))) {
            EXPECT_LE(metrics.horizontalAdvance(word), textArea.width()) << word.toStdString();
        }
        const QRect text
            = metrics.boundingRect(textArea, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, heading->text());
        EXPECT_LE(text.height(), std::min(textArea.height(), 3 * metrics.lineSpacing())) << label;

        // No ink touches the border: the pixels just inside it on the right and at the
        // bottom are all background.
        const QImage drawn = heading->grab().toImage();
        const QRgb background = heading->palette().color(heading->backgroundRole()).rgb();
        const int right = drawn.width() - 2;
        const int bottom = drawn.height() - 2;
        for (int y = 1; y <= bottom; ++y) {
            EXPECT_EQ(drawn.pixel(right, y), background) << label << " right edge at y " << y;
        }
        for (int x = 1; x <= right; ++x) {
            EXPECT_EQ(drawn.pixel(x, bottom), background) << label << " bottom edge at x " << x;
        }
    }
}

TEST_F(MaterialsWindowTest, ScreenReadersNameEachListAfterItsHeading)
{
    for (int i = 0; i < columnCount; ++i) {
        QAccessibleInterface* announced = QAccessible::queryAccessibleInterface(&list(i));
        ASSERT_NE(announced, nullptr) << "List1(" << i << ")";
        EXPECT_EQ(announced->text(QAccessible::Name).toStdString(), expectedColumns.at(i).heading)
            << "List1(" << i << ")";
    }
}

TEST_F(MaterialsWindowTest, EveryItemShowsAndRowsLineUpAcrossTheLists)
{
    for (int i = 0; i < columnCount; ++i) {
        EXPECT_EQ(list(i).verticalScrollBar()->maximum(), 0) << "List1(" << i << ")";
        for (int row = 0; row < rowCount; ++row) {
            const QRect item = list(i).visualItemRect(list(i).item(row));
            EXPECT_TRUE(list(i).viewport()->rect().contains(item)) << "List1(" << i << ") item " << row;
            // Same vertical place as in the name list, empty items included.
            const QRect name = list(0).visualItemRect(list(0).item(row));
            EXPECT_EQ(item.top(), name.top()) << "List1(" << i << ") item " << row;
            EXPECT_EQ(item.height(), name.height()) << "List1(" << i << ") item " << row;
        }
    }
}

TEST_F(MaterialsWindowTest, ClickingANameSelectsItsRowInEveryList)
{
    struct Case {
        const char* what;
        int row;
    };
    for (const Case& c : {Case{"material", 5}, Case{"first group header", 0}, Case{"second group header", 12},
             Case{"separator", 13}, Case{"last material", 25}, Case{"first material", 2}}) {
        click(0, c.row);
        EXPECT_EQ(selectedRows(), everywhere(c.row)) << c.what;
    }
    expectNoListScrolled();
}

TEST_F(MaterialsWindowTest, ClickingAValueGoesBackToTheNamesRow)
{
    click(0, 5);
    for (int i = 1; i < columnCount; ++i) {
        for (const int row : {9, 0, 25, 5}) {
            click(i, row);
            EXPECT_EQ(selectedRows(), everywhere(5)) << "List1(" << i << ") item " << row;
            EXPECT_EQ(list(i).currentRow(), 5) << "List1(" << i << ") item " << row;
        }
    }
}

TEST_F(MaterialsWindowTest, ClickingAValueWithoutANameSelectsNothing)
{
    for (int i = 1; i < columnCount; ++i) {
        for (const int row : {0, 4, 25}) {
            click(i, row);
            EXPECT_EQ(selectedRows(), everywhere(none)) << "List1(" << i << ") item " << row;
        }
    }
}

TEST_F(MaterialsWindowTest, DeselectingTheNameClearsEveryList)
{
    click(0, 7);
    click(0, 7, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(), everywhere(none));
}

TEST_F(MaterialsWindowTest, ArrowKeysInTheNameListMoveEveryList)
{
    click(0, 5);
    press(0, Qt::Key_Down);
    EXPECT_EQ(selectedRows(), everywhere(6));
    press(0, Qt::Key_Up);
    press(0, Qt::Key_Up);
    EXPECT_EQ(selectedRows(), everywhere(4));
    press(0, Qt::Key_End);
    EXPECT_EQ(selectedRows(), everywhere(25));
    press(0, Qt::Key_Home);
    EXPECT_EQ(selectedRows(), everywhere(0));
    expectNoListScrolled();
}

TEST_F(MaterialsWindowTest, ArrowKeysInAValueListGoBackToTheNamesRow)
{
    click(0, 5);
    for (int i = 1; i < columnCount; ++i) {
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_PageUp}) {
            press(i, key);
            EXPECT_EQ(selectedRows(), everywhere(5)) << "List1(" << i << ") key " << key;
            EXPECT_EQ(list(i).currentRow(), 5) << "List1(" << i << ") key " << key;
        }
    }
    expectNoListScrolled();
}

TEST_F(MaterialsWindowTest, ArrowKeysInAValueListWithoutANameSelectNothing)
{
    for (int i = 1; i < columnCount; ++i) {
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_End, Qt::Key_Up}) {
            press(i, key);
            EXPECT_EQ(selectedRows(), everywhere(none)) << "List1(" << i << ") key " << key;
        }
    }
}

TEST_F(MaterialsWindowTest, TabMovesFromTheNamesThroughTheValuesInOrder)
{
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    list(0).setFocus();
    for (int i = 1; i < columnCount; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), &list(i)) << "after List1(" << i - 1 << ")";
    }
}

TEST_F(MaterialsWindowTest, HidingAndShowingKeepsTheSelectedRow)
{
    click(0, 19);
    window_.hide();
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    EXPECT_EQ(selectedRows(), everywhere(19));
    EXPECT_EQ(list(4).selectedItems().front()->text(), QStringLiteral("250"));
}

}  // namespace
}  // namespace bearing::ui
