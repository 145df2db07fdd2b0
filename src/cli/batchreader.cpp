#include "batchreader.h"

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

std::string_view withoutByteOrderMark(std::string_view bytes)
{
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    return bytes.starts_with(byteOrderMark) ? bytes.substr(byteOrderMark.size()) : bytes;
}

// Spaces belong to the field: " 12" stays " 12".
int noSpaces(unsigned char /*c*/) { return 0; }

}  // namespace

// libcsv's parser with the record being built; one per stream.
class BatchReader::Parser {
public:
    explicit Parser(const RecordHandler& handler)
        : handler_(handler)
    {
        start();
    }

    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    Parser(Parser&&) = delete;
    Parser& operator=(Parser&&) = delete;
    ~Parser() { csv_free(&parser_); }

    // False once the handler has asked to stop.
    bool feed(const char* data, std::size_t size)
    {
        while (size > 0 && !stopped_) {
            if (skippingLine_) {
                std::size_t at = 0;
                while (at < size && data[at] != '\n' && data[at] != '\r') {
                    ++at;
                }
                if (at == size) {
                    return true;
                }
                skippingLine_ = false;
                data += at;
                size -= at;
                continue;
            }
            const std::size_t parsed = csv_parse(&parser_, data, size, &Parser::onField, &Parser::onRecordEnd, this);
            if (parsed == size || stopped_) {
                break;
            }
            // The field outgrew its bound: the record ends here, the rest of its line goes.
            tooLong_ = true;
            endRecord();
            csv_free(&parser_);
            start();
            skippingLine_ = true;
            data += parsed;
            size -= parsed;
        }
        return !stopped_;
    }

    void finish()
    {
        if (!skippingLine_ && !stopped_) {
            csv_fini(&parser_, &Parser::onField, &Parser::onRecordEnd, this);
        }
    }

private:
    void start()
    {
        csv_init(&parser_, 0);
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
            .tooLong = tooLong_};
        if (stopped_) {
            return;
        }
        stopped_ = !handler_(record);
        fieldCount_ = 0;
        tooLong_ = false;
        ++number_;
    }

    const RecordHandler& handler_;
    csv_parser parser_{};
    std::vector<std::string> fields_;
    std::size_t fieldCount_ = 0;
    std::size_t number_ = 0;
    bool tooLong_ = false;
    bool skippingLine_ = false;
    bool stopped_ = false;
};

BatchReader::BatchReader(RecordHandler handler)
    : handler_(std::move(handler))
{
}

BatchReader::End BatchReader::read(std::istream& input)
{
    Parser parser(handler_);
    std::array<char, chunkBytes> chunk{};
    bool first = true;
    while (input) {
        errno = 0;
        input.read(chunk.data(), chunk.size());
        const int error = errno;
        std::string_view bytes(chunk.data(), static_cast<std::size_t>(input.gcount()));
        if (first) {
            // A stream read in chunks this large has its first three bytes in the first one.
            bytes = withoutByteOrderMark(bytes);
            first = false;
        }
        if (!parser.feed(bytes.data(), bytes.size())) {
            return {};
        }
        // A failed read looks like the end of the stream to the stream itself: errno tells.
        if (input.bad() || (!input && error != 0)) {
            return {.complete = false, .error = error};
        }
    }
    parser.finish();
    return {};
}

void BatchReader::read(std::string_view bytes)
{
    Parser parser(handler_);
    bytes = withoutByteOrderMark(bytes);
    parser.feed(bytes.data(), bytes.size());
    parser.finish();
}

}  // namespace bearing::cli
