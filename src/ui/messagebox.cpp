#include "messagebox.h"

namespace bearing::ui {

void showMessage(QWidget* parent, const QString& text, const QString& title, QMessageBox::Icon icon)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon, title, shown, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace bearing::ui
