#include "messagelog.h"

#include "terminaltext.h"

namespace bearing::cli {

void MessageLog::add(std::string_view prefix, std::span<const std::string> messages)
{
    std::string& text = output_.text();
    for (const std::string& message : messages) {
        appendMasked(text, prefix);
        appendMasked(text, message, true);
        text += '\n';
    }
    if (!held_) {
        output_.writeIfFull();
    }
}

}  // namespace bearing::cli
