#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace bearing {

// One record of a CSV stream (RFC 4180: fields separated by commas, or semicolons as a
// Russian spreadsheet writes them, records by CR LF, LF or CR, a field in double quotes
// may hold separators, line breaks and doubled quotes).
struct CsvRecord {
    std::size_t number = 0;               // 0 for the first record (the header), then 1, 2, ...
    std::span<const std::string> fields;  // the first maxKeptFields of them at most
    std::size_t fieldCount = 0;           // how many the record had
    bool tooLong = false;                 // a field passed maxFieldBytes: the record is cut short
    std::size_t openQuoteLine = 0;        // the stream ended inside a quote opened on this line
    char separator = ',';                 // the stream's field separator
    // About how many bytes of the stream, as read, come before the record's end (at most
    // the reader's 64 KiB part of the text ahead), for how much of a batch is done.
    std::size_t position = 0;
};

// How a batch's bytes are read: their encoding and field separator, each found from the
// stream unless given (batchdecoder.h, csvdialect.h).
struct BatchFormat {
    std::string encoding;           // empty: UTF-8, or Windows-1251 when the bytes are not UTF-8
    std::optional<char> separator;  // none: ';' or ',' as the header line has it
};

// Reads a CSV stream record by record, holding one record at a time: memory does not
// grow with the length of the stream. The bytes are decoded to UTF-8 as they come (a
// byte-order mark at the start is dropped, also before a quoted field), the separator
// read from the header line. Empty lines are skipped. Spaces count, as the
// format has it. However malformed the input, every record reaches the callback: a
// field longer than maxFieldBytes (say, an opening quote that is never closed) ends its
// record as tooLong, and reading goes on at the next line break.
class BatchReader {
public:
    static constexpr std::size_t maxFieldBytes = std::size_t{1} << 20;
    static constexpr std::size_t maxKeptFields = 64;

    // Returns false to stop reading.
    using RecordHandler = std::function<bool(const CsvRecord&)>;

    explicit BatchReader(RecordHandler handler, BatchFormat format = {});

    // How a stream's reading ended.
    struct End {
        bool complete = true;         // read to its end, or stopped by the handler
        int error = 0;                // errno of the failed read, 0 when unknown
        std::string problem;          // why the stream is no CSV text, in Russian with its line; empty when it is
        std::string assumedEncoding;  // the code page taken for the bytes when they were no UTF-8 and none was named
    };

    // Reads `input` to its end.
    End read(std::istream& input);
    // Reads `bytes` as a whole stream.
    End read(std::string_view bytes);

private:
    class Parser;

    End readChunks(const std::function<std::string_view()>& next, const std::function<int()>& failed);

    RecordHandler handler_;
    BatchFormat format_;
};

}  // namespace bearing
