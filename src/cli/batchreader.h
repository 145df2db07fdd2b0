#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <span>
#include <string>
#include <string_view>

namespace bearing::cli {

// One record of a CSV stream (RFC 4180: fields separated by commas, records by CR LF,
// LF or CR, a field in double quotes may hold commas, line breaks and doubled quotes).
struct CsvRecord {
    std::size_t number = 0;               // 0 for the first record (the header), then 1, 2, ...
    std::span<const std::string> fields;  // the first maxKeptFields of them at most
    std::size_t fieldCount = 0;           // how many the record had
    bool tooLong = false;                 // a field passed maxFieldBytes: the record is cut short
};

// Reads a CSV stream record by record, holding one record at a time: memory does not
// grow with the length of the stream. A UTF-8 byte-order mark at the start is skipped,
// also before a quoted field. Empty lines are skipped. Spaces count, as the
// format has it. However malformed the input, every record reaches the callback: a
// field longer than maxFieldBytes (say, an opening quote that is never closed) ends its
// record as tooLong, and reading goes on at the next line break.
class BatchReader {
public:
    static constexpr std::size_t maxFieldBytes = std::size_t{1} << 20;
    static constexpr std::size_t maxKeptFields = 64;

    // Returns false to stop reading.
    using RecordHandler = std::function<bool(const CsvRecord&)>;

    explicit BatchReader(RecordHandler handler);

    // How a stream's reading ended.
    struct End {
        bool complete = true;  // read to its end, or stopped by the handler
        int error = 0;         // errno of the failed read, 0 when unknown
    };

    // Reads `input` to its end. A byte-order mark at its start is skipped.
    End read(std::istream& input);
    // Reads `bytes` as a whole stream.
    void read(std::string_view bytes);

private:
    class Parser;

    RecordHandler handler_;
};

}  // namespace bearing::cli
