#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace bearing::cli {

// A long batch's progress, for a person watching the terminal: one line on the standard
// error that rewrites itself, at most five times a second, once the batch has run for a
// while: the rows written, their rate and, for a file of known size, the time left.
// Whoever writes to the same stream takes the line away first (clear()); the next update
// draws it again.
class BatchProgress {
public:
    using Clock = std::chrono::steady_clock;

    // Shown only when `shown` (the stream is a terminal), once `after` has passed;
    // `size`: the batch's bytes, when known.
    BatchProgress(std::ostream& err, bool shown, std::chrono::milliseconds after, std::optional<std::uintmax_t> size);

    // `rows` are written and the batch is read to its byte `position`.
    void update(std::size_t rows, std::uintmax_t position);
    // The line blanked and the cursor back at its start, if the line is there.
    void clear();

private:
    std::ostream& err_;
    bool shown_;
    Clock::duration after_;
    std::optional<std::uintmax_t> size_;
    Clock::time_point start_;
    std::optional<Clock::time_point> drawn_;
    std::size_t width_ = 0;  // the letters of the line on the terminal; 0: none is there
};

// The line for `rows` written in `seconds`, with the time left when it is known:
// «обработано 12 345 строк, 1 520 строк/с, осталось ~0:42».
[[nodiscard]] std::string progressLine(std::size_t rows, double seconds, std::optional<double> secondsLeft);

}  // namespace bearing::cli
