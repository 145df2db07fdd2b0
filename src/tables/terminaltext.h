#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts on their way to a terminal: counted, masked and cut as a person will see them.
namespace bearing {

// The code points of a UTF-8 text: its width in a terminal, for the program's texts.
[[nodiscard]] std::size_t codePoints(std::string_view text);

// The text with every control character shown as '?' (line feeds too, unless
// `keepLineFeeds`), so that an echoed input cannot move the cursor or recolour a terminal.
[[nodiscard]] std::string masked(std::string_view text, bool keepLineFeeds = false);
// The same appended to `out`.
void appendMasked(std::string& out, std::string_view text, bool keepLineFeeds = false);

// An input echoed in a message: masked, LF and CR included, so that the message keeps
// its own lines, and between «».
[[nodiscard]] std::string echoed(std::string_view input);

// The masked text, cut to `width` code points with '…' as its last one when longer.
[[nodiscard]] std::string cutToWidth(std::string_view text, std::size_t width);

// A message with its line breaks (CR LF or a lone CR) as LF.
[[nodiscard]] std::string withLineFeeds(std::string_view message);

// Appends `text` (lines separated by LF) broken into lines of at most `width` code points
// at blanks; `firstIndent` starts the first line and `indent` the others; a word longer
// than a line stands alone.
void appendWrapped(
    std::string& out, std::string_view text, std::size_t width, std::string_view firstIndent, std::string_view indent);

}  // namespace bearing
