#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Every file the command line writes (the output of --output, the workbook, --chart,
// --report) is written through here: beside its target under a short hidden name, and
// renamed over the target only when it is whole, so that a full disk or a run that stops
// leaves the old file as it was and never a torn one.
namespace bearing {

// A file that could not be written, with the reason in Russian for the user.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a target may be besides a regular file: a workbook is a regular file or nothing;
// other output may also go into a device or a pipe (/dev/null, /dev/stdout), which has
// no place to rename into and is written as it is.
enum class TargetKinds { RegularOnly, DevicesToo };

// The file that `path` stands for: `path`, or the file a symbolic link at it points to.
// Throws OutputError, its message `failure` (the start that names the file, "не удалось
// записать «x.svg»") and the reason, when it is a directory, a device the kinds do not
// allow, or a file or directory the user may not write.
[[nodiscard]] std::filesystem::path outputTarget(
    const std::filesystem::path& path, const std::string& failure, TargetKinds kinds);

// A file being written in place of a target. The hidden file beside the target has the
// target's mode (and owner, where the user may give it), or a new file's mode.
class ReplacementFile {
public:
    // Checks the target (outputTarget()) and creates the hidden file; throws OutputError.
    ReplacementFile(const std::filesystem::path& path, std::string failure, TargetKinds kinds);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ReplacementFile(ReplacementFile&&) = delete;
    ReplacementFile& operator=(ReplacementFile&&) = delete;
    // Without putInPlace(), removes what was written.
    ~ReplacementFile();

    // The file to write: the hidden one, or the device itself.
    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] const std::filesystem::path& target() const { return target_; }
    // Throws OutputError for the error number `error` of a write.
    [[noreturn]] void fail(int error) const;
    // Makes the written file durable and renames it over the target; throws OutputError.
    void putInPlace();

private:
    std::filesystem::path target_;
    std::string failure_;
    std::string name_;
    bool hidden_ = false;  // false: a device written as it is
};

// One file, however it is named (through a link, "./", another directory): the device and
// inode of a regular file that exists, or, for one that does not yet, its directory's
// canonical path and its name. A device, a pipe or a directory has none: /dev/null may
// take any number of outputs.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::string place;

    bool operator==(const FileIdentity&) const = default;  // NOLINT(readability-avoid-const-params-in-decls)
};

[[nodiscard]] std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path);
// The regular file open as `descriptor` (a redirected standard stream); none for a
// terminal, a pipe or a device.
[[nodiscard]] std::optional<FileIdentity> openFileIdentity(int descriptor);

// Writes `text` as the whole new content of `path`; throws OutputError.
void replaceFile(const std::filesystem::path& path, std::string_view text, const std::string& failure);

}  // namespace bearing
