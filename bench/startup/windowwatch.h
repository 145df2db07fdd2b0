#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>
#include <xcb/xcb.h>

namespace bearing::bench {

using Clock = std::chrono::steady_clock;

// When a top-level window became visible with its title, and when the program first
// drew into it after that.
struct Appearance {
    Clock::time_point mapped;
    Clock::time_point drawn;
};

// Watches the X server for top-level windows being mapped and drawn. It listens for the
// server's events on the root window and for damage (drawing) reports on every new
// top-level window instead of polling, so a window is seen as soon as the server has
// mapped it or drawn into it; observationLatency() measures how late that is.
class WindowWatch {
public:
    // Connects to $DISPLAY; throws std::runtime_error when that fails.
    WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    WindowWatch(WindowWatch&&) = delete;
    WindowWatch& operator=(WindowWatch&&) = delete;
    ~WindowWatch();

    // Waits until a top-level window of process `pid` whose title contains `wanted` is
    // mapped (or, if its title was set later, gets that title) and drawn into; empty at
    // the deadline.
    [[nodiscard]] std::optional<Appearance> waitForWindow(
        pid_t pid, std::string_view wanted, Clock::time_point deadline);

    // Reads and drops events until the deadline, so that they do not pile up.
    void idleUntil(Clock::time_point deadline);

    // Median time from mapping a window of our own to seeing its map event, over
    // `samples` maps: the delay with which waitForWindow() sees a window appear.
    [[nodiscard]] std::chrono::nanoseconds observationLatency(int samples);

private:
    struct Event {
        xcb_generic_event_t* event = nullptr;
        Clock::time_point seen{};
    };

    [[nodiscard]] std::optional<Event> nextEvent(Clock::time_point deadline);
    [[nodiscard]] xcb_atom_t atom(std::string_view name) const;
    [[nodiscard]] std::string title(xcb_window_t window) const;
    [[nodiscard]] std::optional<pid_t> processId(xcb_window_t window) const;

    struct Window {
        bool titled = false;
        std::optional<Clock::time_point> mapped;
        std::optional<Clock::time_point> drawn;
    };

    [[nodiscard]] bool belongs(xcb_window_t window, pid_t pid, std::string_view wanted) const;
    void watchDrawing(xcb_window_t window);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmName_ = 0;
    xcb_atom_t netWmPid_ = 0;
    std::uint8_t damageNotify_ = 0;           // the event code of the damage extension's report
    std::map<xcb_window_t, Window> windows_;  // top-level windows created since the last wait
};

}  // namespace bearing::bench
