#include "batchprogress.h"

#include "checkedoutput.h"
#include "terminaltext.h"

#include <cmath>

namespace bearing::cli {

namespace {

constexpr std::chrono::milliseconds redrawEvery{200};

// 12345 as "12 345".
std::string grouped(std::uintmax_t number)
{
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ' ');
    }
    return digits;
}

// «обработана 1 строка», «обработаны 2 строки», «обработано 5 строк».
std::string rowsDone(std::size_t rows)
{
    const std::size_t last = rows % 10;
    const std::size_t lastTwo = rows % 100;
    if (last == 1 && lastTwo != 11) {
        return "обработана " + grouped(rows) + " строка";
    }
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) {
        return "обработаны " + grouped(rows) + " строки";
    }
    return "обработано " + grouped(rows) + " строк";
}

// 42 s as "0:42", 3725 s as "1:02:05".
std::string clockTime(double seconds)
{
    const auto whole = static_cast<std::uintmax_t>(std::ceil(seconds));
    const auto twoDigits = [](std::uintmax_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    const std::uintmax_t hours = whole / 3600;
    const std::uintmax_t minutes = whole / 60 % 60;
    return hours > 0 ? std::to_string(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(whole % 60)
                     : std::to_string(minutes) + ":" + twoDigits(whole % 60);
}

}  // namespace

std::string progressLine(std::size_t rows, double seconds, std::optional<double> secondsLeft)
{
    std::string line = rowsDone(rows);
    if (seconds > 0) {
        line += ", " + grouped(static_cast<std::uintmax_t>(std::lround(static_cast<double>(rows) / seconds)))
            + " строк/с";
    }
    if (secondsLeft) {
        line += ", осталось ~" + clockTime(*secondsLeft);
    }
    return line;
}

BatchProgress::BatchProgress(
    std::ostream& err, bool shown, std::chrono::milliseconds after, std::optional<std::uintmax_t> size)
    : err_(err)
    , shown_(shown)
    , after_(after)
    , size_(size)
    , start_(Clock::now())
{
}

void BatchProgress::update(std::size_t rows, std::uintmax_t position)
{
    if (!shown_) {
        return;
    }
    const Clock::time_point now = Clock::now();
    if (now - start_ < after_ || (drawn_ && now - *drawn_ < redrawEvery)) {
        return;
    }
    const double seconds = std::chrono::duration<double>(now - start_).count();
    std::optional<double> left;
    if (size_ && position > 0 && position <= *size_) {
        left = seconds * static_cast<double>(*size_ - position) / static_cast<double>(position);
    }
    const std::string line = progressLine(rows, seconds, left);
    const std::size_t width = codePoints(line);
    // Blanks over what is left of a longer line before.
    writeChecked(err_, Stream::Error, "\r" + line + std::string(width_ > width ? width_ - width : 0, ' '), true);
    width_ = width;
    drawn_ = now;
}

void BatchProgress::clear()
{
    if (width_ == 0) {
        return;
    }
    writeChecked(err_, Stream::Error, "\r" + std::string(width_, ' ') + "\r", true);
    width_ = 0;
}

}  // namespace bearing::cli
