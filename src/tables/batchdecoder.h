#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace bearing {

// A batch that cannot be read as text, with the reason and the line in Russian.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the bytes at the start of `text` are in UTF-8: a whole character of `length`
// bytes, the start of one that `text` cuts short, or no character at all (an overlong
// form, a surrogate and a stray continuation byte are none).
struct Utf8Lead {
    enum class Kind { Whole, Cut, Invalid };
    Kind kind = Kind::Invalid;
    std::size_t length = 0;
};
[[nodiscard]] Utf8Lead utf8Lead(std::string_view text);

// Turns a batch's bytes into UTF-8 text as they stream in, a chunk at a time, holding
// nothing but a character cut by the end of a chunk.
//
// Unless an encoding is named, the bytes are UTF-8 as long as they read as UTF-8: a
// byte-order mark at the start says so for the whole file and is dropped. A file whose
// first byte beyond ASCII is not UTF-8 is read as Windows-1251, the code page a Russian
// spreadsheet saves its "CSV" in: everything before that byte was ASCII, which reads
// the same in both. Such a file must read as Cyrillic text, so a byte that Windows-1251
// leaves undefined, or a word in which Latin and Cyrillic letters meet (the sign of a
// file in another code page: Windows-1252's "Größe" reads as "GrцЯe"), stops it.
//
// In any encoding, a control character other than tab, CR and LF means the file is not
// CSV text (an .xlsx given as a batch, a UTF-16 file), and a file that ends inside a
// UTF-8 character was cut short. Each such problem throws InputError naming the line,
// counted from 1 as an editor counts it (LF, CR LF and a lone CR each end one).
class BatchDecoder {
public:
    // `encoding` empty: found from the bytes as above. Otherwise "UTF-8", or a one-byte,
    // ASCII-based code page that ICU knows ("windows-1251", "cp1251", "koi8-r", "cp866");
    // any other name throws InputError.
    explicit BatchDecoder(std::string_view encoding = {});

    // Appends the text of `bytes`, the next part of the stream, to `text`; `last` when the
    // stream ends with them.
    void decode(std::string_view bytes, bool last, std::string& text);

    // What the bytes are read as so far: "UTF-8" until they show otherwise.
    [[nodiscard]] const std::string& encoding() const { return encoding_; }
    // True when the bytes showed themselves to be no UTF-8 and were taken for Windows-1251
    // with no encoding named: the user is told, since another code page may read the same.
    [[nodiscard]] bool encodingAssumed() const { return checkCyrillic_; }

private:
    enum class Mode { Detect, Utf8, CodePage };

    struct Character {
        std::array<char, 3> bytes{};  // the UTF-8 of a code page's byte
        std::uint8_t length = 0;      // 0: the code page does not define the byte
        bool cyrillic = false;
    };

    void loadCodePage(std::string_view name);
    void decodeUtf8(std::string_view bytes, bool last, std::string& text);
    void decodeCodePage(std::string_view bytes, std::string& text);
    void takeAscii(char c, std::string& text);
    void countLine(char c);
    void takeLetter(std::string_view character, bool cyrillic);
    void endWord();
    [[noreturn]] void notUtf8(unsigned char byte) const;

    Mode mode_ = Mode::Detect;
    std::string encoding_ = "UTF-8";
    bool checkCyrillic_ = false;  // the code page was found, not named
    bool started_ = false;        // past a byte-order mark, if any
    bool byteOrderMark_ = false;
    bool sawUtf8_ = false;  // a character beyond ASCII read as UTF-8
    std::array<Character, 128> upper_{};
    std::string pending_;  // the start of a character cut by the end of the last chunk
    std::size_t line_ = 1;
    bool afterCarriageReturn_ = false;
    std::string word_;  // the letters of the current word, for a message
    bool wordLatin_ = false;
    bool wordCyrillic_ = false;
};

}  // namespace bearing
