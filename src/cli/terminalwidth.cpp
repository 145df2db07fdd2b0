#include "terminalwidth.h"

#include "texttable.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <charconv>
#include <cstring>
#include <system_error>

namespace bearing::cli {

std::size_t terminalWidth(const char* columns, int fd)
{
    constexpr std::size_t usualWidth = 80;
    if (columns != nullptr) {
        std::size_t width = 0;
        const char* end = columns + std::strlen(columns);
        const auto [at, error] = std::from_chars(columns, end, width);
        if (error == std::errc{} && at == end && width > 0) {
            return width;
        }
    }
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {  // NOLINT(*-vararg)
        return size.ws_col;
    }
    return ::isatty(fd) != 0 ? usualWidth : noWidthLimit;
}

}  // namespace bearing::cli
