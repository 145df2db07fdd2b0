#pragma once

#include <QString>

namespace bearing::app {

// The window program's start-up options, read from its command line before any Qt
// application object exists, so that --help, --version and a mistyped option answer at
// once, open no window and need no display. Qt's own options (-platform, -display,
// -style and the rest) are recognised and left for QApplication, which takes them out
// of argv itself.
class StartupOptions {
public:
    StartupOptions(int argc, const char* const* argv);

    // True when the program should go on to open its windows.
    [[nodiscard]] bool startsWindows() const { return request_ == Request::Windows; }

    // True when -platform names the window system, as QT_QPA_PLATFORM can.
    [[nodiscard]] bool choosesPlatform() const { return choosesPlatform_; }

    // For any other request: prints the help or the version to stdout, or the mistake
    // and the help to stderr, and gives the exit status (0, or 2 for a mistake).
    [[nodiscard]] int answer() const;

    // The --help text, in Russian like the windows.
    static QString helpText();

private:
    enum class Request { Windows, Help, Version, Mistake };

    Request request_ = Request::Windows;
    QString mistake_;
    bool choosesPlatform_ = false;
};

}  // namespace bearing::app
