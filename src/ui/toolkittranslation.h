#pragma once

#include <QString>
#include <QTranslator>

namespace bearing::ui {

// Qt's own texts (a text box's right-click menu, the buttons of Qt's dialogs) in Russian,
// beside the program's Russian windows, whatever the user's locale: the whole interface
// is Russian. Without the translation file the program runs on with Qt's English texts.
class ToolkitTranslation {
public:
    // Loads qtbase_ru.qm from `directory`, Qt's translations folder unless given, and
    // installs it on the running application for as long as this object lives.
    explicit ToolkitTranslation(const QString& directory = qtTranslationsDirectory());
    ~ToolkitTranslation();
    ToolkitTranslation(const ToolkitTranslation&) = delete;
    ToolkitTranslation& operator=(const ToolkitTranslation&) = delete;
    ToolkitTranslation(ToolkitTranslation&&) = delete;
    ToolkitTranslation& operator=(ToolkitTranslation&&) = delete;

    [[nodiscard]] bool isInstalled() const { return installed_; }

    static QString qtTranslationsDirectory();

private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace bearing::ui
