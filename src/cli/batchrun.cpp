#include "batchrun.h"

#include "batchheader.h"
#include "batchreader.h"
#include "caserecord.h"
#include "csvdialect.h"
#include "exitstatus.h"
#include "messagelog.h"
#include "options.h"
#include "systemerror.h"
#include "terminaltext.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <memory>

namespace bearing::cli {

namespace {

// The batch's file in a message, by its name; the standard input as what is read
// («не удаётся прочитать стандартный ввод») or where a batch comes from («не читается
// пакет со стандартного ввода»).
std::string fileName(const std::string& source) { return echoed(source); }
std::string sourceRead(const std::string& source)
{
    return source == "-" ? std::string("стандартный ввод") : fileName(source);
}
std::string batchSource(const std::string& source)
{
    return source == "-" ? std::string("со стандартного ввода") : fileName(source);
}

// Opens the batch file; the reason it cannot be read, if it cannot.
std::optional<std::string> openBatch(const std::string& source, std::ifstream& file)
{
    struct stat status { };
    if (::stat(source.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return systemErrorText(EISDIR);
    }
    errno = 0;
    file.open(source, std::ios::binary);
    if (!file) {
        return systemErrorText(errno);
    }
    return std::nullopt;
}

}  // namespace

CaseProblem recordProblem(const CsvRecord& record, std::size_t columnCount)
{
    if (record.openQuoteLine > 0) {
        return {codes::unclosedQuote,
            "файл оборван: кавычка, открытая в строке " + std::to_string(record.openQuoteLine)
                + ", не закрыта до его конца"};
    }
    if (record.tooLong) {
        return {codes::fieldTooLong, "поле длиннее 1 МиБ: остаток строки пропущен"};
    }
    if (std::optional<std::string> mixed = mixedSeparators(record, record.separator, columnCount)) {
        return {codes::mixedSeparators, std::move(*mixed)};
    }
    if (record.fieldCount != columnCount) {
        return {codes::fieldCount,
            "полей в строке " + std::to_string(record.fieldCount) + ", а в заголовке " + std::to_string(columnCount)};
    }
    return {};
}

std::optional<std::uintmax_t> batchSize(const std::string& source)
{
    struct stat status { };
    if (source == "-" || ::stat(source.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uintmax_t>(status.st_size);
}

std::optional<std::string> readBatch(
    const RunSettings& settings, const std::string& source, std::istream& in, const BatchSink& sink)
{
    std::ifstream file;
    if (source != "-") {
        if (const std::optional<std::string> reason = openBatch(source, file)) {
            return "не удаётся открыть " + fileName(source) + ": " + *reason;
        }
    }
    std::optional<std::string> refused;
    BatchReader reader(
        [&sink, &refused](const CsvRecord& record) {
            try {
                return sink.take(record);
            } catch (const BatchRefused& refusal) {
                refused = refusal.what();
                return false;
            }
        },
        {.encoding = settings.encoding, .separator = settings.separator});
    const BatchReader::End end = reader.read(source == "-" ? in : file);
    // What was read is written, however reading ended, unless the report refused it.
    if (!refused) {
        try {
            sink.drain();
        } catch (const BatchRefused& refusal) {
            refused = refusal.what();
        }
    }
    if (refused) {
        if (settings.format != OutputFormat::Xlsx) {
            sink.finish();
        }
        return refused;
    }
    if (!end.complete) {
        if (sink.problem() == std::nullopt && settings.format != OutputFormat::Xlsx) {
            sink.finish();
        }
        return end.problem.empty() ? "не удаётся прочитать " + sourceRead(source) + ": " + systemErrorText(end.error)
                                   : "не читается пакет " + batchSource(source) + ": " + end.problem;
    }
    std::optional<std::string> problem = sink.problem();
    if (!problem && !end.assumedEncoding.empty()) {
        sink.note("пакет не в UTF-8 и прочитан в кодировке " + end.assumedEncoding
            + "; если кодировка другая, задайте её параметром --encoding");
    }
    return problem;
}

}  // namespace bearing::cli
