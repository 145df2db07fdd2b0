// What a window manager does to a top-level window, for tests and benchmarks on an X
// server that runs none (Xvfb):
//
//   wm-client close WINDOW          asks the window to close (WM_DELETE_WINDOW), as a
//                                   window manager's close button does
//   wm-client ping WINDOW [MS]      sends _NET_WM_PING and waits, at most MS ms (10000),
//                                   for the program to answer; prints the milliseconds
//
// WINDOW is an X window id in decimal or 0x-hexadecimal. Exits 1 when the server cannot
// be reached or the program does not answer in time, 2 on a usage error.

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include <poll.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }  // NOLINT(*-no-malloc)
};

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A WM_PROTOCOLS message for `window` carrying `protocol`; the window itself is the
// third field, which _NET_WM_PING asks to be sent back.
xcb_client_message_event_t protocolMessage(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t protocol)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = protocol;
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = window;
    return message;
}

void send(xcb_connection_t* connection, xcb_window_t destination, std::uint32_t mask,
    const xcb_client_message_event_t& message)
{
    // xcb_send_event copies 32 bytes from the event it is given.
    static_assert(sizeof message == 32);
    std::array<char, 32> bytes{};
    std::memcpy(bytes.data(), &message, sizeof message);
    // A round trip, so that the server has delivered the message before we go.
    const std::unique_ptr<xcb_generic_error_t, FreeDeleter> error(
        xcb_request_check(connection, xcb_send_event_checked(connection, 0, destination, mask, bytes.data())));
    if (error) {
        std::cerr << "wm-client: the X server refused the message (error " << int{error->error_code} << ")\n";
    }
}

int ping(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window, int timeoutMs)
{
    // The program answers on the root window, to whoever listens there for structure
    // changes or redirects them: without a window manager, nobody but us.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmPing = atom(connection, "_NET_WM_PING");
    const Clock::time_point start = Clock::now();
    send(connection, window, XCB_EVENT_MASK_NO_EVENT, protocolMessage(connection, window, netWmPing));

    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs);
    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(connection)) {
            const std::unique_ptr<xcb_generic_event_t, FreeDeleter> event(raw);
            if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) {
                continue;
            }
            xcb_client_message_event_t message{};
            std::memcpy(&message, event.get(), sizeof message);
            if (message.data.data32[0] == netWmPing && message.data.data32[2] == window) {
                const std::chrono::duration<double, std::milli> answered = Clock::now() - start;
                std::cout << std::fixed << std::setprecision(1) << answered.count() << '\n';
                return 0;
            }
        }
        if (xcb_connection_has_error(connection) != 0) {
            std::fputs("wm-client: the X connection failed\n", stderr);
            return 1;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            std::cerr << "wm-client: window 0x" << std::hex << window << std::dec << " did not answer within "
                      << timeoutMs << " ms\n";
            return 1;
        }
        poll(&descriptor, 1, static_cast<int>(left));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view usage = "usage: wm-client close WINDOW | wm-client ping WINDOW [TIMEOUT-MS]\n";
    if (argc < 3) {
        std::fputs(usage.data(), stderr);
        return 2;
    }
    const std::string_view command = argv[1];
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0));
    const int timeoutMs = argc > 3 ? std::atoi(argv[3]) : 10000;
    if ((command != "close" && command != "ping") || window == 0 || timeoutMs <= 0) {
        std::fputs(usage.data(), stderr);
        return 2;
    }

    int screenNumber = 0;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, &screenNumber), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0) {
        std::fputs("wm-client: cannot connect to the X server named by DISPLAY\n", stderr);
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_window_t root = screens.data->root;

    if (command == "close") {
        send(connection.get(), window, XCB_EVENT_MASK_NO_EVENT,
            protocolMessage(connection.get(), window, atom(connection.get(), "WM_DELETE_WINDOW")));
        return 0;
    }
    return ping(connection.get(), root, window, timeoutMs);
}
