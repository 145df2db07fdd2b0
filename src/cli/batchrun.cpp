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

// A batch as it streams in: the header first, then one written case a record.
class BatchRun {
public:
    BatchRun(const RunSettings& settings, std::ostream& out, std::ostream& err,
        const std::function<void(const CaseRecord&)>& onCase)
        : settings_(settings)
        , onCase_(onCase)
        , out_(out)
        , log_(err)
        , runner_(settings)
    {
    }

    // False to stop reading: the header is unusable.
    bool take(const CsvRecord& record)
    {
        if (record.number > 0) {
            takeCase(record);
            return true;
        }
        headerRead_ = true;
        HeaderRead header = readHeader(record, sizingBatchJob());
        columns_ = std::move(header.columns);
        headerProblem_ = std::move(header.problem);
        if (!headerProblem_) {
            decimalMark_ = decimalMarkOf(record.separator);
            WriterSetup setup = settings_.writerSetup(Layout::Batch);
            setup.carriedNames = columns_.carriedNames;
            setup.inputDecimalMark = decimalMark_;
            writer_ = makeResultWriter(out_, settings_.format, setup);
        }
        return !headerProblem_;
    }

    // The problem that makes the batch unusable, if any.
    [[nodiscard]] std::optional<std::string> problem() const
    {
        return headerRead_ ? headerProblem_ : std::optional<std::string>("в пакете нет заголовка");
    }

    void note(const std::string& text) { log_.add("", std::span(&text, 1)); }

    void finish()
    {
        writer_->finish();
        log_.flush();
    }

    [[nodiscard]] bool anyMessage() const { return anyMessage_; }

private:
    void takeCase(const CsvRecord& record)
    {
        const auto field = [this, &record](BatchColumn column) { return columns_.field(record, column); };
        // The texts are assigned, not rebuilt: their strings keep their capacity.
        texts_.material.assign(field(BatchColumn::Material));
        texts_.load.assign(field(BatchColumn::Load));
        texts_.frequency.assign(field(BatchColumn::Frequency));
        // An empty length asks for the sizing alone.
        if (const std::string_view length = field(BatchColumn::Length); length.empty()) {
            texts_.length.reset();
        } else if (texts_.length) {
            texts_.length->assign(length);
        } else {
            texts_.length.emplace(length);
        }
        carried_.resize(columns_.carried.size());
        for (std::size_t i = 0; i < carried_.size(); ++i) {
            carried_[i].assign(columns_.carriedField(record, i));
        }
        record_.carried = carried_;
        record_.carriedNames = columns_.carriedNames;
        runCase(record, field(BatchColumn::Group));
        record_.texts = &texts_;  // the inputs as given, whatever the calculation read
        writer_->write(record_);
        if (onCase_) {
            onCase_(record_);
        }
        if (record_.endedInMessage()) {
            anyMessage_ = true;
            if (!writer_->showsMessages()) {
                log_.add("Строка " + std::to_string(record.number) + ": ", record_.messages);
            }
        }
    }

    void runCase(const CsvRecord& record, std::string_view groupText)
    {
        if (const CaseProblem problem = recordProblem(record, columns_.count); !problem.empty()) {
            runner_.refuse(texts_, problem, record_);
        } else if (const std::optional<Group> group = groupText.empty() ? settings_.group : groupFromName(groupText);
                   !groupText.empty() && !group) {
            runner_.refuse(texts_,
                {codes::unknownGroup, "неизвестная группа " + echoed(groupText) + ": dry или lubricated"}, record_);
        } else {
            runner_.run(readTexts(), group, record_);
        }
    }

    // The texts as the calculation reads them, the numbers in the batch's dialect
    // (csvdialect.h); with decimal points, the texts as given.
    const CaseTexts& readTexts()
    {
        if (decimalMark_ == '.') {
            return texts_;
        }
        read_.material = texts_.material;
        read_.load = numberField(texts_.load, decimalMark_, buffer_, NoBreakSpaces::Anywhere);
        read_.frequency = numberField(texts_.frequency, decimalMark_, buffer_, NoBreakSpaces::Anywhere);
        read_.length.reset();
        if (texts_.length) {
            read_.length = numberField(*texts_.length, decimalMark_, buffer_, NoBreakSpaces::Anywhere);
        }
        return read_;
    }

    const RunSettings& settings_;
    const std::function<void(const CaseRecord&)>& onCase_;
    std::ostream& out_;
    MessageLog log_;
    CaseRunner runner_;
    std::unique_ptr<ResultWriter> writer_;
    BatchColumns columns_;
    CaseTexts texts_;
    CaseTexts read_;      // texts_ with decimal commas read as points
    std::string buffer_;  // a field being rewritten for read_
    char decimalMark_ = '.';
    std::vector<std::string> carried_;
    CaseRecord record_;
    bool headerRead_ = false;
    std::optional<std::string> headerProblem_;
    bool anyMessage_ = false;
};

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

const BatchJob& sizingBatchJob()
{
    static constexpr std::array<BatchColumn, 5> columns{
        BatchColumn::Material, BatchColumn::Load, BatchColumn::Frequency, BatchColumn::Length, BatchColumn::Group};
    static const BatchJob job{.columns = columns,
        .required = 3,
        .batchName = "пакета",
        .columnsName = "расчета",
        .isOutputField = [](std::string_view name) { return hasColumn(caseColumns(), name); }};
    return job;
}

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

int runBatch(const RunSettings& settings, const std::string& source, std::istream& in, std::ostream& out,
    std::ostream& err, const std::function<void(const CaseRecord&)>& onCase)
{
    BatchRun run(settings, out, err, onCase);
    const BatchSink sink{.take = [&run](const CsvRecord& record) { return run.take(record); },
        .problem = [&run] { return run.problem(); },
        .note = [&run](const std::string& note) { run.note(note); },
        .finish = [&run] { run.finish(); }};
    if (const std::optional<std::string> problem = readBatch(settings, source, in, sink)) {
        return usageError(err, *problem);
    }
    run.finish();
    return run.anyMessage() ? exitMessage : exitResults;
}

}  // namespace bearing::cli
