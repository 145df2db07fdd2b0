#pragma once

#include "checkedoutput.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace bearing::cli {

// The messages of cases and checks on the standard error: a message a line after its
// case's prefix, control characters masked as in a table, written in blocks, every write
// checked.
class MessageLog {
public:
    explicit MessageLog(std::ostream& err)
        : output_(err, Stream::Error)
    {
    }

    void add(std::string_view prefix, std::span<const std::string> messages);
    void flush() { output_.flush(); }

    // Messages kept until flush(), however many: a line that rewrites itself on the same
    // stream (a batch's progress) is taken away first.
    void holdUntilFlush() { held_ = true; }
    [[nodiscard]] bool holdsAny() { return !output_.text().empty(); }

private:
    OutputBuffer output_;
    bool held_ = false;
};

}  // namespace bearing::cli
