#include "terminaltext.h"

#include <algorithm>

namespace bearing {

namespace {

bool startsCodePoint(char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }

bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20U || byte == 0x7FU;
}

void appendLine(std::string& out, std::string_view line, std::size_t width, std::string_view indent)
{
    std::size_t used = 0;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        const std::string_view word = line.substr(start, end - start);
        const std::size_t wordWidth = codePoints(word);
        if (used > 0 && used + 1 + wordWidth > width) {
            out.append(1, '\n').append(indent);
            used = 0;
        } else if (used > 0) {
            out += ' ';
            ++used;
        }
        out += word;
        used += wordWidth;
        start = end + 1;
    }
}

}  // namespace

std::size_t codePoints(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), startsCodePoint));
}

std::string masked(std::string_view text, bool keepLineFeeds)
{
    std::string shown;
    appendMasked(shown, text, keepLineFeeds);
    return shown;
}

void appendMasked(std::string& out, std::string_view text, bool keepLineFeeds)
{
    const std::size_t start = out.size();
    out += text;
    if (std::none_of(text.begin(), text.end(), isControl)) {
        return;
    }
    for (auto at = out.begin() + static_cast<std::ptrdiff_t>(start); at != out.end(); ++at) {
        if (isControl(*at) && !(keepLineFeeds && *at == '\n')) {
            *at = '?';
        }
    }
}

std::string echoed(std::string_view input) { return "«" + masked(input) + "»"; }

std::string cutToWidth(std::string_view text, std::size_t width)
{
    if (codePoints(text) <= width) {
        return masked(text);
    }
    if (width == 0) {
        return {};
    }
    std::string shown;
    std::size_t count = 0;
    for (const char c : text) {
        if (startsCodePoint(c) && ++count == width) {
            break;
        }
        shown += isControl(c) ? '?' : c;
    }
    return shown + "…";
}

std::string withLineFeeds(std::string_view message)
{
    if (message.find('\r') == std::string_view::npos) {
        return std::string(message);
    }
    std::string text;
    text.reserve(message.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] != '\r') {
            text += message[i];
            continue;
        }
        text += '\n';
        if (i + 1 < message.size() && message[i + 1] == '\n') {
            ++i;
        }
    }
    return text;
}

void appendWrapped(
    std::string& out, std::string_view text, std::size_t width, std::string_view firstIndent, std::string_view indent)
{
    const std::size_t room = std::max<std::size_t>(width > codePoints(indent) ? width - codePoints(indent) : 1, 20);
    std::size_t start = 0;
    bool first = true;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (!line.empty()) {
            out += first ? firstIndent : indent;
            appendLine(out, line, room, indent);
        } else if (first) {
            out += firstIndent;
        }
        out += '\n';
        first = false;
        start = end + 1;
    }
}

}  // namespace bearing
