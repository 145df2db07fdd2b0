// The command line against the real bearing window: for thousands of generated cases
// (random materials, loads, frequencies and lengths, hostile texts among them) the window
// is given the same texts and its button pressed, and it must show what the command line
// reports, event for event: the same result texts changing in the same order, and the
// same messages, with their titles and icons, between them. A text box signals no change
// when it is set to the text it holds, so from the command line's events only those that
// change a text on a window whose results start empty are expected. The decimal
// separator the command line takes from the environment must also be the window's, here
// and for every locale the toolkit knows.
//
// DIFFERENTIAL_SEED and DIFFERENTIAL_CASES replace the seed and the number of cases.

#include "bearingwindow.h"
#include "bearingwindownames.h"
#include "decimalseparator.h"
#include "materialchoice.h"
#include "messagecatcher.h"
#include "resultwriter.h"
#include "sizingcase.h"
#include "terminaltext.h"

#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace bearing::cli {
namespace {

namespace names = ui::names;

constexpr std::uint32_t defaultSeed = 13;
constexpr int defaultCases = 2000;

int environmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// The item of the bearing window's list that shows a catalogue row.
int listItemOf(int row)
{
    for (std::size_t i = 0; i < materialListItems.size(); ++i) {
        if (materialListItems[i].row == row) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

class CaseTextGenerator {
public:
    explicit CaseTextGenerator(std::uint32_t seed)
        : random_(seed)
    {
    }

    CaseTexts next()
    {
        CaseTexts texts;
        texts.load = number({0, 100000}, below(4) == 0 ? 1e7 : 0);
        texts.frequency = number({0, 5000}, below(6) == 0 ? 2e6 : 0);
        if (below(3) != 0) {
            texts.length = number({0, 400}, 0);
        }
        return texts;
    }

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

private:
    // An ordinary number within `range`, now and then a huge one, or a hostile text.
    std::string number(std::pair<int, int> range, double huge)
    {
        if (huge > 0) {
            return std::to_string(std::uniform_real_distribution<double>(0, huge)(random_));
        }
        switch (below(10)) {
        case 0: return hostile();
        case 1:
            return std::to_string(std::uniform_int_distribution<int>(range.first, range.second)(random_)) + "."
                + std::to_string(below(100));
        case 2: return std::to_string(1 + below(9)) + (below(2) == 0 ? "E" : "d") + std::to_string(below(9) - 3);
        default: return std::to_string(std::uniform_int_distribution<int>(range.first, range.second)(random_));
        }
    }

    std::string hostile()
    {
        static const std::array<std::string, 36> texts{"", " ", "-5", "-0", "0", "1,5", "1 500", " 12", "12abc", "abc",
            ".5", "+.e5", "1e", "--5", "&H1F", "&hFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "&O17", "&", "1e39",
            "-1e39", "3.4028235e38", "3.4028236e38", "1.4e-45", "1e-46", "1e400", "1e-400", "nan", "inf",
            "1.7976931348623157e308", "пять тысяч", "５０００", "300 об/мин", "\t7\t", "5.24", "5.2", "0.05"};
        return texts.at(static_cast<std::size_t>(below(static_cast<int>(texts.size()))));
    }

    std::mt19937 random_;
};

// One change a user sees: a result text changing, or a message box.
struct Seen {
    ShownEvent::Kind kind = ShownEvent::Kind::TextSet;
    Control control = Control::MaxDiameterLine;  // the control whose text changed
    std::string text;                            // its new text, or the message as the box shows it
    std::string title;
    MessageIcon icon = MessageIcon::Warning;

    bool operator==(const Seen&) const = default;
};

// The changes that the command line's events make on a window whose results start empty.
std::vector<Seen> changesOf(const std::vector<ShownEvent>& events)
{
    std::array<std::string, 3> held;
    std::vector<Seen> changes;
    for (const ShownEvent& event : events) {
        if (event.kind == ShownEvent::Kind::Message) {
            changes.push_back(
                {event.kind, event.control, withLineFeeds(event.text), std::string(event.title), event.icon});
            continue;
        }
        std::string& text = held.at(static_cast<std::size_t>(event.control));
        if (text != event.text) {
            text = event.text;
            changes.push_back({event.kind, event.control, text, {}, MessageIcon::Warning});
        }
    }
    return changes;
}

std::string describe(const std::vector<Seen>& events)
{
    std::string text;
    for (const Seen& event : events) {
        text += event.kind == ShownEvent::Kind::Message
            ? "  message «" + event.title + "» (" + (event.icon == MessageIcon::Warning ? "warning" : "information")
                + "): "
            : "  text " + std::to_string(static_cast<int>(event.control)) + ": ";
        text += event.text + "\n";
    }
    return text;
}

class Differential : public testing::Test {
protected:
    void SetUp() override
    {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        for (const auto& box : std::array<std::pair<const char*, Control>, 3>{{
                 {names::results.maxDiameterLine, Control::MaxDiameterLine},
                 {names::results.minLengthLine, Control::MinLengthLine},
                 {names::results.minDiameter, Control::MinDiameterOnLength},
             }}) {
            const Control control = box.second;
            auto* edit = window_.findChild<QLineEdit*>(QLatin1String(box.first));
            QObject::connect(edit, &QLineEdit::textChanged, [this, control](const QString& text) {
                takeMessages();
                if (recording_) {
                    seen_.push_back({ShownEvent::Kind::TextSet, control, text.toStdString(), {}, MessageIcon::Warning});
                }
            });
        }
    }

    // What the window shows for `texts` on material `row`, starting from empty results.
    std::vector<Seen> pressInWindow(int row, const CaseTexts& texts)
    {
        auto* list = window_.findChild<QListWidget*>(QLatin1String(names::inputs.materialList));
        list->clearSelection();
        list->setCurrentRow(listItemOf(row));
        window_.findChild<QLineEdit*>(QLatin1String(names::results.minDiameter))->clear();
        window_.findChild<QLineEdit*>(QLatin1String(names::inputs.load))->setText(QString::fromStdString(texts.load));
        window_.findChild<QLineEdit*>(QLatin1String(names::inputs.frequency))
            ->setText(QString::fromStdString(texts.frequency));
        window_.findChild<QLineEdit*>(QLatin1String(names::inputs.length))
            ->setText(QString::fromStdString(texts.length.value_or(std::string())));

        seen_.clear();
        taken_ = catcher_.messages().size();
        recording_ = true;
        auto* button = window_.findChild<QPushButton*>(texts.length ? QLatin1String(names::buttons.calculateDiameter)
                                                                    : QLatin1String(names::buttons.calculateSizing));
        QTest::mouseClick(button, Qt::LeftButton);
        takeMessages();
        recording_ = false;
        return seen_;
    }

    void takeMessages()
    {
        for (; taken_ < catcher_.messages().size(); ++taken_) {
            if (recording_) {
                const ui::CaughtMessage& message = catcher_.messages()[taken_];
                seen_.push_back({ShownEvent::Kind::Message, Control::MaxDiameterLine, message.text.toStdString(),
                    message.title.toStdString(),
                    message.icon == QMessageBox::Warning ? MessageIcon::Warning : MessageIcon::Information});
            }
        }
    }

    ui::BearingWindow window_;
    ui::MessageCatcher catcher_;
    std::vector<Seen> seen_;
    qsizetype taken_ = 0;
    bool recording_ = false;
};

TEST_F(Differential, CommandLineShowsWhatTheWindowShowsForTheSameTexts)
{
    const auto seed = static_cast<std::uint32_t>(environmentNumber("DIFFERENTIAL_SEED", defaultSeed));
    const int count = environmentNumber("DIFFERENTIAL_CASES", defaultCases);
    const std::string separator = decimalSeparatorFromEnvironment();
    const MaterialCatalogue catalogue(CatalogueVariant::BearingWindow);
    CaseTextGenerator generator(seed);
    int messages = 0;
    int lengths = 0;
    for (int i = 0; i < count && !HasFailure(); ++i) {
        const int row = generator.below(MaterialCatalogue::rowCount);
        const CaseTexts texts = generator.next();
        const CaseOutcome outcome = evaluateCase(catalogue, row, texts, separator);
        // The message box shows line breaks as the toolkit draws them.
        const std::vector<Seen> expected = changesOf(outcome.events);
        messages += static_cast<int>(outcome.messages.size());
        lengths += texts.length ? 1 : 0;
        const std::vector<Seen> shown = pressInWindow(row, texts);
        EXPECT_EQ(shown, expected) << "case " << i << " of seed " << seed << ": row " << row << ", load «" << texts.load
                                   << "», frequency «" << texts.frequency << "», length «"
                                   << texts.length.value_or("(none)") << "»\nwindow:\n"
                                   << describe(shown) << "command line:\n"
                                   << describe(expected);
    }
    std::cout << "differential: " << count << " cases of seed " << seed << ", " << lengths << " with a length, "
              << messages << " messages\n";
}

TEST(DecimalSeparator, IsTheOneTheWindowsTakeFromTheSameLocale)
{
    EXPECT_EQ(decimalSeparatorFromEnvironment(), QLocale().decimalPoint().toStdString());

    struct Case {
        const char* lcAll;
        const char* lcNumeric;
        const char* lang;
        const char* name;
    };
    for (const Case& c : {Case{"ru_RU.UTF-8", "C", "C", "ru_RU.UTF-8"}, Case{"", "de_DE", "C", "de_DE"},
             Case{nullptr, nullptr, "fr_FR.UTF-8", "fr_FR.UTF-8"}, Case{nullptr, "", "", "C"}}) {
        EXPECT_EQ(numericLocaleName(c.lcAll, c.lcNumeric, c.lang), c.name);
    }

    std::vector<std::string> names{
        "C", "POSIX", "C.UTF-8", "ru_RU.UTF-8", "ru", "sr_RS@latin", "en_US.ISO-8859-1", "xx_YY"};
    for (const QLocale& locale :
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        names.push_back(locale.name().toStdString() + ".UTF-8");
    }
    // The toolkit carries an older release of the locale data than ICU; these three
    // minority languages changed their separator between the two.
    const std::vector<std::string> olderData{"cv_RU.UTF-8", "nds_DE.UTF-8", "nds_NL.UTF-8"};
    int differ = 0;
    for (const std::string& name : names) {
        const std::string toolkit = QLocale(QString::fromStdString(name)).decimalPoint().toStdString();
        if (decimalSeparatorOf(name) != toolkit) {
            ++differ;
            EXPECT_TRUE(differ > 10 || std::find(olderData.begin(), olderData.end(), name) != olderData.end())
                << name << ": command line «" << decimalSeparatorOf(name) << "», windows «" << toolkit << "»";
        }
    }
    EXPECT_LE(differ, static_cast<int>(olderData.size()));
    std::cout << "decimal separator: " << names.size() << " locale names, " << differ << " differ\n";
}

}  // namespace
}  // namespace bearing::cli
