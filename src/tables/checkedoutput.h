#pragma once

#include <exception>
#include <ostream>
#include <string>
#include <string_view>

// Every write of the command line goes through here: a stream that refuses a write ends
// the run, so that a full disk or a closed pipe is never reported as success.
namespace bearing {

// The standard output or the standard error refused a write.
class WriteFailed : public std::exception {
public:
    WriteFailed(bool toStandardError, int error)
        : toStandardError_(toStandardError)
        , error_(error)
    {
    }

    [[nodiscard]] const char* what() const noexcept override { return "write failed"; }
    [[nodiscard]] bool toStandardError() const { return toStandardError_; }
    [[nodiscard]] int error() const { return error_; }  // errno of the write, 0 when unknown
    // The reader went away (a pipe into `head`): the run ends without a word.
    [[nodiscard]] bool closedPipe() const;

private:
    bool toStandardError_;
    int error_;
};

// Which stream a write goes to, for the message when it fails.
enum class Stream { Output, Error };

// Writes `text` and flushes when `flush`; throws WriteFailed when the stream refuses.
void writeChecked(std::ostream& stream, Stream which, std::string_view text, bool flush = false);

// Output collected in memory and written in blocks, every write checked.
class OutputBuffer {
public:
    explicit OutputBuffer(std::ostream& stream, Stream which = Stream::Output)
        : stream_(stream)
        , which_(which)
    {
    }

    [[nodiscard]] std::string& text() { return text_; }
    // Writes what is collected once it passes a block.
    void writeIfFull();
    // Writes what is collected and flushes the stream.
    void flush();

private:
    std::ostream& stream_;
    Stream which_;
    std::string text_;
};

}  // namespace bearing
