#pragma once

namespace bearing::app {

// Watches the construction of QApplication. Qt ends a program whose window system it
// cannot reach with an abort (status 134) after several lines about its plugins; with
// this guard the program ends instead with status 1 and one line saying that it needs a
// graphical display. Qt's own lines are held back meanwhile and passed on once the
// application stands, or, when the user chose the platform, printed before that line,
// since they then say what went wrong with that choice.
class DisplayFailureGuard {
public:
    explicit DisplayFailureGuard(bool platformChosen);
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard(DisplayFailureGuard&&) = delete;
    DisplayFailureGuard& operator=(DisplayFailureGuard&&) = delete;

    // Ends the watch: called once the application object exists.
    void dismiss();

private:
    bool watching_ = true;
};

}  // namespace bearing::app
