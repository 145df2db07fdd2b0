#include "bearingwindow.h"

#include "bearingwindownames.h"
#include "messagecatcher.h"
#include "testlocale.h"
#include "wrappingbutton.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionGroupBox>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <tuple>

namespace bearing::ui {
namespace {

// List items: 0 "БЕЗ СМАЗКИ", 1 blank, 2-10 rows 0-8, 11 blank, 12 "СО СМАЗКОЙ", 13 blank, 14-25 rows 9-20.
constexpr int itemGraphite = 2;
constexpr int itemKapron = 5;
constexpr int itemTextolite = 6;
constexpr int itemPtfe = 7;
constexpr int itemBronze = 19;
constexpr int itemLubricatedPtfe = 23;
constexpr int itemLubricatedTextolite = 25;

const char* const baseCaption = "Характеристики подшипника";

QString materialCaption(const char* name)
{
    return QStringLiteral("Характеристики подшипника (материал - %1)").arg(QString::fromUtf8(name));
}

class BearingWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    template <typename T> T* find(const char* name) const
    {
        T* widget = window_.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
    QListWidget* materialList() const { return find<QListWidget>(names::inputs.materialList); }
    QString frameCaption() const { return find<QGroupBox>(names::results.frame)->title(); }

    void clickItem(int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QListWidget* materials = materialList();
        QListWidgetItem* item = materials->item(row);
        materials->scrollToItem(item);
        QTest::mouseClick(materials->viewport(), Qt::LeftButton, modifiers, materials->visualItemRect(item).center());
    }

    void typeInto(const char* name, const char* text) const
    {
        QLineEdit* edit = box(name);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }

    void press(const char* name) const { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }

    void runBronzeExample() const
    {
        clickItem(itemBronze);
        typeInto(names::inputs.load, "5000");
        typeInto(names::inputs.frequency, "300");
        press(names::buttons.calculateSizing);
    }

    static QString expectedMinDiameter() { return test::underRussianLocale() ? "16,7" : "16.7"; }

    BearingWindow window_;
};

struct Placement {
    const char* name;
    const char* parent;
    int left, top, width, height;  // twips, from the top left of the parent
};

constexpr std::array<Placement, 24> designLayout{{
    {names::captions.heading, names::window, 2520, 120, 5175, 375},
    {names::inputs.load, names::window, 4800, 600, 1695, 375},
    {names::inputs.frequency, names::window, 4800, 1080, 1695, 375},
    {names::inputs.materialList, names::window, 4800, 1620, 2895, 645},
    {names::buttons.calculateSizing, names::window, 2520, 2460, 5175, 495},
    {names::results.maxDiameterLine, names::results.frame, 120, 360, 4335, 375},
    {names::results.minLengthLine, names::results.frame, 120, 840, 4335, 375},
    {names::results.maxTemperature, names::results.frame, 4680, 840, 2055, 375},
    {names::inputs.length, names::window, 5640, 4800, 1455, 375},
    {names::buttons.calculateDiameter, names::window, 120, 4800, 2895, 975},
    {names::results.minDiameter, names::window, 5640, 5400, 1455, 405},
    {names::captions.load, names::window, 2520, 720, 2055, 255},
    {names::captions.frequency, names::window, 2520, 1200, 2055, 255},
    {names::captions.materialList, names::window, 2520, 1680, 2055, 255},
    {names::units.frequency, names::window, 6720, 1200, 615, 255},
    {names::units.load, names::window, 6720, 720, 615, 255},
    {names::captions.length, names::window, 3240, 4920, 1215, 300},
    {names::captions.minDiameter, names::window, 3240, 5520, 2175, 300},
    {names::units.minDiameter, names::window, 7320, 5520, 375, 255},
    {names::units.length, names::window, 7320, 4920, 375, 255},
    {names::results.frame, names::window, 120, 3120, 7575, 1455},
    {names::units.maxTemperature, names::results.frame, 6960, 960, 255, 255},
    {names::captions.maxTemperature, names::results.frame, 4680, 360, 2535, 375},
    {names::sketch, names::window, 120, 120, 2175, 2775},
}};

TEST_F(BearingWindowTest, StartsWithAnEmptyFormAndNoMaterialChosen)
{
    EXPECT_EQ(window_.objectName(), names::window);
    EXPECT_EQ(window_.windowTitle(), "Подшипник");
    EXPECT_EQ(materialList()->count(), 26);
    EXPECT_TRUE(materialList()->selectedItems().isEmpty());
    for (const char* name :
        {names::inputs.load, names::inputs.frequency, names::results.maxTemperature, names::inputs.length,
            names::results.maxDiameterLine, names::results.minLengthLine, names::results.minDiameter}) {
        EXPECT_TRUE(box(name)->text().isEmpty()) << name;
    }
    EXPECT_EQ(frameCaption(), baseCaption);
    EXPECT_EQ(QApplication::focusWidget(), box(names::inputs.load));
}

TEST_F(BearingWindowTest, ListsBothGroupsUnderTheirHeadersWithBlankSeparators)
{
    const QStringList expected{"БЕЗ СМАЗКИ", "", "Графит", "Углепластик", "Полиамид", "Капрон", "Текстолит",
        "Фторопласт-4", "Металлофторопластовая лента", "Металлокерамические сплавы", "Минералокерамика", "",
        "СО СМАЗКОЙ", "", "Чугун АЧС-1", "Чугун АЧС-5", "Латунь ЛКС 80-3-3", "Латунь ЛМцЖ 52-4-1", "Бронза БРС30",
        "Бронза БрО10Ф1", "Бронза БрА9Ж4Л", "Баббит Б83", "Баббит Б16", "Фторопласт-4 ", "Полиамид АК-7", "Текстолит "};
    QStringList shown;
    for (int row = 0; row < materialList()->count(); ++row) {
        shown.append(materialList()->item(row)->text());
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(BearingWindowTest, PlacesEveryControlAsDesignedWhateverTheWindowSize)
{
    for (const QSize size : {window_.size(), QSize(1200, 900)}) {
        window_.resize(size);
        for (const Placement& placement : designLayout) {
            SCOPED_TRACE(placement.name);
            auto* widget = find<QWidget>(placement.name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->parentWidget()->objectName(), placement.parent);
            EXPECT_EQ(widget->geometry(),
                QRect(placement.left / 15, placement.top / 15, placement.width / 15, placement.height / 15));
            EXPECT_TRUE(widget->isVisible());
        }
    }
}

TEST_F(BearingWindowTest, TabVisitsInputsButtonsAndResultBoxesInDesignOrder)
{
    const QStringList expected{names::inputs.frequency, names::inputs.materialList, names::buttons.calculateSizing,
        names::results.maxDiameterLine, names::results.minLengthLine, names::results.maxTemperature,
        names::inputs.length, names::buttons.calculateDiameter, names::results.minDiameter, names::inputs.load};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(BearingWindowTest, EveryLabelFitsItsBoxInTheChosenFont)
{
    for (QLabel* label : window_.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) {
            continue;  // the sketch
        }
        SCOPED_TRACE(label->objectName().toStdString());
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width());
        EXPECT_LE(metrics.boundingRect(label->text()).right(), label->contentsRect().width());
        EXPECT_LE(metrics.height(), label->contentsRect().height());
        // A missing family would be replaced by another one of other widths.
        EXPECT_EQ(QFontInfo(label->font()).family(), label->font().family());
    }
    for (const char* name :
        {names::captions.load, names::captions.frequency, names::captions.materialList, names::captions.length,
            names::captions.minDiameter, names::captions.maxTemperature, names::captions.heading}) {
        EXPECT_TRUE(find<QLabel>(name)->font().bold()) << name;
    }
    EXPECT_GT(find<QLabel>(names::captions.heading)->font().pointSizeF(),
        find<QLabel>(names::captions.load)->font().pointSizeF());
    EXPECT_FALSE(find<QLabel>(names::units.frequency)->font().bold());
}

TEST_F(BearingWindowTest, EveryMaterialNameFitsTheListWithoutSideScrolling)
{
    QListWidget* materials = materialList();
    const QFontMetrics metrics(materials->font());
    for (int row = 0; row < materials->count(); ++row) {
        const QString name = materials->item(row)->text();
        EXPECT_LE(metrics.horizontalAdvance(name), materials->viewport()->width() - 4) << name.toStdString();
    }
    EXPECT_FALSE(materials->horizontalScrollBar()->isVisible());
    EXPECT_GE(materials->viewport()->height(), 3 * materials->sizeHintForRow(0));
}

TEST_F(BearingWindowTest, ButtonCaptionsFitAndTheLongOneWraps)
{
    auto* sizing = find<QPushButton>(names::buttons.calculateSizing);
    EXPECT_LE(QFontMetrics(sizing->font()).horizontalAdvance(sizing->text()), sizing->width() - 8);

    auto* diameter = find<WrappingButton>(names::buttons.calculateDiameter);
    ASSERT_NE(diameter, nullptr);
    const QFontMetrics metrics(diameter->font());
    const QRect area = diameter->captionRect();
    const QRect needed = metrics.boundingRect(area, WrappingButton::captionFlags(), diameter->text());
    EXPECT_TRUE(area.contains(needed)) << needed.width() << "x" << needed.height();
    EXPECT_GE(needed.height(), 2 * metrics.lineSpacing());
}

TEST_F(BearingWindowTest, FrameCaptionFitsForEveryMaterial)
{
    auto* frame = find<QGroupBox>(names::results.frame);
    for (int row = 0; row < materialList()->count(); ++row) {
        materialList()->setCurrentRow(row);
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect label
            = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        EXPECT_TRUE(frame->rect().contains(label)) << frame->title().toStdString();
    }
}

struct SelectionCase {
    const char* name;
    int item;
    const char* temperature;
    const char* material;  // nullptr: the caption without a material
};

constexpr std::array<SelectionCase, 10> selectionCases{{
    {"first material of the list", itemGraphite, "400", "Графит"},
    {"lubricated textolite, trailing blank", itemLubricatedTextolite, "100", "Текстолит "},
    {"dry textolite", itemTextolite, "80", "Текстолит"},
    {"dry PTFE", itemPtfe, "120", "Фторопласт-4"},
    {"lubricated PTFE, trailing blank", itemLubricatedPtfe, "200", "Фторопласт-4 "},
    {"bronze", itemBronze, "250", "Бронза БрО10Ф1"},
    {"header of the dry group", 0, "", nullptr},
    {"header of the lubricated group", 12, "", nullptr},
    {"blank line under a header", 13, "", nullptr},
    {"blank line between the groups", 11, "", nullptr},
}};

TEST_F(BearingWindowTest, ClickingAnItemShowsItsTemperatureAndName)
{
    for (const SelectionCase& selection : selectionCases) {
        SCOPED_TRACE(selection.name);
        clickItem(itemBronze == selection.item ? itemGraphite : itemBronze);  // a material before, to be replaced
        clickItem(selection.item);
        EXPECT_EQ(box(names::results.maxTemperature)->text(), selection.temperature);
        EXPECT_EQ(frameCaption(), selection.material ? materialCaption(selection.material) : baseCaption);
    }
}

TEST_F(BearingWindowTest, ArrowKeysAndDeselectingFollowTheSelection)
{
    clickItem(itemGraphite);
    QTest::keyClick(materialList(), Qt::Key_Down);
    EXPECT_EQ(box(names::results.maxTemperature)->text(), "200");
    EXPECT_EQ(frameCaption(), materialCaption("Углепластик"));
    QTest::keyClick(materialList(), Qt::Key_Up);
    QTest::keyClick(materialList(), Qt::Key_Up);
    EXPECT_EQ(box(names::results.maxTemperature)->text(), "");
    EXPECT_EQ(frameCaption(), baseCaption);

    clickItem(itemGraphite);
    clickItem(itemGraphite, Qt::ControlModifier);
    EXPECT_TRUE(materialList()->selectedItems().isEmpty());
    EXPECT_EQ(box(names::results.maxTemperature)->text(), "");
    EXPECT_EQ(frameCaption(), baseCaption);
}

TEST_F(BearingWindowTest, WorkedExamplesReachTheScreen)
{
    runBronzeExample();
    EXPECT_EQ(box(names::results.maxDiameterLine)->text(), "максимальный диаметр = 636.6 мм");
    EXPECT_EQ(box(names::results.minLengthLine)->text(), "минимальная длина = 5.2 мм");
    typeInto(names::inputs.length, "20");
    press(names::buttons.calculateDiameter);
    EXPECT_EQ(box(names::results.minDiameter)->text(), expectedMinDiameter());

    clickItem(itemGraphite);
    typeInto(names::inputs.load, "1000");
    typeInto(names::inputs.frequency, "1000");
    press(names::buttons.calculateSizing);
    EXPECT_EQ(box(names::results.maxDiameterLine)->text(), "максимальный диаметр = 28.6 мм");
    EXPECT_EQ(box(names::results.minLengthLine)->text(), "минимальная длина = 69.9 мм");
}

TEST_F(BearingWindowTest, ResultLinesFitTheirBoxes)
{
    runBronzeExample();
    for (const char* name : {names::results.maxDiameterLine, names::results.minLengthLine}) {
        QLineEdit* edit = box(name);
        EXPECT_LE(QFontMetrics(edit->font()).horizontalAdvance(edit->text()), edit->width() - 8) << name;
    }
}

TEST_F(BearingWindowTest, AnySelectionChangeEmptiesTheResultLinesButNotTheDiameterForLength)
{
    for (const int next : {itemBronze + 1, 12, 1}) {
        SCOPED_TRACE(next);
        runBronzeExample();
        typeInto(names::inputs.length, "20");
        press(names::buttons.calculateDiameter);
        ASSERT_FALSE(box(names::results.maxDiameterLine)->text().isEmpty());
        clickItem(next);
        EXPECT_EQ(box(names::results.maxDiameterLine)->text(), "");
        EXPECT_EQ(box(names::results.minLengthLine)->text(), "");
        EXPECT_EQ(box(names::results.minDiameter)->text(), expectedMinDiameter());
    }
}

struct MessageCase {
    const char* name = nullptr;
    int item = -1;  // -1: nothing selected
    const char* load = nullptr;
    const char* frequency = nullptr;
    const char* length = nullptr;
    const char* button = nullptr;
    QStringList lines;
};

const std::array<MessageCase, 7> messageCases{{
    {"no material chosen", -1, "5000", "300", "", names::buttons.calculateSizing, {"Выберите материал"}},
    {"header chosen", 12, "5000", "300", "20", names::buttons.calculateDiameter, {"Выберите материал"}},
    {"no frequency", itemBronze, "5000", "", "", names::buttons.calculateSizing,
        {"Задайте радиальное усилие на подшипник и частоту вращения"}},
    {"negative load", itemBronze, "-1", "300", "", names::buttons.calculateSizing,
        {"Задайте радиальное усилие на подшипник и частоту вращения"}},
    {"diameter rounds to zero", itemKapron, "100", "1000000", "", names::buttons.calculateSizing,
        {"Ошибка: деление на ноль", "", "Слишком мал расчетный максимальный диаметр",
            "Задайте меньшую частоту вращения"}},
    {"length below the minimum", itemBronze, "5000", "300", "5", names::buttons.calculateDiameter,
        {"Введенная длина подшипника меньше расчитанной минимально допустимой длины"}},
    {"load beyond the number range", itemBronze, "1e39", "300", "", names::buttons.calculateSizing,
        {"Ошибка: переполнение", "", "Радиальное усилие выходит за пределы допустимого диапазона чисел"}},
}};

TEST_F(BearingWindowTest, EachCalculationMessageReachesTheScreen)
{
    for (const MessageCase& message : messageCases) {
        SCOPED_TRACE(message.name);
        if (message.item >= 0) {
            clickItem(message.item);
        } else {
            materialList()->clearSelection();
        }
        typeInto(names::inputs.load, message.load);
        typeInto(names::inputs.frequency, message.frequency);
        typeInto(names::inputs.length, message.length);

        MessageCatcher catcher;
        press(message.button);
        ASSERT_EQ(catcher.messages().size(), 1);
        const CaughtMessage& shown = catcher.messages().front();
        EXPECT_EQ(shown.text.split(QLatin1Char('\n')), message.lines);
        EXPECT_EQ(shown.title, "Ошибка");
        EXPECT_EQ(shown.icon, QMessageBox::Warning);
        EXPECT_EQ(shown.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    }
}

TEST_F(BearingWindowTest, ResultBoxesRefuseTypingButCopy)
{
    runBronzeExample();
    typeInto(names::inputs.length, "20");
    press(names::buttons.calculateDiameter);
    clickItem(itemBronze);  // keeps the selection: the result lines stay
    press(names::buttons.calculateSizing);
    for (const char* name : {names::results.maxDiameterLine, names::results.minLengthLine,
             names::results.maxTemperature, names::results.minDiameter}) {
        SCOPED_TRACE(name);
        QLineEdit* edit = box(name);
        const QString before = edit->text();
        ASSERT_FALSE(before.isEmpty());
        QTest::mouseClick(edit, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, "12");
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), before);
        QApplication::clipboard()->clear();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), before);
        EXPECT_NE(edit->palette().color(QPalette::Base), box(names::inputs.load)->palette().color(QPalette::Base));
    }
}

TEST_F(BearingWindowTest, InputsKeepAnyTextOfAnyLength)
{
    QLineEdit* load = box(names::inputs.load);
    QTest::mouseClick(load, Qt::LeftButton);
    QTest::keyClicks(load, "300 ");
    for (const QChar letter : QStringLiteral("об")) {
        QTest::sendKeyEvent(QTest::Click, load, Qt::Key(letter.toUpper().unicode()), QString(letter), {});
    }
    EXPECT_EQ(load->text(), "300 об");

    const QString megabyte(1 << 20, QLatin1Char('7'));
    for (const char* name : {names::inputs.load, names::inputs.frequency, names::inputs.length}) {
        QLineEdit* edit = box(name);
        QApplication::clipboard()->setText(megabyte);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text().size(), megabyte.size()) << name;
    }
}

// Enter and keypad Enter press the focused button; in an input box they press none.
TEST_F(BearingWindowTest, EnterPressesTheFocusedButtonButNotFromAnInputBox)
{
    runBronzeExample();
    typeInto(names::inputs.length, "20");
    for (const auto& [focused, key, pressed] :
        {std::tuple{names::buttons.calculateSizing, Qt::Key_Return, names::buttons.calculateSizing},
            std::tuple{names::buttons.calculateSizing, Qt::Key_Enter, names::buttons.calculateSizing},
            std::tuple{names::buttons.calculateDiameter, Qt::Key_Return, names::buttons.calculateDiameter},
            std::tuple{names::buttons.calculateDiameter, Qt::Key_Enter, names::buttons.calculateDiameter},
            std::tuple{names::inputs.load, Qt::Key_Return, ""}, std::tuple{names::inputs.length, Qt::Key_Enter, ""}}) {
        SCOPED_TRACE(testing::Message() << focused << (key == Qt::Key_Enter ? ", keypad Enter" : ", Return"));
        QSignalSpy sizing(find<QPushButton>(names::buttons.calculateSizing), &QPushButton::clicked);
        QSignalSpy diameter(find<QPushButton>(names::buttons.calculateDiameter), &QPushButton::clicked);
        auto* focus = find<QWidget>(focused);
        focus->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([focus] { return focus->hasFocus(); }, 1000));
        QTest::keyClick(focus, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QTest::qWait(20);
        EXPECT_EQ(sizing.count(), std::string_view(pressed) == names::buttons.calculateSizing ? 1 : 0);
        EXPECT_EQ(diameter.count(), std::string_view(pressed) == names::buttons.calculateDiameter ? 1 : 0);
    }
}

TEST_F(BearingWindowTest, BoxesAreAnnouncedByTheirLabels)
{
    const std::array<std::pair<const char*, const char*>, 10> names{{
        {names::inputs.load, "Радиальное усилие"},
        {names::inputs.frequency, "Частота вращения"},
        {names::inputs.materialList, "Материал подшипника"},
        {names::inputs.length, "Длина"},
        {names::results.minDiameter, "Минимальный диаметр"},
        {names::results.maxTemperature, "Максимальная температура"},
        {names::results.maxDiameterLine, "Максимальный диаметр"},
        {names::results.minLengthLine, "Минимальная длина"},
        {names::buttons.calculateDiameter, "Расчет минимального диаметра в зависимости от длины"},
        {names::buttons.calculateSizing, "Расчет характеристик подшипника"},
    }};
    for (const auto& [object, accessible] : names) {
        auto* widget = find<QWidget>(object);
        const QString announced = widget->accessibleName().isEmpty() ? qobject_cast<QPushButton*>(widget)->text()
                                                                     : widget->accessibleName();
        EXPECT_EQ(announced, QString::fromUtf8(accessible)) << object;
    }
}

// The copies shipped for screen scales 1 and 2 must be what the label would make of the
// whole drawing at that scale, pixel for pixel.
TEST_F(BearingWindowTest, ShowsTheSketchAsTheLabelWouldScaleTheWholeDrawing)
{
    const QImage drawing = QPixmap(QStringLiteral(":/sketch/bearing-sketch.gif")).toImage();
    ASSERT_EQ(drawing.size(), QSize(447, 613));
    auto* image = find<QLabel>(names::sketch);
    ASSERT_EQ(image->devicePixelRatioF(), 1.0);
    const QSize box = image->contentsRect().size();
    ASSERT_EQ(box, QSize(145, 185));

    const QImage shown = image->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, drawing.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    const QImage forScale2
        = QImage(QStringLiteral(":/sketch/bearing-sketch-scale2.pgm")).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(forScale2, drawing.scaled(2 * box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace
}  // namespace bearing::ui
