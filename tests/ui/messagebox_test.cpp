#include "messagebox.h"

#include "messagecatcher.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace bearing::ui {
namespace {

TEST(MessageBox, ShowsEachKindOfLineBreakAsOneLineBreak)
{
    MessageCatcher catcher;
    showMessage(nullptr, QStringLiteral("a\r\n\r\nb\rc\nd\r"), QStringLiteral("Ошибка"), QMessageBox::Warning);
    ASSERT_EQ(catcher.messages().size(), 1);
    const CaughtMessage& shown = catcher.messages().front();
    EXPECT_EQ(shown.text.split(QLatin1Char('\n')), (QStringList{"a", "", "b", "c", "d", ""}));
    EXPECT_EQ(shown.title, QStringLiteral("Ошибка"));
    EXPECT_EQ(shown.icon, QMessageBox::Warning);
    EXPECT_EQ(shown.buttons, (QList<QMessageBox::StandardButton>{QMessageBox::Ok}));
}

}  // namespace
}  // namespace bearing::ui
