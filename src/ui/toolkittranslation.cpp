#include "toolkittranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace bearing::ui {

ToolkitTranslation::ToolkitTranslation(const QString& directory)
{
    installed_
        = translator_.load(QStringLiteral("qtbase_ru"), directory) && QCoreApplication::installTranslator(&translator_);
}

ToolkitTranslation::~ToolkitTranslation()
{
    if (installed_) {
        QCoreApplication::removeTranslator(&translator_);
    }
}

QString ToolkitTranslation::qtTranslationsDirectory() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

}  // namespace bearing::ui
