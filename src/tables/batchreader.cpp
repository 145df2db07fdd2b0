#include "batchreader.h"

#include "batchdecoder.h"
#include "csvdialect.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

namespace bearing {

namespace {

constexpr std::size_t chunkBytes = std::size_t{64} << 10;

// libcsv grows its field buffer through this; refusing is how a field's length is bounded.
void* boundedRealloc(void* memory, std::size_t size)
{
    if (size > BatchReader::maxFieldBytes) {
        return nullptr;
    }
    return std::realloc(memory, size);  // NOLINT(cppcoreguidelines-no-malloc): libcsv frees it with free()
}

// The line breaks in `text`: CR LF, LF or CR. `afterCarriageReturn` says whether the
// text before it ended in a CR, and then whether this one does.
std::size_t lineBreaks(std::string_view text, bool& afterCarriageReturn)
{
    auto breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    // A CR LF is one break, counted at its LF.
    if (afterCarriageReturn && text.starts_with('\n')) {
        --breaks;
    }
    for (std::size_t at = text.find('\r'); at != std::string_view::npos; at = text.find('\r', at + 1)) {
        breaks += at + 1 < text.size() && text[at + 1] == '\n' ? 0 : 1;
    }
    if (!text.empty()) {
        afterCarriageReturn = text.back() == '\r';
    }
    return breaks;
}

// Spaces belong to the field: " 12" stays " 12".
int noSpaces(unsigned char /*c*/) { return 0; }

}  // namespace

// libcsv's parser with the record being built; one per stream.
class BatchReader::Parser {
public:
    Parser(const RecordHandler& handler, std::optional<char> separator)
        : handler_(handler)
        , separator_(separator)
    {
        start();
    }

    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    Parser(Parser&&) = delete;
    Parser& operator=(Parser&&) = delete;
    ~Parser() { csv_free(&parser_); }

    // Takes the next part of the decoded text. False once the handler has asked to stop
    // or the stream has shown a problem.
    bool take(std::string_view text)
    {
        if (separator_) {
            return feed(text.data(), text.size());
        }
        // Held until the header line is whole, which names the separator.
        header_.append(text);
        return (!separatorOfHeader(header_).lineWhole && header_.size() < maxFieldBytes) || settleSeparator();
    }

    // The stream's bytes for each byte of the text they decode to, so far.
    void setBytesPerTextByte(double ratio) { bytesPerTextByte_ = ratio; }

    void finish()
    {
        if (!separator_ && !settleSeparator()) {
            return;
        }
        recordEnd_ = fed_;
        if (skippingLine_ || stopped_) {
            return;
        }
        // A line break ends the last record, unless the text ends inside a quote, which
        // the line break joins: a record libcsv still holds after it was cut short there.
        lineBreakInQuote_ = csv_parse(&parser_, "\r", 1, &Parser::onField, &Parser::onRecordEnd, this);
        endsInQuote_ = true;
        csv_fini(&parser_, &Parser::onField, &Parser::onRecordEnd, this);
    }

    [[nodiscard]] End end() const
    {
        return problem_ ? End{.complete = false, .error = 0, .problem = *problem_, .assumedEncoding = {}} : End{};
    }

private:
    bool settleSeparator()
    {
        const SeparatorFound found = separatorOfHeader(header_);
        if (found.problem) {
            problem_ = *found.problem;
            return false;
        }
        separator_ = found.separator;
        csv_set_delim(&parser_, found.separator);
        const std::string held = std::move(header_);
        header_.clear();
        return feed(held.data(), held.size());
    }

    // False once the handler has asked to stop.
    bool feed(const char* data, std::size_t size)
    {
        lineBreaks_ += lineBreaks(std::string_view(data, size), afterCarriageReturn_);
        while (size > 0 && !stopped_) {
            if (skippingLine_) {
                std::size_t at = 0;
                while (at < size && data[at] != '\n' && data[at] != '\r') {
                    ++at;
                }
                fed_ += at;
                if (at == size) {
                    return true;
                }
                skippingLine_ = false;
                data += at;
                size -= at;
                continue;
            }
            // A record ending in this part of the text ends by its end: near enough for how
            // much of a batch is done, and a parse of the whole part is much quicker than
            // one a line.
            recordEnd_ = fed_ + size;
            const std::size_t parsed = csv_parse(&parser_, data, size, &Parser::onField, &Parser::onRecordEnd, this);
            fed_ += parsed;
            if (parsed == size || stopped_) {
                break;
            }
            // The field outgrew its bound: the record ends here, the rest of its line goes.
            tooLong_ = true;
            recordEnd_ = fed_;
            endRecord();
            csv_free(&parser_);
            start();
            skippingLine_ = true;
            data += parsed;
            size -= parsed;
        }
        return !stopped_;
    }

    void start()
    {
        csv_init(&parser_, 0);
        csv_set_delim(&parser_, separator_.value_or(','));
        csv_set_space_func(&parser_, noSpaces);
        csv_set_realloc_func(&parser_, boundedRealloc);
        csv_set_blk_size(&parser_, chunkBytes);
    }

    static void onField(void* data, std::size_t size, void* self)
    {
        auto& parser = *static_cast<Parser*>(self);
        // An empty field may come without a buffer at all.
        std::string_view text = size == 0 ? std::string_view() : std::string_view(static_cast<const char*>(data), size);
        if (parser.endsInQuote_) {
            // The quote opened as many lines back as its field holds, less the break added.
            text.remove_suffix(parser.lineBreakInQuote_);
            bool afterCarriageReturn = false;
            parser.openQuoteLine_ = parser.lineBreaks_ + 1 - lineBreaks(text, afterCarriageReturn);
        }
        if (parser.fieldCount_ < maxKeptFields) {
            if (parser.fields_.size() <= parser.fieldCount_) {
                parser.fields_.emplace_back();
            }
            parser.fields_[parser.fieldCount_].assign(text);
        }
        ++parser.fieldCount_;
    }

    static void onRecordEnd(int /*terminator*/, void* self) { static_cast<Parser*>(self)->endRecord(); }

    void endRecord()
    {
        // The field strings keep their capacity from record to record.
        const CsvRecord record{.number = number_,
            .fields = std::span<const std::string>(fields_).first(std::min(fieldCount_, maxKeptFields)),
            .fieldCount = fieldCount_,
            .tooLong = tooLong_,
            .openQuoteLine = openQuoteLine_,
            .separator = separator_.value_or(','),
            .position = static_cast<std::size_t>(static_cast<double>(recordEnd_) * bytesPerTextByte_)};
        if (stopped_) {
            return;
        }
        stopped_ = !handler_(record);
        fieldCount_ = 0;
        tooLong_ = false;
        ++number_;
    }

    const RecordHandler& handler_;
    std::optional<char> separator_;  // given, or found from the header line
    std::string header_;             // the text before the header line is whole
    std::optional<std::string> problem_;
    std::size_t lineBreaks_ = 0;  // in the text fed so far
    bool afterCarriageReturn_ = false;
    bool endsInQuote_ = false;          // the field libcsv gives now was cut short inside a quote
    std::size_t lineBreakInQuote_ = 0;  // 1 when the break added at the end joined a quoted field
    csv_parser parser_{};
    std::vector<std::string> fields_;
    std::size_t fieldCount_ = 0;
    std::size_t number_ = 0;
    bool tooLong_ = false;
    std::size_t openQuoteLine_ = 0;
    bool skippingLine_ = false;
    bool stopped_ = false;
    std::size_t fed_ = 0;        // the bytes of text parsed so far
    std::size_t recordEnd_ = 0;  // where in the text the record being read ends, at most
    double bytesPerTextByte_ = 1;
};

BatchReader::BatchReader(RecordHandler handler, BatchFormat format)
    : handler_(std::move(handler))
    , format_(std::move(format))
{
}

BatchReader::End BatchReader::read(std::istream& input)
{
    Parser parser(handler_, format_.separator);
    std::array<char, chunkBytes> chunk{};
    std::string text;
    std::string assumed;
    std::size_t bytesRead = 0;
    std::size_t textMade = 0;
    try {
        BatchDecoder decoder(format_.encoding);
        while (input) {
            errno = 0;
            input.read(chunk.data(), chunk.size());
            const int error = errno;
            text.clear();
            // The end is known with the last chunk: a problem there is found before its
            // records are handed on.
            decoder.decode(std::string_view(chunk.data(), static_cast<std::size_t>(input.gcount())), input.eof(), text);
            if (decoder.encodingAssumed()) {
                assumed = decoder.encoding();
            }
            bytesRead += static_cast<std::size_t>(input.gcount());
            textMade += text.size();
            if (textMade > 0) {
                parser.setBytesPerTextByte(static_cast<double>(bytesRead) / static_cast<double>(textMade));
            }
            if (!parser.take(text)) {
                return parser.end();
            }
            // A failed read looks like the end of the stream to the stream itself: errno tells.
            if (input.bad() || (!input && error != 0)) {
                return {.complete = false, .error = error, .problem = {}, .assumedEncoding = {}};
            }
        }
    } catch (const InputError& error) {
        return {.complete = false, .error = 0, .problem = error.what(), .assumedEncoding = {}};
    }
    parser.finish();
    End end = parser.end();
    end.assumedEncoding = end.complete ? assumed : std::string();
    return end;
}

BatchReader::End BatchReader::read(std::string_view bytes)
{
    Parser parser(handler_, format_.separator);
    std::string text;
    std::string assumed;
    try {
        BatchDecoder decoder(format_.encoding);
        decoder.decode(bytes, true, text);
        if (decoder.encodingAssumed()) {
            assumed = decoder.encoding();
        }
    } catch (const InputError& error) {
        return {.complete = false, .error = 0, .problem = error.what(), .assumedEncoding = {}};
    }
    if (!text.empty()) {
        parser.setBytesPerTextByte(static_cast<double>(bytes.size()) / static_cast<double>(text.size()));
    }
    if (parser.take(text)) {
        parser.finish();
    }
    End end = parser.end();
    end.assumedEncoding = end.complete ? assumed : std::string();
    return end;
}

}  // namespace bearing
