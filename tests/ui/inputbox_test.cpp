#include "inputbox.h"

#include "bearingwindow.h"
#include "bearingwindownames.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace bearing::ui {
namespace {

constexpr qsizetype longText = InputBox::longEditLength + 1000;

// One step of an edit: a standard key, or typed text when `typed` is set.
struct Step {
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
    const char* typed = nullptr;
};

struct EditCase {
    const char* name;
    qsizetype initialLength;  // of digits '3'
    bool selectAll;
    qsizetype clipboardLength;  // of digits '7'
    std::vector<Step> steps;
};

void PrintTo(const EditCase& editCase, std::ostream* out) { *out << editCase.name; }

struct Seen {
    QString text;
    int cursor = 0;
    QString clipboard;
    bool operator==(const Seen&) const = default;
};

void press(QLineEdit* edit, const Step& step)
{
    if (step.typed != nullptr) {
        QTest::keyClicks(edit, QString::fromLatin1(step.typed));
        return;
    }
    const QKeySequence sequence = QKeySequence::keyBindings(step.key).value(0);
    QTest::keySequence(edit, sequence);
}

// What the box shows after each step, starting from the case's text and clipboard.
std::vector<Seen> run(QLineEdit* edit, const EditCase& editCase)
{
    QGuiApplication::clipboard()->setText(QString(editCase.clipboardLength, QLatin1Char('7')));
    edit->setText(QString(editCase.initialLength, QLatin1Char('3')));
    edit->setCursorPosition(1);
    if (editCase.selectAll) {
        edit->selectAll();
    }
    std::vector<Seen> seen;
    for (const Step& step : editCase.steps) {
        press(edit, step);
        seen.push_back({edit->text(), edit->cursorPosition(), QGuiApplication::clipboard()->text()});
    }
    return seen;
}

class InputBoxEditTest : public testing::TestWithParam<EditCase> { };

// A box makes long edits its own way, but the user sees the line edit's behaviour:
// the same text, cursor and clipboard after every key, and Undo takes a long edit
// back as the line edit would.
TEST_P(InputBoxEditTest, EditsAndUndoesAsALineEditDoes)
{
    const EditCase& editCase = GetParam();
    for (const Step& step : editCase.steps) {
        if (step.typed == nullptr && QKeySequence::keyBindings(step.key).isEmpty()) {
            GTEST_SKIP() << "no key for this edit on this platform";
        }
    }
    QWidget window;
    auto* plain = new QLineEdit(&window);
    plain->setMaxLength(std::numeric_limits<int>::max());
    auto* box = new InputBox(&window);
    window.show();
    plain->setFocus();
    const std::vector<Seen> expected = run(plain, editCase);
    box->setFocus();
    const std::vector<Seen> seen = run(box, editCase);
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].text.size(), expected[i].text.size()) << "after step " << i;
        EXPECT_TRUE(seen[i] == expected[i])
            << "after step " << i << ": cursor " << seen[i].cursor << " instead of " << expected[i].cursor;
    }
}

constexpr Step undo{QKeySequence::Undo};

INSTANTIATE_TEST_SUITE_P(LongAndShortEdits, InputBoxEditTest,
    testing::Values(EditCase{"LongPasteIntoAShortText", 2, false, longText, {{QKeySequence::Paste}, undo}},
        EditCase{"ShortPasteOverALongText", longText, true, 2, {{QKeySequence::Paste}, undo}},
        EditCase{"TypingOverALongText", longText, true, 0, {{.typed = "1"}, undo, {.typed = "2"}}},
        EditCase{"BackspaceOnALongSelection", longText, true, 0, {{.typed = "\b"}, undo}},
        EditCase{"CutOfALongSelection", longText, true, 0, {{QKeySequence::Cut}, undo}},
        EditCase{"DeleteALongWordAfterTheCursor", longText, false, 0, {{QKeySequence::DeleteEndOfWord}, undo}},
        EditCase{"DeleteALongWord", longText, false, 0,
            {{QKeySequence::MoveToEndOfLine}, {QKeySequence::DeleteStartOfWord}, undo}},
        EditCase{"ShortEditsAfterALongPaste", 3, false, longText,
            {{QKeySequence::Paste}, {.typed = "45"}, undo, undo, {.typed = "6"}}},
        EditCase{"ShortTypingUndoneAsUsual", 3, false, 0, {{.typed = "12"}, undo, {.typed = "9"}}}),
    [](const testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

long residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    constexpr long mebibyte = 1024L * 1024L;
    return resident * sysconf(_SC_PAGESIZE) / mebibyte;
}

// Each paste of a megabyte over a megabyte would add some 32 MB of undo records to a
// line edit, none of it given back. A box holds what its text's layout needs, however
// many pastes it has taken, and gives that back when its text becomes short again.
// (bench/paste.sh pastes twenty times into each box, as a user through the X server.)
TEST(InputBoxMemoryTest, RepeatedMegabytePastesIntoEachBoxStayBoundedAndAreGivenBack)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
#endif
    BearingWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    const long startUp = residentMegabytes();
    QGuiApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('7')));
    for (const char* name : {names::inputs.load, names::inputs.frequency, names::inputs.length}) {
        auto* box = window.findChild<QLineEdit*>(QLatin1String(name));
        ASSERT_NE(box, nullptr);
        box->setFocus();
        for (int paste = 0; paste < 5; ++paste) {
            QTest::keySequence(box, QKeySequence::SelectAll);
            QTest::keySequence(box, QKeySequence::Paste);
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(box->text().size(), 1 << 20) << name;
        EXPECT_LE(residentMegabytes(), startUp + 64) << name << " holding a megabyte";
        QTest::keySequence(box, QKeySequence::SelectAll);
        QTest::keyClicks(box, QStringLiteral("1"));
        QCoreApplication::processEvents();
        EXPECT_EQ(box->text(), QStringLiteral("1"));
        EXPECT_LE(residentMegabytes(), startUp + 16) << name << " holding «1»";
    }
}

}  // namespace
}  // namespace bearing::ui
