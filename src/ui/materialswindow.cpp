#include "materialswindow.h"

#include "appearance.h"
#include "numbertext.h"
#include "twips.h"
#include "utf8text.h"

#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>
#include <string>
#include <string_view>

namespace bearing::ui {
namespace {

constexpr int designWidth = 7500;
constexpr int designHeight = 6945;
constexpr int headingTop = 120;
constexpr int headingHeight = 735;
constexpr int listTop = 840;
constexpr int listHeight = 5130;

struct Column {
    int left;
    int width;
    std::string_view heading;
};

// Names, then [p], [v], [pv] and [t]. The headings mix Latin and Cyrillic look-alikes
// ("Max" is Latin, "Мах" Cyrillic): they are the window's texts, letter for letter.
constexpr std::array<Column, 5> columns{{
    {120, 3135, "Материал подшипника"},
    {3360, 855, "Max давление, МПа"},
    {4260, 855, "Max скорость, м/с"},
    {5190, 855, "[pv], МПАхм/с"},
    {6120, 1215, "Мах температура, град C"},
}};

QString controlName(std::string_view array, int index)
{
    return QStringLiteral("%1(%2)").arg(fromUtf8(array)).arg(index);
}

// The selected item's row, or -1 while nothing is selected (the current item alone does
// not count).
int selectedRow(const QListWidget& list)
{
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.front());
}

// Puts the selection, and the current item with it, on `row`, or clears the selection
// for -1. A list already there is left alone, so that nothing reports a change.
void selectRow(QListWidget& list, int row)
{
    if (row < 0) {
        if (selectedRow(list) >= 0) {
            list.clearSelection();
        }
        return;
    }
    if (selectedRow(list) != row || list.currentRow() != row) {
        list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
}

}  // namespace

MaterialsWindow::MaterialsWindow(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Справочник"));
    createHeadings();
    createLists();
    fillLists();
    fitListsToItems();
    connectLists();
}

void MaterialsWindow::createHeadings()
{
    // The narrow columns are 55 px inside their border; in the regular face "давление,"
    // and "скорость," are wider than that, in the condensed face of the same size every
    // word fits and each heading takes at most three lines. The text stands one pixel in
    // from the border, not the half 'x' a framed label takes by default, which would push
    // "давление," onto the right border.
    const QFont headingFont = condensedFont();
    for (int i = 0; i < columnCount; ++i) {
        const Column& column = columns.at(i);
        auto* heading = new QLabel(fromUtf8(column.heading), this);
        heading->setObjectName(controlName("Label1", i));
        heading->setFont(headingFont);
        heading->setFrameStyle(QFrame::Box | QFrame::Plain);
        heading->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        heading->setWordWrap(true);
        heading->setIndent(1);
        heading->setGeometry(pixelsFromTwips({column.left, headingTop, column.width, headingHeight}));
        headings_.at(i) = heading;
    }
}

void MaterialsWindow::createLists()
{
    for (int i = 0; i < columnCount; ++i) {
        const Column& column = columns.at(i);
        auto* list = new QListWidget(this);
        list->setObjectName(controlName("List1", i));
        // A screen reader names each list after the heading above it.
        list->setAccessibleName(fromUtf8(column.heading));
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSortingEnabled(false);
        // Every row is one line of one font, so the list lays its rows out from the size
        // of the first instead of measuring each.
        list->setUniformItemSizes(true);
        // The rows line up across the columns only while no list scrolls: every list is
        // made tall enough for all its items, and none offers a scroll bar.
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setGeometry(pixelsFromTwips({column.left, listTop, column.width, listHeight}));
        lists_.at(i) = list;
        if (i > 0) {
            setTabOrder(lists_.at(i - 1), list);
        }
    }
}

void MaterialsWindow::fillLists()
{
    // Every list gets exactly one item per row, so item k of every list belongs to the
    // same material, group header or separator.
    const std::string separator = QLocale().decimalPoint().toStdString();
    for (const MaterialListItem& item : materialListItems) {
        if (!item.isMaterial()) {
            addRow({fromUtf8(item.header), {}, {}, {}, {}});
            continue;
        }
        const MaterialRecord& material = catalogue_.row(item.row);
        addRow({
            fromUtf8(material.name),
            QString::fromStdString(formatTextBoxNumber(material.maxPressure, separator)),
            QString::fromStdString(formatTextBoxNumber(material.maxSpeed, separator)),
            QString::fromStdString(formatTextBoxNumber(material.maxPV, separator)),
            QString::fromStdString(formatTextBoxNumber(material.maxTemperature)),
        });
    }
}

void MaterialsWindow::addRow(const std::array<QString, columnCount>& texts)
{
    for (int i = 0; i < columnCount; ++i) {
        lists_.at(i)->addItem(texts.at(i));
    }
}

void MaterialsWindow::fitListsToItems()
{
    // The layout's list height holds 26 rows of a 13 px font. Should the font in use need
    // more, the lists grow downwards (and the window with them) until every item shows;
    // nothing else moves. The name list is measured for all five: it is set in the same
    // font and has a text on every row where a value list has one (and on the group
    // headers too), so no list needs more height than it does. Each row is one line, so
    // its height depends only on whether it is blank: one row of each kind is measured.
    const QListWidget& names = *lists_.front();
    int blankRowHeight = -1;
    int textRowHeight = -1;
    int needed = 2 * names.frameWidth();
    for (int row = 0; row < names.count(); ++row) {
        int& rowHeight = names.item(row)->text().isEmpty() ? blankRowHeight : textRowHeight;
        if (rowHeight < 0) {
            rowHeight = names.sizeHintForRow(row);
        }
        needed += rowHeight;
    }
    const int height = std::max(pixelsFromTwips(listHeight), needed);
    for (QListWidget* list : lists_) {
        list->resize(list->width(), height);
    }
    resize(pixelsFromTwips(designWidth), pixelsFromTwips(designHeight) + height - pixelsFromTwips(listHeight));
}

void MaterialsWindow::connectLists()
{
    for (QListWidget* list : lists_) {
        connect(list, &QListWidget::itemSelectionChanged, this, &MaterialsWindow::followNameList);
    }
}

void MaterialsWindow::followNameList()
{
    // The name list leads, whichever list the user changed: a value list that was clicked
    // or moved with the keys goes back to the name list's row straight away.
    if (following_) {
        return;
    }
    const QScopedValueRollback guard(following_, true);
    for (int i = 1; i < columnCount; ++i) {
        selectRow(*lists_.at(i), selectedRow(*lists_.front()));
    }
}

}  // namespace bearing::ui
