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

namespace bearing::cli {

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

// True when `text` holds a line break outside quotes: the header line is whole.
bool holdsWholeLine(std::string_view text)
{
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            return true;
        }
    }
    return false;
}

// Spaces belong to the field: " 12" stays " 12".
int noSpaces(unsigned char /*c*/) { return 0; }

// The length of `text` to the end of its first line, the line break included; all of it
// when it holds none.
std::size_t lineLength(const char* text, std::size_t size)
{
    const std::string_view line(text, size);
    const std::size_t end = line.find_first_of("\r\n");
    return end == std::string_view::npos ? size : end + 1;
}

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
        return (!holdsWholeLine(header_) && header_.size() < maxFieldBytes) || settleSeparator();
    }

    // The stream's bytes for each byte of the text they decode to, so far.
    void setBytesPerTextByte(double ratio) { bytesPerTextByte_ = ratio; }

    void finish()
    {
        if (!separator_ && !settleSeparator()) {
            return;
        }
        recordEnd_ = fed_;
        // A file that ends inside a quote was cut short: its last record says so.
        openQuoteLine_ = quote_ == Quote::Open ? quoteLine_ : 0;
        if (!skippingLine_ && !stopped_) {
            csv_fini(&parser_, &Parser::onField, &Parser::onRecordEnd, this);
        }
    }

    [[nodiscard]] End end() const
    {
        return problem_ ? End{.complete = false, .error = 0, .problem = *problem_, .assumedEncoding = {}} : End{};
    }

private:
    // Where the text stands against quotes, as libcsv reads them: a quote opens a field
    // only at its start; in a quoted field a quote doubles or may close it, and closes it
    // at a separator or a line break.
    enum class Quote { FieldStart, Plain, Open, MayClose };

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

    void track(std::string_view text)
    {
        const char separator = separator_.value_or(',');
        const auto ordinary = [separator](char c) { return c != '"' && c != separator && c != '\r' && c != '\n'; };
        for (std::size_t at = 0; at < text.size(); ++at) {
            // Inside a field, a run of ordinary bytes changes nothing: most of a batch.
            if ((quote_ == Quote::Plain || quote_ == Quote::Open) && ordinary(text[at])) {
                while (at + 1 < text.size() && ordinary(text[at + 1])) {
                    ++at;
                }
                afterCarriageReturn_ = false;
                continue;
            }
            const char c = text[at];
            const bool lineBreak = c == '\r' || (c == '\n' && !afterCarriageReturn_);
            line_ += lineBreak ? 1 : 0;
            afterCarriageReturn_ = c == '\r';
            const bool ends = c == separator || c == '\r' || c == '\n';
            switch (quote_) {
            case Quote::FieldStart:
                quoteLine_ = line_;
                quote_ = c == '"' ? Quote::Open : ends ? Quote::FieldStart : Quote::Plain;
                break;
            case Quote::Plain: quote_ = ends ? Quote::FieldStart : Quote::Plain; break;
            case Quote::Open: quote_ = c == '"' ? Quote::MayClose : Quote::Open; break;
            case Quote::MayClose: quote_ = ends ? Quote::FieldStart : Quote::Open; break;
            }
        }
    }

    // False once the handler has asked to stop.
    bool feed(const char* data, std::size_t size)
    {
        while (size > 0 && !stopped_) {
            if (skippingLine_) {
                std::size_t at = 0;
                while (at < size && data[at] != '\n' && data[at] != '\r') {
                    ++at;
                }
                track(std::string_view(data, at));
                fed_ += at;
                if (at == size) {
                    return true;
                }
                skippingLine_ = false;
                quote_ = Quote::FieldStart;
                data += at;
                size -= at;
                continue;
            }
            // A line at a time, so that a record ending in it knows where it ends.
            const std::size_t line = lineLength(data, size);
            recordEnd_ = fed_ + line;
            const std::size_t parsed = csv_parse(&parser_, data, line, &Parser::onField, &Parser::onRecordEnd, this);
            track(std::string_view(data, parsed));
            fed_ += parsed;
            if (parsed == line || stopped_) {
                data += parsed;
                size -= parsed;
                continue;
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
        if (parser.fieldCount_ < maxKeptFields) {
            if (parser.fields_.size() <= parser.fieldCount_) {
                parser.fields_.emplace_back();
            }
            std::string& field = parser.fields_[parser.fieldCount_];
            // An empty field may come without a buffer at all.
            if (size == 0) {
                field.clear();
            } else {
                field.assign(static_cast<const char*>(data), size);
            }
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
    Quote quote_ = Quote::FieldStart;
    std::size_t line_ = 1;
    std::size_t quoteLine_ = 1;  // the line of the field being read
    bool afterCarriageReturn_ = false;
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

}  // namespace bearing::cli
