#include "batchdecoder.h"

#include "terminaltext.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <array>
#include <memory>

namespace bearing {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
// A word is cut to this many bytes in a message.
constexpr std::size_t wordShown = 60;

std::string hexByte(unsigned char byte)
{
    constexpr std::string_view digits = "0123456789ABCDEF";
    return {'0', 'x', digits[byte >> 4U], digits[byte & 0xFU]};
}

bool failed(UErrorCode status) { return status > U_ZERO_ERROR; }

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

struct ConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

}  // namespace

Utf8Lead utf8Lead(std::string_view text)
{
    if (text.empty()) {
        return {};
    }
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80U) {
        return {.kind = Utf8Lead::Kind::Whole, .length = 1};
    }
    std::size_t length = 0;
    // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
    unsigned char low = 0x80U;
    unsigned char high = 0xBFU;
    if (lead >= 0xC2U && lead <= 0xDFU) {
        length = 2;
    } else if (lead >= 0xE0U && lead <= 0xEFU) {
        length = 3;
        low = lead == 0xE0U ? 0xA0U : 0x80U;
        high = lead == 0xEDU ? 0x9FU : 0xBFU;
    } else if (lead >= 0xF0U && lead <= 0xF4U) {
        length = 4;
        low = lead == 0xF0U ? 0x90U : 0x80U;
        high = lead == 0xF4U ? 0x8FU : 0xBFU;
    } else {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i == text.size()) {
            return {.kind = Utf8Lead::Kind::Cut, .length = length};
        }
        const unsigned char from = i == 1 ? low : 0x80U;
        const unsigned char to = i == 1 ? high : 0xBFU;
        if (byte(i) < from || byte(i) > to) {
            return {};
        }
    }
    return {.kind = Utf8Lead::Kind::Whole, .length = length};
}

BatchDecoder::BatchDecoder(std::string_view encoding)
{
    if (encoding.empty()) {
        return;
    }
    const std::string name(encoding);
    UErrorCode status = U_ZERO_ERROR;
    const char* canonical = ucnv_getCanonicalName(name.c_str(), "", &status);
    if (canonical == nullptr || failed(status)) {
        status = U_ZERO_ERROR;
        const std::unique_ptr<UConverter, ConverterClose> converter(ucnv_open(name.c_str(), &status));
        canonical = failed(status) ? nullptr : ucnv_getName(converter.get(), &status);
    }
    if (canonical != nullptr && std::string_view(canonical) == "UTF-8") {
        mode_ = Mode::Utf8;
        return;
    }
    loadCodePage(encoding);
    encoding_ = name;
}

// The code page's upper half as UTF-8, byte by byte; the lower half must be ASCII.
void BatchDecoder::loadCodePage(std::string_view name)
{
    const std::string wanted(name);
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UConverter, ConverterClose> converter(ucnv_open(wanted.c_str(), &status));
    const auto refuse = [&wanted] {
        throw InputError("кодировка " + echoed(wanted)
            + " не подходит: допустимы UTF-8 и однобайтовые кодировки на основе ASCII, например windows-1251, "
              "koi8-r, cp866");
    };
    if (failed(status) || ucnv_getMaxCharSize(converter.get()) != 1) {
        refuse();
    }
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    for (int value = 0; value < 256; ++value) {
        const char byte = static_cast<char>(value);
        std::array<UChar, 4> unit{};
        status = U_ZERO_ERROR;
        ucnv_reset(converter.get());
        const int32_t units = ucnv_toUChars(converter.get(), unit.data(), unit.size(), &byte, 1, &status);
        const bool defined = !failed(status) && units == 1;
        if (value < 0x80) {
            // Only the bytes of CSV text count: every other control byte is refused before
            // the code page is asked, and IBM's code pages (cp866) move some of them.
            const bool textByte = (value >= 0x20 && value < 0x7F) || value == '\t' || value == '\n' || value == '\r';
            if (textByte && (!defined || unit[0] != value)) {
                refuse();
            }
            continue;
        }
        Character& character = upper_.at(static_cast<std::size_t>(value - 0x80));
        // ICU gives a byte that the code page leaves free as a control character (0x98 of
        // Windows-1251 as U+0098): no text holds one.
        if (!defined || unit[0] == 0xFFFD || unit[0] == 0x1A || (unit[0] >= 0x80 && unit[0] <= 0x9F)) {
            continue;
        }
        // A one-byte code page's characters all lie in the Basic Multilingual Plane.
        const UChar code = unit[0];
        if (code < 0x800) {
            character.bytes = {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F)), 0};
            character.length = 2;
        } else {
            character.bytes = {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                static_cast<char>(0x80 | (code & 0x3F))};
            character.length = 3;
        }
        character.cyrillic = unit[0] >= 0x0400 && unit[0] <= 0x04FF;
    }
    mode_ = Mode::CodePage;
}

void BatchDecoder::decode(std::string_view bytes, bool last, std::string& text)
{
    if (!started_) {
        pending_.append(bytes);
        const std::string_view start = pending_;
        if (!last && start.size() < byteOrderMark.size() && byteOrderMark.starts_with(start)) {
            return;
        }
        started_ = true;
        std::string head = std::move(pending_);
        pending_.clear();
        std::string_view rest = head;
        if (rest.starts_with(byteOrderMark) && mode_ != Mode::CodePage) {
            rest.remove_prefix(byteOrderMark.size());
            byteOrderMark_ = true;
            mode_ = Mode::Utf8;
        }
        decode(rest, last, text);
        return;
    }
    if (mode_ == Mode::CodePage) {
        decodeCodePage(bytes, text);
    } else if (pending_.empty()) {
        decodeUtf8(bytes, last, text);
    } else {
        // A character cut by the last chunk: whole again with the first bytes of this one.
        std::string joined = std::move(pending_);
        pending_.clear();
        joined.append(bytes);
        decodeUtf8(joined, last, text);
    }
    if (last) {
        endWord();
    }
}

void BatchDecoder::decodeUtf8(std::string_view bytes, bool last, std::string& text)
{
    const auto printable = [](char c) { return c >= 0x20 && c < 0x7F; };
    std::size_t at = 0;
    while (at < bytes.size()) {
        const char c = bytes[at];
        if (printable(c) && (mode_ == Mode::Utf8 || sawUtf8_)) {
            // Most of a batch: a run of printable ASCII goes in one piece.
            std::size_t length = 1;
            while (at + length < bytes.size() && printable(bytes[at + length])) {
                ++length;
            }
            text.append(bytes.substr(at, length));
            at += length;
            afterCarriageReturn_ = false;
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x80U) {
            takeAscii(c, text);
            ++at;
            continue;
        }
        const Utf8Lead lead = utf8Lead(bytes.substr(at));
        if (lead.kind == Utf8Lead::Kind::Whole) {
            text.append(bytes.substr(at, lead.length));
            sawUtf8_ = true;
            at += lead.length;
            continue;
        }
        if (lead.kind == Utf8Lead::Kind::Cut && !last) {
            pending_.assign(bytes.substr(at));
            return;
        }
        if (mode_ == Mode::Detect && !sawUtf8_) {
            loadCodePage("windows-1251");
            encoding_ = "windows-1251";
            checkCyrillic_ = true;
            decodeCodePage(bytes.substr(at), text);
            return;
        }
        if (lead.kind == Utf8Lead::Kind::Cut) {
            throw InputError("файл оборван посреди символа UTF-8 в строке " + std::to_string(line_));
        }
        notUtf8(static_cast<unsigned char>(c));
    }
}

void BatchDecoder::notUtf8(unsigned char byte) const
{
    std::string message = "строка " + std::to_string(line_) + ": байт " + hexByte(byte) + " — не UTF-8";
    if (byteOrderMark_) {
        message += ", хотя файл начинается с метки UTF-8";
    } else if (mode_ == Mode::Detect) {
        message += ", а раньше в файле был UTF-8: кодировки смешаны";
    }
    throw InputError(message + "; задайте кодировку файла параметром --encoding");
}

void BatchDecoder::decodeCodePage(std::string_view bytes, std::string& text)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80U) {
            takeAscii(c, text);
            continue;
        }
        const Character& character = upper_.at(byte - 0x80U);
        if (character.length == 0) {
            throw InputError("строка " + std::to_string(line_) + ": байт " + hexByte(byte) + " не означает символа в "
                + encoding_
                + (checkCyrillic_ ? ": похоже, файл не в этой кодировке; задайте её параметром --encoding" : ""));
        }
        const std::string_view utf8(character.bytes.data(), character.length);
        text.append(utf8);
        if (checkCyrillic_) {
            if (character.cyrillic) {
                takeLetter(utf8, true);
            } else {
                endWord();
            }
        }
    }
}

void BatchDecoder::takeAscii(char c, std::string& text)
{
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20U && c != '\t' && c != '\n' && c != '\r') || byte == 0x7FU) {
        throw InputError("строка " + std::to_string(line_) + ": управляющий байт " + hexByte(byte)
            + " — это не текст CSV (может быть, книга xlsx или файл в UTF-16?)");
    }
    // Until a file shows UTF-8, the word being read may turn out to be in a code page.
    if (checkCyrillic_ || (mode_ == Mode::Detect && !sawUtf8_)) {
        if (isAsciiLetter(c)) {
            takeLetter(std::string_view(&c, 1), false);
        } else {
            endWord();
        }
    }
    countLine(c);
    text += c;
}

void BatchDecoder::countLine(char c)
{
    if (c == '\n') {
        line_ += afterCarriageReturn_ ? 0 : 1;
    } else if (c == '\r') {
        ++line_;
    }
    afterCarriageReturn_ = c == '\r';
}

void BatchDecoder::takeLetter(std::string_view character, bool cyrillic)
{
    (cyrillic ? wordCyrillic_ : wordLatin_) = true;
    if (word_.size() < wordShown) {
        word_.append(character);
    }
}

void BatchDecoder::endWord()
{
    if (wordLatin_ && wordCyrillic_) {
        throw InputError("строка " + std::to_string(line_) + ": в слове «" + word_
            + "» латинские буквы смешаны с кириллицей из " + encoding_
            + ": похоже, файл в другой кодировке; задайте её параметром --encoding");
    }
    word_.clear();
    wordLatin_ = false;
    wordCyrillic_ = false;
}

}  // namespace bearing
