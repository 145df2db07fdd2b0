#include "startupoptions.h"

#include "programversion.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <array>
#include <cstdio>
#include <string_view>

namespace bearing::app {
namespace {

const QString programName = QStringLiteral("plain-bearings");

// The options that QGuiApplication, QApplication and the X11 platform plugin take out of
// argv themselves (Qt 6), written with one dash or two: those followed by a value, then
// those that stand alone.
constexpr std::array<std::string_view, 16> qtOptionsWithValue{"platform", "platformpluginpath", "platformtheme",
    "plugin", "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "session", "style",
    "stylesheet", "display", "name", "visual"};
constexpr std::array<std::string_view, 7> qtFlags{
    "reverse", "testability", "widgetcount", "qdevel", "qdebug", "nograb", "dograb"};

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

QString quoted(const QString& text) { return QStringLiteral("«%1»").arg(text); }

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

StartupOptions::StartupOptions(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }

    QCommandLineParser parser;
    // Qt's options are words after one dash ("-platform"), not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const std::string_view name : qtOptionsWithValue) {
        parser.addOption(QCommandLineOption(latin1(name), {}, QStringLiteral("value")));
    }
    for (const std::string_view name : qtFlags) {
        parser.addOption(QCommandLineOption(latin1(name)));
    }

    const bool parsed = parser.parse(arguments);
    choosesPlatform_ = parser.isSet(QStringLiteral("platform"));
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        const QString dashes
            = arguments.contains(QStringLiteral("-") + name) ? QStringLiteral("-") : QStringLiteral("--");
        mistake_ = QStringLiteral("неизвестный параметр %1").arg(quoted(dashes + name));
    } else if (!parsed) {
        mistake_ = QStringLiteral("ошибка в параметрах: %1").arg(parser.errorText());
    } else if (!parser.positionalArguments().isEmpty()) {
        mistake_ = QStringLiteral("лишний аргумент %1").arg(quoted(parser.positionalArguments().constFirst()));
    }

    if (!mistake_.isEmpty()) {
        request_ = Request::Mistake;
    } else if (parser.isSet(help)) {
        request_ = Request::Help;
    } else if (parser.isSet(version)) {
        request_ = Request::Version;
    }
}

int StartupOptions::answer() const
{
    switch (request_) {
    case Request::Help: print(stdout, helpText()); return 0;
    case Request::Version: print(stdout, QStringLiteral("%1 %2\n").arg(programName, latin1(programVersion))); return 0;
    case Request::Mistake:
        print(stderr, QStringLiteral("%1: %2\n\n%3").arg(programName, mistake_, helpText()));
        return 2;
    case Request::Windows: break;
    }
    return 0;
}

QString StartupOptions::helpText()
{
    return QStringLiteral("Использование: %1 [ПАРАМЕТР]...\n\n"
                          "Расчет подшипников скольжения по допускаемым характеристикам материала:\n"
                          "наибольший диаметр цапфы и наименьшая длина подшипника для заданных\n"
                          "радиальной нагрузки и частоты вращения вала. Программа открывает свои\n"
                          "окна на графическом дисплее.\n"
                          "\n"
                          "Параметры:\n"
                          "  -h, --help       показать эту справку и выйти\n"
                          "  -v, --version    показать версию программы и выйти\n"
                          "\n"
                          "Принимаются и общие параметры программ на Qt, например -platform ИМЯ,\n"
                          "-display ДИСПЛЕЙ, -style СТИЛЬ.\n")
        .arg(programName);
}

}  // namespace bearing::app
