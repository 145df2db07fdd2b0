#include "checkedoutput.h"

#include <cerrno>

namespace bearing {

bool WriteFailed::closedPipe() const { return error_ == EPIPE; }

void writeChecked(std::ostream& stream, Stream which, std::string_view text, bool flush)
{
    errno = 0;
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (flush && stream) {
        stream.flush();
    }
    if (!stream) {
        throw WriteFailed(which == Stream::Error, errno);
    }
}

void OutputBuffer::writeIfFull()
{
    constexpr std::size_t blockBytes = std::size_t{64} << 10;
    if (text_.size() >= blockBytes) {
        writeChecked(stream_, which_, text_);
        text_.clear();
    }
}

void OutputBuffer::flush()
{
    writeChecked(stream_, which_, text_, true);
    text_.clear();
}

}  // namespace bearing
