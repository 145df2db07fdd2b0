#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace bearing::ui {

// A modal message with one OK button. The program's texts keep their own line breaks
// (CR LF, or a lone CR); they become line breaks on screen here, whatever the style.
void showMessage(QWidget* parent, const QString& text, const QString& title, QMessageBox::Icon icon);

}  // namespace bearing::ui
