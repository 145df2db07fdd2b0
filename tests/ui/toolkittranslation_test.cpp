#include "toolkittranslation.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace bearing::ui {
namespace {

struct TranslationCase {
    const char* name;
    bool fromQtFolder;
    bool installed;
    std::vector<std::string> menuTexts;  // the right-click menu of a text box, shortcuts and separators left out
};

// Names the case in a failure's parameter line.
void PrintTo(const TranslationCase& row, std::ostream* out) { *out << row.name; }

class ToolkitTranslationTest : public testing::TestWithParam<TranslationCase> { };

// Right-clicks a text box as a user would and reads the menu that pops up.
std::vector<std::string> contextMenuTexts()
{
    QLineEdit edit;
    edit.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&edit));
    QContextMenuEvent click(QContextMenuEvent::Mouse, edit.rect().center(), edit.mapToGlobal(edit.rect().center()));
    QApplication::sendEvent(&edit, &click);
    EXPECT_TRUE(QTest::qWaitFor([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        return {};
    }
    std::vector<std::string> texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts.push_back(action->text().section(QLatin1Char('\t'), 0, 0).toStdString());
        }
    }
    menu->close();
    return texts;
}

TEST_P(ToolkitTranslationTest, TextBoxMenuIsRussianWhenQtsTranslationIsThereAndEnglishOtherwise)
{
    const TranslationCase& row = GetParam();
    const ToolkitTranslation translation(
        row.fromQtFolder ? ToolkitTranslation::qtTranslationsDirectory() : QStringLiteral("/nonexistent/translations"));
    EXPECT_EQ(translation.isInstalled(), row.installed);
    EXPECT_EQ(contextMenuTexts(), row.menuTexts);
}

INSTANTIATE_TEST_SUITE_P(Folders, ToolkitTranslationTest,
    testing::Values(TranslationCase{"QtFolder", true, true,
                        std::vector<std::string>{"&Отменить действие", "&Повторить действие", "&Вырезать",
                            "&Копировать", "В&ставить", "Удалить", "Выделить всё"}},
        TranslationCase{"MissingFolder", false, false,
            std::vector<std::string>{"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"}}),
    [](const testing::TestParamInfo<TranslationCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bearing::ui
