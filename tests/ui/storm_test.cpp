// A storm of random user actions on the whole program: menu choices, list selections by
// mouse and keys, hostile texts typed or pasted into the inputs, button presses, child
// windows restored, minimised and closed. After every action the program must still
// turn its event loop, show exactly the window the menu chose, keep what each window
// holds, show only well-formed results, and show what the calculation core gives for
// the same inputs.
//
// The run is reproducible from its seed, printed at the start; STORM_SEED and
// STORM_ACTIONS replace the seed and the number of actions for a longer run. The test
// suite runs a fixed seed; scripts/sanitize runs a fresh seed each time and prints the
// command that replays it.

#include "mainframe.h"

#include "bearingwindownames.h"
#include "materialcatalogue.h"
#include "messagecatcher.h"
#include "numberform.h"
#include "numbertext.h"
#include "press.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <deque>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::ui {
namespace {

constexpr std::uint32_t defaultSeed = 20261207;
constexpr int defaultActions = 5000;
constexpr int megabyte = 1 << 20;
// An action that keeps the event loop from turning for this long counts as a hang. It
// is a bound for a hang, not for speed: the slowest action (a megabyte pasted) takes
// a few seconds at most under the sanitizers on a loaded two-core machine, and every
// run prints its slowest action.
constexpr int responsiveMilliseconds = 60000;

const QStringList inputNames{names::inputs.load, names::inputs.frequency, names::inputs.length};
const QStringList bearingTextNames{names::inputs.load, names::inputs.frequency, names::inputs.length,
    names::results.maxDiameterLine, names::results.minLengthLine, names::results.maxTemperature,
    names::results.minDiameter};
const QStringList materialsListNames{"List1(0)", "List1(1)", "List1(2)", "List1(3)", "List1(4)"};

// Seeds take the whole unsigned 32-bit range, as scripts/sanitize draws them.
std::uint32_t environmentNumber(const char* name, std::uint32_t fallback)
{
    bool ok = false;
    const uint value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

QMdiSubWindow* subWindowOf(const QWidget* window)
{
    return window == nullptr ? nullptr : qobject_cast<QMdiSubWindow*>(window->parentWidget());
}

bool shownMaximised(const QWidget* window)
{
    const QMdiSubWindow* child = subWindowOf(window);
    return child != nullptr && child->isVisible() && child->isMaximized() && !child->isMinimized();
}

std::string describe(const QMdiSubWindow* child)
{
    if (child == nullptr) {
        return "no window";
    }
    return std::string(child->isVisible() ? "visible" : "hidden") + (child->isMaximized() ? ", maximised" : "")
        + (child->isMinimized() ? ", minimised" : "");
}

int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

std::string normalisedLineBreaks(std::string text)
{
    for (std::size_t at = 0; (at = text.find('\r', at)) != std::string::npos;) {
        const bool pair = at + 1 < text.size() && text[at + 1] == '\n';
        text.replace(at, pair ? 2 : 1, "\n");
        ++at;
    }
    return text;
}

// What a user can see of each child window and must find unchanged after a visit to
// the other one: every text box, the list selections and the result frame's caption.
struct Contents {
    QStringList texts;
    std::vector<int> selections;
    QString caption;

    bool operator==(const Contents&) const = default;
};

// Texts that users type or paste when they do not mean well, alongside ordinary ones.
class HostileTexts {
public:
    explicit HostileTexts(std::mt19937& random)
        : random_(random)
    {
    }

    QString next()
    {
        switch (below(16)) {
        case 0: return QStringLiteral("1e") + QString::number(between(30, 400));
        case 1: return QStringLiteral("1e-") + QString::number(between(30, 400));
        case 2:
            return pick({"1e39", "-1e39", "3.4028235e38", "3.4028236e38", "1.4e-45", "1e-46", "-0", "0",
                "1.7976931348623157e308", "1e" + QString(5000, '9'), "0e" + QString(5000, '9')});
        case 3: return controlCharacters();
        case 4:
            return pick({"пять тысяч", "ААА", "Бронза БрО10Ф1", "５０００", "٣٠٠", "300 об/мин", "12,5 мм",
                QStringLiteral("\u00a0") + "500", "ё1"});
        case 5: return radixForm();
        case 6:
            return pick({"", " ", "\t", "nan", "NaN", "inf", "-Infinity", "1e", "--5", "+.e5", ".", "&", "&H", "&O",
                "1D308", "2d-320", "1 500", "5.24", "5.2", "5,2", "0.05"});
        case 7: return unpairedSurrogates();
        default: return ordinaryNumber();
        }
    }

    // A megabyte of digits, now and then with a point or an exponent in it.
    QString megabyteOfDigits()
    {
        QString digits(megabyte, QChar(u'0' + between(1, 9)));
        if (below(2) == 0) {
            digits[between(0, megabyte - 1)] = QLatin1Char('.');
        }
        if (below(2) == 0) {
            digits.append(QStringLiteral("e-") + QString::number(megabyte - between(0, 400)));
        }
        return digits;
    }

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    QString pick(std::initializer_list<QString> texts)
    {
        return *(texts.begin() + below(static_cast<int>(texts.size())));
    }

    QString ordinaryNumber()
    {
        switch (below(4)) {
        case 0: return QString::number(between(0, 100000));
        case 1: return QString::number(between(1, 99999)) + QLatin1Char('.') + QString::number(between(0, 99));
        case 2: return QString::number(between(1, 9)) + QStringLiteral("E") + QString::number(between(-3, 6));
        default: return QString::number(between(1, 2000));
        }
    }

    QString controlCharacters()
    {
        QString text;
        for (int i = between(1, 12); i > 0; --i) {
            text.append(below(2) == 0 ? QChar(between(0, 31)) : QChar('0' + between(0, 9)));
        }
        return text;
    }

    QString radixForm()
    {
        const bool hex = below(2) == 0;
        const QString digits = hex ? QStringLiteral("0123456789ABCDEFabcdefG") : QStringLiteral("012345678");
        QString text = hex ? pick({"&H", "&h"}) : pick({"&O", "&o"});
        for (int i = between(0, below(5) == 0 ? 300 : 12); i > 0; --i) {
            text.append(digits[below(static_cast<int>(digits.size()))]);
        }
        return text;
    }

    QString unpairedSurrogates()
    {
        QString text = ordinaryNumber();
        text.insert(below(static_cast<int>(text.size()) + 1), QChar(static_cast<char16_t>(between(0xD800, 0xDFFF))));
        return text;
    }

    std::mt19937& random_;
};

class Storm : public testing::Test {
protected:
    void SetUp() override
    {
        frame_.startUp();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame_));
        expected_[bearingIndex] = contents(bearingWindow());
        expected_[materialsIndex] = contents(materialsWindow());
    }

    void TearDown() override
    {
        if (HasFailure()) {
            std::cout << "storm: the last actions, oldest first:\n";
            for (const std::string& action : recent_) {
                std::cout << "  " << action << '\n';
            }
        }
    }

    static constexpr std::size_t bearingIndex = 0;
    static constexpr std::size_t materialsIndex = 1;

    [[nodiscard]] QWidget* bearingWindow() const { return frame_.findChild<QWidget*>(QLatin1String(names::window)); }
    [[nodiscard]] QWidget* materialsWindow() const { return frame_.findChild<QWidget*>(QStringLiteral("Form3")); }
    [[nodiscard]] QAction* action(const char* name) const { return frame_.findChild<QAction*>(QLatin1String(name)); }

    template <typename T> [[nodiscard]] static T* control(const QWidget* window, const QString& name)
    {
        return window == nullptr ? nullptr : window->findChild<T*>(name);
    }

    [[nodiscard]] static Contents contents(const QWidget* window)
    {
        Contents seen;
        if (window == nullptr) {
            return seen;
        }
        if (window->objectName() == QLatin1String(names::window)) {
            for (const QString& name : bearingTextNames) {
                seen.texts.append(control<QLineEdit>(window, name)->text());
            }
            seen.selections.push_back(selectedRow(control<QListWidget>(window, names::inputs.materialList)));
            seen.caption = control<QGroupBox>(window, names::results.frame)->title();
        } else {
            for (const QString& name : materialsListNames) {
                seen.selections.push_back(selectedRow(control<QListWidget>(window, name)));
            }
        }
        return seen;
    }

    // --- the user's actions ---------------------------------------------------------

    enum class Window { Bearing, Materials };

    void chooseFromMenu(Window window)
    {
        const bool bearing = window == Window::Bearing;
        QAction* item = action(bearing ? "bear" : "mater");
        auto* menu = frame_.findChild<QMenu*>(QLatin1String(bearing ? "calk" : "sprav"));
        QMenuBar* bar = frame_.menuBar();
        const int way = texts_.below(3);
        switch (way) {
        case 0: item->trigger(); break;
        case 1:
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
            break;
        default:
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
            break;
        }
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }));
        chosen_ = window;
        record(
            "menu choice", item->objectName() + QStringLiteral(" by ") + QStringList{"trigger", "mouse", "keys"}[way]);
    }

    void showAbout()
    {
        QMenuBar* bar = frame_.menuBar();
        const std::size_t before = catcher_.messages().size();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action("help")).center());
        ASSERT_EQ(catcher_.messages().size(), before + 1) << "the About message did not open and close";
        EXPECT_EQ(catcher_.messages().back().title, QStringLiteral("О программе"));
        record("about");
    }

    // The user restores, minimises or closes the child window on show.
    void handleChildWindow()
    {
        QWidget* window = chosen_ == Window::Bearing ? bearingWindow() : materialsWindow();
        QMdiSubWindow* child = subWindowOf(window);
        if (child == nullptr || !child->isVisible()) {
            return;
        }
        switch (texts_.below(8)) {
        case 0:
            child->close();
            // Closing destroys the window: the next menu choice that touches it builds it afresh.
            expected_[chosen_ == Window::Bearing ? bearingIndex : materialsIndex].reset();
            if (chosen_ == Window::Bearing) {
                shadowState_ = SizingState{};
            }
            record("child closed", window->objectName());
            break;
        case 1:
        case 2:
        case 3:
            child->showMinimized();
            record("child minimised", window->objectName());
            break;
        default:
            child->showNormal();
            record("child restored", window->objectName());
            break;
        }
    }

    void selectInList(QListWidget* list)
    {
        if (list == nullptr || !list->isVisible()) {
            record("skipped: control not on show");
            return;
        }
        const int row = texts_.below(list->count());
        switch (texts_.below(4)) {
        case 0: {
            QListWidgetItem* item = list->item(row);
            list->scrollToItem(item);
            const Qt::KeyboardModifiers modifiers = texts_.below(6) == 0 ? Qt::ControlModifier : Qt::NoModifier;
            QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(item).center());
            record("list click", list->objectName() + QStringLiteral(" row ") + QString::number(row));
            break;
        }
        default: {
            static constexpr std::array keys{
                Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End, Qt::Key_Space};
            list->setFocus();
            QTest::keyClick(list, keys[static_cast<std::size_t>(texts_.below(static_cast<int>(keys.size())))]);
            record("list key", list->objectName());
            break;
        }
        }
    }

    void enterText(QLineEdit* box)
    {
        if (box == nullptr || !box->isVisible()) {
            record("skipped: control not on show");
            return;
        }
        const bool huge = texts_.below(60) == 0;
        const QString text = huge ? texts_.megabyteOfDigits() : texts_.next();
        const bool append = texts_.below(5) == 0;
        const QString old = box->text();
        box->setFocus();
        QTest::keyClick(box, append ? Qt::Key_End : Qt::Key_A, append ? Qt::NoModifier : Qt::ControlModifier);
        const QString before = append ? old : QString();
        if (!huge && text.size() <= 40 && texts_.below(2) == 0) {
            const QString typed = type(box, text);
            // Nothing typed over a selection leaves the old text standing.
            EXPECT_EQ(box->text(), typed.isEmpty() ? old : before + typed) << "typed text must arrive";
            record("text typed", box->objectName() + QStringLiteral(" <- ") + typed);
        } else {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            record(huge ? "megabyte pasted" : "text pasted", box->objectName() + QStringLiteral(" <- ") + text);
            EXPECT_EQ(box->text(), before + text) << "pasted text must arrive whole";
        }
    }

    // Printable text arrives key by key; what a keyboard cannot type is left out.
    static QString type(QLineEdit* box, const QString& text)
    {
        QString typed;
        for (const QChar c : text) {
            if (!c.isPrint() || c.isSurrogate()) {
                continue;
            }
            typed.append(c);
            if (c.unicode() < 0x80) {
                QTest::keyClicks(box, QString(c));
            } else {
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), QString(c), {});
            }
        }
        return typed;
    }

    void pressButton(const QString& name)
    {
        QWidget* window = bearingWindow();
        auto* button = control<QPushButton>(window, name);
        if (button == nullptr || !button->isVisible()) {
            record("skipped: control not on show");
            return;
        }
        const bool forLength = name == names::buttons.calculateDiameter;
        const std::size_t before = catcher_.messages().size();
        const Contents shownBefore = contents(window);
        if (texts_.below(3) == 0) {
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
        } else {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        record(forLength ? "length button" : "sizing button",
            QString::number(catcher_.messages().size() - before) + QStringLiteral(" messages"));
        messagesShown_ += static_cast<int>(catcher_.messages().size() - before);
        checkAgainstCore(window, shownBefore, forLength, before);
    }

    // The same press, made on the core with a state of its own that has seen every press
    // before it and replayed on the results on show before it: the window must show
    // what the core gives.
    void checkAgainstCore(const QWidget* window, const Contents& before, bool forLength, std::size_t firstMessage)
    {
        const QList<QListWidgetItem*> selected
            = control<QListWidget>(window, names::inputs.materialList)->selectedItems();
        const std::string material = selected.isEmpty() ? std::string() : selected.front()->text().toStdString();
        const std::string load = control<QLineEdit>(window, names::inputs.load)->text().toStdString();
        const std::string frequency = control<QLineEdit>(window, names::inputs.frequency)->text().toStdString();
        const std::string length = control<QLineEdit>(window, names::inputs.length)->text().toStdString();
        const PressInput input{.material = material, .load = load, .frequency = frequency, .length = length};
        const PressResult press = forLength ? pressDiameterForLength(catalogue_, input, shadowState_, decimalSeparator_)
                                            : pressSizing(catalogue_, input, shadowState_);
        shadowState_ = press.state;

        // The results on show before the press stay unless the press sets them.
        std::map<Control, std::string> results{{Control::MaxDiameterLine, before.texts[3].toStdString()},
            {Control::MinLengthLine, before.texts[4].toStdString()},
            {Control::MinDiameterOnLength, before.texts[6].toStdString()}};
        std::vector<std::string> expected;
        for (const ShownEvent& event : press.events) {
            if (event.kind == ShownEvent::Kind::TextSet) {
                results[event.control] = event.text;
            } else {
                expected.push_back(normalisedLineBreaks(event.text));
            }
        }
        for (const auto& [name, box] :
            std::array<std::pair<QString, Control>, 3>{{{names::results.maxDiameterLine, Control::MaxDiameterLine},
                {names::results.minLengthLine, Control::MinLengthLine},
                {names::results.minDiameter, Control::MinDiameterOnLength}}}) {
            EXPECT_EQ(control<QLineEdit>(window, name)->text().toStdString(), results[box]) << name.toStdString();
        }
        std::vector<std::string> shown;
        for (auto i = static_cast<qsizetype>(firstMessage); i < catcher_.messages().size(); ++i) {
            shown.push_back(catcher_.messages()[i].text.toStdString());
        }
        EXPECT_EQ(shown, expected) << "the messages of the press";
    }

    // --- the checks after every action ---------------------------------------------

    void checkResponsive()
    {
        bool turned = false;
        QTimer::singleShot(0, &frame_, [&turned] { turned = true; });
        QElapsedTimer waited;
        waited.start();
        while (!turned && waited.elapsed() < responsiveMilliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        ASSERT_TRUE(turned) << "the event loop stopped turning";
        // Windows that the user closed go now, as they would on the program's next turn.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr) << "a modal window stayed open";
    }

    void checkWindows()
    {
        int visible = 0;
        std::string children;
        for (const QMdiSubWindow* child : frame_.findChild<QMdiArea*>()->subWindowList()) {
            visible += child->isVisible() ? 1 : 0;
            children += " [" + child->widget()->objectName().toStdString() + ": " + describe(child) + "]";
        }
        ASSERT_LE(visible, 1) << "both child windows are on show:" << children;
        const std::array<QWidget*, 2> windows{bearingWindow(), materialsWindow()};
        for (const std::size_t i : {bearingIndex, materialsIndex}) {
            if (windows[i] != nullptr && !expected_[i]) {
                // Built afresh after a close: empty boxes, nothing selected.
                const Contents fresh = contents(windows[i]);
                for (const QString& text : fresh.texts) {
                    EXPECT_TRUE(text.isEmpty()) << "a rebuilt window starts empty";
                }
                for (const int row : fresh.selections) {
                    EXPECT_EQ(row, -1) << "a rebuilt window starts with nothing selected";
                }
                expected_[i] = fresh;
            }
        }
    }

    void checkChosenWindowShown()
    {
        QWidget* shown = chosen_ == Window::Bearing ? bearingWindow() : materialsWindow();
        QWidget* hidden = chosen_ == Window::Bearing ? materialsWindow() : bearingWindow();
        ASSERT_TRUE(shownMaximised(shown))
            << "the chosen window is not shown maximised: " << describe(subWindowOf(shown));
        ASSERT_TRUE(subWindowOf(hidden) == nullptr || subWindowOf(hidden)->isHidden()) << "the other window shows";
    }

    // Everything except `touched` must hold what it held before the action.
    void checkKept(std::optional<std::size_t> touched)
    {
        const std::array<const QWidget*, 2> windows{bearingWindow(), materialsWindow()};
        for (const std::size_t i : {bearingIndex, materialsIndex}) {
            if (windows[i] == nullptr) {
                continue;
            }
            const Contents now = contents(windows[i]);
            if (touched != i && expected_[i]) {
                EXPECT_EQ(now.texts, expected_[i]->texts) << "window " << i << " lost its texts";
                EXPECT_EQ(now.selections, expected_[i]->selections) << "window " << i << " lost its selection";
                EXPECT_EQ(now.caption, expected_[i]->caption) << "window " << i << " lost its caption";
            }
            expected_[i] = now;
        }
    }

    void checkBearingResults() const
    {
        const QWidget* window = bearingWindow();
        if (window == nullptr) {
            return;
        }
        const auto text = [window](const char* name) {
            return control<QLineEdit>(window, QLatin1String(name))->text().toStdString();
        };
        const auto line = [](const std::string& shown, std::string_view caption, int digits) {
            constexpr std::string_view unit = " мм";
            return shown.empty()
                || (shown.starts_with(caption) && shown.ends_with(unit)
                    && check::isResultLineNumber(
                        std::string_view(shown).substr(caption.size(), shown.size() - caption.size() - unit.size()),
                        digits));
        };
        EXPECT_TRUE(line(text(names::results.maxDiameterLine), "максимальный диаметр =", 7))
            << text(names::results.maxDiameterLine);
        EXPECT_TRUE(line(text(names::results.minLengthLine), "минимальная длина =", 15))
            << text(names::results.minLengthLine);
        const std::string diameter = text(names::results.minDiameter);
        EXPECT_TRUE(diameter.empty() || check::isBareNumber(diameter, decimalSeparator_, 15)) << diameter;

        // The maximum temperature belongs to the selected item, whatever it is.
        const QList<QListWidgetItem*> selected
            = control<QListWidget>(window, names::inputs.materialList)->selectedItems();
        const std::int16_t row
            = catalogue_.findMaterial(selected.isEmpty() ? std::string() : selected.front()->text().toStdString());
        EXPECT_EQ(text(names::results.maxTemperature),
            row == MaterialCatalogue::noMaterial ? std::string()
                                                 : formatTextBoxNumber(catalogue_.row(row).maxTemperature));
        for (const QString& name : bearingTextNames) {
            if (!inputNames.contains(name)) {
                EXPECT_FALSE(check::mentionsNonNumber(text(name.toLatin1().constData()))) << name.toStdString();
            }
        }
    }

    void checkMaterialsInStep() const
    {
        const QWidget* window = materialsWindow();
        if (window == nullptr) {
            return;
        }
        const int names = selectedRow(control<QListWidget>(window, materialsListNames.front()));
        for (const QString& name : materialsListNames) {
            EXPECT_EQ(selectedRow(control<QListWidget>(window, name)), names) << name.toStdString();
        }
    }

    MainFrame frame_;
    MessageCatcher catcher_;
    std::mt19937 random_{environmentNumber("STORM_SEED", defaultSeed)};
    HostileTexts texts_{random_};
    Window chosen_ = Window::Bearing;
    std::array<std::optional<Contents>, 2> expected_;
    MaterialCatalogue catalogue_{CatalogueVariant::BearingWindow};
    std::string decimalSeparator_ = QLocale().decimalPoint().toStdString();

    // What the bearing window remembers, as the core's presses give it: fresh with
    // every window built afresh.
    SizingState shadowState_;

    // Counts each kind of action, and keeps the latest ones to tell what led to a failure.
    void record(const std::string& what, const QString& detail = {})
    {
        ++counts_[what];
        if (what.starts_with("skipped")) {
            return;
        }
        std::string children;
        for (const QMdiSubWindow* child : frame_.findChild<QMdiArea*>()->subWindowList()) {
            children += "[" + child->widget()->objectName().toStdString() + ": " + describe(child) + "] ";
        }
        recent_.push_back(children + what + (detail.isEmpty() ? std::string() : ": " + detail.left(60).toStdString()));
        if (recent_.size() > 20) {
            recent_.pop_front();
        }
    }

    std::map<std::string, int> counts_;
    std::deque<std::string> recent_;
    int messagesShown_ = 0;
};

TEST_F(Storm, ThousandsOfRandomUserActionsLeaveTheProgramWholeAndResponsive)
{
    const std::uint32_t seed = environmentNumber("STORM_SEED", defaultSeed);
    const auto actions = static_cast<int>(environmentNumber("STORM_ACTIONS", defaultActions));
    std::cout << "storm: seed " << seed << ", " << actions << " actions\n";
    RecordProperty("seed", std::to_string(seed));

    QElapsedTimer clock;
    clock.start();
    qint64 slowest = 0;
    std::string slowestAction;
    for (int step = 0; step < actions && !HasFailure(); ++step) {
        SCOPED_TRACE(testing::Message() << "action " << step << " of seed " << seed);
        QElapsedTimer actionClock;
        actionClock.start();
        const int kind = texts_.below(100);
        std::optional<std::size_t> touched;
        bool menuChoice = false;
        if (kind < 8) {
            ASSERT_NO_FATAL_FAILURE(chooseFromMenu(texts_.below(2) == 0 ? Window::Bearing : Window::Materials));
            menuChoice = true;
        } else if (kind < 9) {
            ASSERT_NO_FATAL_FAILURE(showAbout());
        } else if (kind < 11) {
            handleChildWindow();
        } else if (subWindowOf(materialsWindow()) != nullptr && subWindowOf(materialsWindow())->isVisible()) {
            touched = materialsIndex;
            selectInList(control<QListWidget>(materialsWindow(), materialsListNames[texts_.below(5)]));
        } else if (kind < 30) {
            touched = bearingIndex;
            selectInList(control<QListWidget>(bearingWindow(), names::inputs.materialList));
        } else if (kind < 70) {
            touched = bearingIndex;
            enterText(control<QLineEdit>(bearingWindow(), inputNames[texts_.below(3)]));
        } else {
            touched = bearingIndex;
            pressButton(texts_.below(2) == 0 ? names::buttons.calculateSizing : names::buttons.calculateDiameter);
        }

        ASSERT_NO_FATAL_FAILURE(checkResponsive());
        ASSERT_NO_FATAL_FAILURE(checkWindows());
        if (menuChoice) {
            ASSERT_NO_FATAL_FAILURE(checkChosenWindowShown());
        }
        checkKept(touched);
        checkBearingResults();
        checkMaterialsInStep();
        if (actionClock.elapsed() > slowest) {
            slowest = actionClock.elapsed();
            slowestAction
                = "action " + std::to_string(step) + (recent_.empty() ? std::string() : ": " + recent_.back());
        }
    }

    std::cout << "storm: " << actions << " actions in " << clock.elapsed() << " ms, slowest " << slowest << " ms ("
              << slowestAction << "), " << messagesShown_ << " calculation messages closed\n";
    for (const auto& [what, count] : counts_) {
        std::cout << "  " << what << ": " << count << '\n';
    }
}

// A user's session lets the event loop turn between the two menu choices; a test that
// does not sees the window still looking maximised and misses the fault.
TEST_F(Storm, ChoosingAMinimisedWindowMaximisesItOnceTheEventLoopHasTurned)
{
    for (const Window window : {Window::Bearing, Window::Materials}) {
        const bool bearing = window == Window::Bearing;
        SCOPED_TRACE(bearing ? "bearing window" : "materials window");
        action(bearing ? "bear" : "mater")->trigger();
        QMdiSubWindow* child = subWindowOf(bearing ? bearingWindow() : materialsWindow());
        ASSERT_NE(child, nullptr);
        child->showMinimized();
        ASSERT_NO_FATAL_FAILURE(checkResponsive());
        action(bearing ? "bear" : "mater")->trigger();
        ASSERT_NO_FATAL_FAILURE(checkResponsive());
        chosen_ = window;
        ASSERT_NO_FATAL_FAILURE(checkChosenWindowShown());
    }
}

}  // namespace
}  // namespace bearing::ui
