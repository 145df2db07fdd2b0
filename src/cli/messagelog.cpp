#include "messagelog.h"

#include "terminaltext.h"

namespace bearing::cli {

void MessageLog::add(std::string_view prefix, std::span<const std::string> messages)
{
    for (const std::string& message : messages) {
        output_.text().append(masked(prefix)).append(masked(message, true)).append(1, '\n');
    }
    if (!held_) {
        output_.writeIfFull();
    }
}

}  // namespace bearing::cli
