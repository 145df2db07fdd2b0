#include "replacementfile.h"

#include "systemerror.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

namespace bearing {

namespace {

// Short, so that a target's name of up to 255 bytes still leaves room for it.
constexpr std::string_view hiddenPattern = ".plain-bearings-XXXXXX";

[[noreturn]] void failWith(const std::string& failure, std::string_view reason)
{
    throw OutputError(failure + ": " + std::string(reason));
}

// The user may write the existing file `path` (the effective ids, as open() would judge).
void requireWritable(const std::filesystem::path& path, const std::string& failure)
{
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        failWith(failure, systemErrorText(errno));
    }
}

}  // namespace

std::filesystem::path outputTarget(const std::filesystem::path& path, const std::string& failure, TargetKinds kinds)
{
    std::error_code error;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, error)) {
        // A link is written through; a dangling one is replaced.
        std::filesystem::path linked = std::filesystem::canonical(path, error);
        target = error ? path : linked;
    }
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    // A file that cannot even be looked at (its directory closed to the user) is refused
    // for that reason, not taken for a file of another kind.
    if (error && status.type() != std::filesystem::file_type::not_found) {
        failWith(failure, systemErrorText(error.value()));
    }
    switch (status.type()) {
    case std::filesystem::file_type::not_found: {
        const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
        struct stat status { };
        if (::stat(directory.c_str(), &status) != 0) {
            failWith(failure, systemErrorText(errno));
        }
        if (!S_ISDIR(status.st_mode)) {
            failWith(failure, systemErrorText(ENOTDIR));
        }
        if (::faccessat(AT_FDCWD, directory.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
            failWith(failure, systemErrorText(errno));
        }
        return target;
    }
    case std::filesystem::file_type::regular: requireWritable(target, failure); return target;
    case std::filesystem::file_type::directory: failWith(failure, systemErrorText(EISDIR));
    case std::filesystem::file_type::unknown: failWith(failure, systemErrorText(error.value()));
    default: break;
    }
    if (kinds == TargetKinds::RegularOnly) {
        failWith(failure, "это не обычный файл");
    }
    requireWritable(target, failure);
    return target;
}

ReplacementFile::ReplacementFile(const std::filesystem::path& path, std::string failure, TargetKinds kinds)
    : target_(outputTarget(path, failure, kinds))
    , failure_(std::move(failure))
{
    struct stat old { };
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        name_ = target_.string();
        return;
    }
    std::string pattern = (target_.parent_path() / hiddenPattern).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        fail(errno);
    }
    name_ = pattern;
    hidden_ = true;
    if (exists) {
        // A replaced file keeps its mode, and its owner where the user may give it.
        ::fchmod(descriptor, old.st_mode & 07777U);
        if (::fchown(descriptor, old.st_uid, old.st_gid) != 0) {
            ::fchmod(descriptor, old.st_mode & 0777U);
        }
    } else {
        const ::mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(descriptor, 0666U & ~mask);
    }
    ::close(descriptor);
}

ReplacementFile::~ReplacementFile()
{
    if (hidden_) {
        ::unlink(name_.c_str());
    }
}

void ReplacementFile::fail(int error) const
{
    failWith(failure_, error != 0 ? systemErrorText(error) : std::string("ошибка записи"));
}

void ReplacementFile::putInPlace()
{
    if (!hidden_) {
        return;
    }
    const int descriptor = ::open(name_.c_str(), O_RDONLY | O_CLOEXEC);  // NOLINT(cppcoreguidelines-pro-type-vararg)
    if (descriptor < 0 || ::fsync(descriptor) != 0) {
        const int error = errno;
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        fail(error);
    }
    ::close(descriptor);
    if (std::rename(name_.c_str(), target_.c_str()) != 0) {
        fail(errno);
    }
    hidden_ = false;
}

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode)) {
            return std::nullopt;
        }
        return FileIdentity{.device = status.st_dev, .inode = status.st_ino, .place = {}};
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return FileIdentity{.device = 0, .inode = 0, .place = std::filesystem::weakly_canonical(absolute, error).string()};
}

std::optional<FileIdentity> openFileIdentity(int descriptor)
{
    struct stat status { };
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileIdentity{.device = status.st_dev, .inode = status.st_ino, .place = {}};
}

void replaceFile(const std::filesystem::path& path, std::string_view text, const std::string& failure)
{
    ReplacementFile file(path, failure, TargetKinds::DevicesToo);
    errno = 0;
    std::ofstream stream(file.name(), std::ios::binary | std::ios::trunc);
    if (stream) {
        stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        stream.close();
    }
    if (!stream) {
        file.fail(errno);
    }
    file.putInPlace();
}

}  // namespace bearing
