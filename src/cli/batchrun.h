#pragma once

#include "batchheader.h"
#include "batchreader.h"
#include "caserunner.h"
#include "messagecodes.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace bearing::cli {

// Thrown by a case's onCase to refuse the rest of a batch (a report that would grow past
// its bound): reading stops there, and the batch is refused with what() as a usage
// error, its output finished as far as it got, as for a batch that cannot be read.
class BatchRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a batch's records go to: every record in turn (false: stop, the header is
// unusable), the records taken and not yet written written once reading ends, the
// problem that stopped it, a note on how the batch was read (for the standard error,
// after the records' messages), and the end of its output.
struct BatchSink {
    BatchReader::RecordHandler take;
    std::function<void()> drain;
    std::function<std::optional<std::string>()> problem;
    std::function<void(const std::string&)> note;
    std::function<void()> finish;
};

// Why a record of a batch with `columnCount` columns is refused before any of its fields
// is read: the file ended inside its quote, a field passed 1 MiB, its fields were
// separated the other way, or they are not as many as the header's. Empty otherwise.
[[nodiscard]] CaseProblem recordProblem(const CsvRecord& record, std::size_t columnCount);

// The bytes of the batch `source`, when it is a regular file ("-": none, whatever the
// standard input is).
[[nodiscard]] std::optional<std::uintmax_t> batchSize(const std::string& source);

// Reads the batch `source` ("-": `in`) with the settings' encoding and separator into
// `sink`, and returns why it could not be read whole, or the sink's problem, as a usage
// error's text. A batch read whole in a code page found from its bytes gets a note that
// says which. A batch read in part is finished as a stream, as far as it got; a
// workbook of part of a batch is not made, so that none looks complete.
[[nodiscard]] std::optional<std::string> readBatch(
    const RunSettings& settings, const std::string& source, std::istream& in, const BatchSink& sink);

}  // namespace bearing::cli
