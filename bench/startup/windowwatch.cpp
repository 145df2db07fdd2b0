#include "windowwatch.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#include <poll.h>
#include <xcb/damage.h>

namespace bearing::bench {
namespace {

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }  // NOLINT(cppcoreguidelines-no-malloc)
};
template <typename T> using XcbPointer = std::unique_ptr<T, FreeDeleter>;

// The event code without the bit that marks events sent by other clients.
constexpr std::uint8_t eventCode(const xcb_generic_event_t* event)
{
    constexpr std::uint8_t sentBit = 0x80;
    return event->response_type & static_cast<std::uint8_t>(~sentBit);
}

// xcb hands every event as the generic head of its specific structure.
template <typename Specific> const Specific* as(const xcb_generic_event_t* event)
{
    return reinterpret_cast<const Specific*>(event);  // NOLINT(cppcoreguidelines-pro-type-reinterpret-cast)
}

}  // namespace

WindowWatch::WindowWatch()
{
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot connect to the X server named by DISPLAY");
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    root_ = screens.data->root;
    netWmName_ = atom("_NET_WM_NAME");
    netWmPid_ = atom("_NET_WM_PID");

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (damage == nullptr || damage->present == 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("the X server has no DAMAGE extension");
    }
    damageNotify_ = damage->first_event + XCB_DAMAGE_NOTIFY;
    // The extension must be told which version the client speaks before its first use.
    const XcbPointer<xcb_damage_query_version_reply_t> version(xcb_damage_query_version_reply(connection_,
        xcb_damage_query_version(connection_, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), nullptr));

    // Without a window manager, top-level windows are children of the root: its
    // substructure events report each of them being created and mapped.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
}

WindowWatch::~WindowWatch() { xcb_disconnect(connection_); }

std::optional<Appearance> WindowWatch::waitForWindow(pid_t pid, std::string_view wanted, Clock::time_point deadline)
{
    windows_.clear();
    while (auto next = nextEvent(deadline)) {
        const XcbPointer<xcb_generic_event_t> event(next->event);
        const std::uint8_t code = eventCode(event.get());
        xcb_window_t changed = XCB_WINDOW_NONE;
        if (code == XCB_CREATE_NOTIFY) {
            const auto* create = as<xcb_create_notify_event_t>(event.get());
            if (create->parent == root_ && create->override_redirect == 0) {
                windows_.try_emplace(create->window);
                watchDrawing(create->window);
            }
        } else if (code == XCB_MAP_NOTIFY) {
            const auto* map = as<xcb_map_notify_event_t>(event.get());
            if (map->event == root_ && windows_.contains(map->window)) {
                changed = map->window;
                // The title may change later; be told when it does.
                const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(connection_, changed, XCB_CW_EVENT_MASK, &mask);
                windows_[changed].titled = belongs(changed, pid, wanted);
                windows_[changed].mapped = next->seen;
            }
        } else if (code == XCB_PROPERTY_NOTIFY) {
            const auto* property = as<xcb_property_notify_event_t>(event.get());
            const auto window = windows_.find(property->window);
            if (window != windows_.end() && window->second.mapped && !window->second.titled
                && (property->atom == netWmName_ || property->atom == XCB_ATOM_WM_NAME)
                && belongs(property->window, pid, wanted)) {
                changed = property->window;
                // Visible with its title only from now on.
                window->second.titled = true;
                window->second.mapped = next->seen;
            }
        } else if (code == XCB_UNMAP_NOTIFY) {
            const auto* unmap = as<xcb_unmap_notify_event_t>(event.get());
            if (const auto window = windows_.find(unmap->window); window != windows_.end()) {
                window->second.mapped.reset();
            }
        } else if (code == damageNotify_) {
            const auto* damage = as<xcb_damage_notify_event_t>(event.get());
            if (const auto window = windows_.find(damage->drawable);
                window != windows_.end() && !window->second.drawn) {
                changed = damage->drawable;
                window->second.drawn = next->seen;
            }
        }
        if (const auto window = windows_.find(changed); window != windows_.end()) {
            const Window& state = window->second;
            if (state.titled && state.mapped && state.drawn) {
                return Appearance{*state.mapped, std::max(*state.mapped, *state.drawn)};
            }
        }
    }
    return std::nullopt;
}

void WindowWatch::idleUntil(Clock::time_point deadline)
{
    while (auto next = nextEvent(deadline)) {
        const XcbPointer<xcb_generic_event_t> event(next->event);
    }
}

std::chrono::nanoseconds WindowWatch::observationLatency(int samples)
{
    const xcb_window_t window = xcb_generate_id(connection_);
    const std::uint32_t overrideRedirect = 1;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
        XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
    std::vector<std::chrono::nanoseconds> latencies;
    for (int i = 0; i < samples; ++i) {
        const auto mapped = Clock::now();
        xcb_map_window(connection_, window);
        xcb_flush(connection_);
        while (auto next = nextEvent(mapped + std::chrono::seconds(5))) {
            const XcbPointer<xcb_generic_event_t> event(next->event);
            if (eventCode(event.get()) == XCB_MAP_NOTIFY && as<xcb_map_notify_event_t>(event.get())->window == window) {
                latencies.push_back(next->seen - mapped);
                break;
            }
        }
        xcb_unmap_window(connection_, window);
        xcb_flush(connection_);
    }
    xcb_destroy_window(connection_, window);
    xcb_flush(connection_);
    if (latencies.empty()) {
        return std::chrono::nanoseconds::zero();
    }
    std::ranges::nth_element(latencies, latencies.begin() + static_cast<std::ptrdiff_t>(latencies.size() / 2));
    return latencies[latencies.size() / 2];
}

bool WindowWatch::belongs(xcb_window_t window, pid_t pid, std::string_view wanted) const
{
    const auto owner = processId(window);
    return (!owner || *owner == pid) && title(window).find(wanted) != std::string::npos;
}

void WindowWatch::watchDrawing(xcb_window_t window)
{
    // One report when the window's damaged region first becomes non-empty, that is at
    // the first drawing into it; the region is never emptied, so there is no second.
    xcb_damage_create(connection_, xcb_generate_id(connection_), window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    xcb_flush(connection_);
}

std::optional<WindowWatch::Event> WindowWatch::nextEvent(Clock::time_point deadline)
{
    for (;;) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            return Event{event, Clock::now()};
        }
        if (xcb_connection_has_error(connection_) != 0) {
            throw std::runtime_error("lost the connection to the X server");
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd server{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&server, 1, static_cast<int>(left.count()));
    }
}

xcb_atom_t WindowWatch::atom(std::string_view name) const
{
    const XcbPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string WindowWatch::title(xcb_window_t window) const
{
    // Qt writes the title both as UTF-8 (_NET_WM_NAME) and as WM_NAME; prefer the former.
    for (const xcb_atom_t property : {netWmName_, static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
        constexpr std::uint32_t maxWords = 1024;
        const XcbPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection_,
            xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, maxWords), nullptr));
        if (reply && reply->format == 8 && xcb_get_property_value_length(reply.get()) > 0) {
            return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
        }
    }
    return {};
}

std::optional<pid_t> WindowWatch::processId(xcb_window_t window) const
{
    const XcbPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, netWmPid_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4) {
        return std::nullopt;
    }
    return static_cast<pid_t>(*static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())));
}

}  // namespace bearing::bench
