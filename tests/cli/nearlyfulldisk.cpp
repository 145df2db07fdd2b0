// A nearly full disk for the fault-injection test (fulldisk.sh), loaded with LD_PRELOAD:
// every write to a regular file other than the standard streams, through write(),
// writev() or a stdio stream, takes from a budget of NEARLY_FULL_BYTES bytes; past it the
// write is cut short and the next one fails with ENOSPC, as a full file system does.
// stdio writes inside the C library never reach write() through its symbol, so the
// streams that fopen(), fdopen() and tmpfile() open are made on these writes instead.
// (The C++ library's file streams keep the real ones: they write through the descriptor.)
// Without NEARLY_FULL_BYTES nothing changes.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long long budget = -1;  // bytes left; -1: no limit
bool started = false;

void start()
{
    if (!started) {
        started = true;
        const char* bytes = std::getenv("NEARLY_FULL_BYTES");  // NOLINT(concurrency-mt-unsafe)
        budget = bytes != nullptr ? std::atoll(bytes) : -1;
    }
}

template <class Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));  // NOLINT(cppcoreguidelines-pro-type-reinterpret-cast)
}

bool limited(int descriptor)
{
    start();
    struct stat status { };
    return budget >= 0 && descriptor > 2 && ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

ssize_t budgetedWrite(int descriptor, const void* data, std::size_t size)
{
    static const auto realWrite = next<ssize_t (*)(int, const void*, std::size_t)>("write");
    if (!limited(descriptor) || size == 0) {
        return realWrite(descriptor, data, size);
    }
    if (budget == 0) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t written = realWrite(descriptor, data, std::min<std::size_t>(size, static_cast<std::size_t>(budget)));
    if (written > 0) {
        budget -= written;
    }
    return written;
}

// The descriptor is the cookie itself: a library that never closes a stream on its way
// out (as libxlsxwriter on a failed write) then leaks nothing of the shim's.
int descriptorOf(void* cookie)
{
    return static_cast<int>(
        reinterpret_cast<std::intptr_t>(cookie));  // NOLINT(cppcoreguidelines-pro-type-reinterpret-cast)
}

ssize_t cookieRead(void* cookie, char* data, std::size_t size) { return ::read(descriptorOf(cookie), data, size); }

ssize_t cookieWrite(void* cookie, const char* data, std::size_t size)
{
    const ssize_t written = budgetedWrite(descriptorOf(cookie), data, size);
    return written < 0 ? 0 : written;
}

int cookieSeek(void* cookie, off64_t* offset, int whence)
{
    const off64_t at = ::lseek64(descriptorOf(cookie), *offset, whence);
    if (at < 0) {
        return -1;
    }
    *offset = at;
    return 0;
}

int cookieClose(void* cookie) { return ::close(descriptorOf(cookie)); }

std::FILE* streamOn(int descriptor, const char* mode)
{
    if (descriptor < 0) {
        return nullptr;
    }
    const cookie_io_functions_t functions{
        .read = cookieRead, .write = cookieWrite, .seek = cookieSeek, .close = cookieClose};
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast,performance-no-int-to-ptr)
    return ::fopencookie(reinterpret_cast<void*>(static_cast<std::intptr_t>(descriptor)), mode, functions);
}

// Whether a stream opened from `caller` gets the real stdio: the C++ library's own
// streams write through the stream's descriptor, which a stream made here has not.
bool realStdio(void* caller)
{
    start();
    Dl_info info{};
    return budget < 0
        || (::dladdr(caller, &info) != 0 && info.dli_fname != nullptr
            && std::strstr(info.dli_fname, "libstdc++") != nullptr);
}

int openFlags(const char* mode)
{
    const bool update = std::strchr(mode, '+') != nullptr;
    const int exclusive = std::strchr(mode, 'x') != nullptr ? O_EXCL : 0;
    switch (mode[0]) {
    case 'w': return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC | exclusive;
    case 'a': return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND | exclusive;
    default: return update ? O_RDWR : O_RDONLY;
    }
}

}  // namespace

// The C library names these functions' parameters its own way.
// NOLINTBEGIN(readability-inconsistent-declaration-parameter-name)
extern "C" {

ssize_t write(int descriptor, const void* data, std::size_t size) { return budgetedWrite(descriptor, data, size); }

ssize_t writev(int descriptor, const iovec* vectors, int count)
{
    ssize_t total = 0;
    for (int i = 0; i < count; ++i) {
        const ssize_t written = budgetedWrite(descriptor, vectors[i].iov_base, vectors[i].iov_len);
        if (written < 0) {
            return total > 0 ? total : -1;
        }
        total += written;
        if (static_cast<std::size_t>(written) < vectors[i].iov_len) {
            break;
        }
    }
    return total;
}

std::FILE* fopen(const char* path, const char* mode)
{
    if (realStdio(__builtin_return_address(0))) {
        static const auto realOpen = next<std::FILE* (*)(const char*, const char*)>("fopen");
        return realOpen(path, mode);
    }
    return streamOn(
        ::open(path, openFlags(mode) | O_CLOEXEC, 0666), mode);  // NOLINT(cppcoreguidelines-pro-type-vararg)
}

std::FILE* fopen64(const char* path, const char* mode)
{
    if (realStdio(__builtin_return_address(0))) {
        static const auto realOpen = next<std::FILE* (*)(const char*, const char*)>("fopen64");
        return realOpen(path, mode);
    }
    return streamOn(
        ::open(path, openFlags(mode) | O_CLOEXEC, 0666), mode);  // NOLINT(cppcoreguidelines-pro-type-vararg)
}

std::FILE* fdopen(int descriptor, const char* mode) noexcept
{
    if (realStdio(__builtin_return_address(0))) {
        static const auto realOpen = next<std::FILE* (*)(int, const char*)>("fdopen");
        return realOpen(descriptor, mode);
    }
    return streamOn(descriptor, mode);
}

std::FILE* tmpfile()
{
    start();
    if (budget < 0) {
        static const auto realTemporary = next<std::FILE* (*)()>("tmpfile");
        return realTemporary();
    }
    return streamOn(
        ::open("/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600), "w+");  // NOLINT(cppcoreguidelines-pro-type-vararg)
}

std::FILE* tmpfile64() { return tmpfile(); }
}
// NOLINTEND(readability-inconsistent-declaration-parameter-name)
