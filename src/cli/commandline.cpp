#include "commandline.h"

#include "batchrun.h"
#include "checkedoutput.h"
#include "checkruns.h"
#include "filmjob.h"
#include "jobrun.h"
#include "materiallist.h"
#include "options.h"
#include "outputfiles.h"
#include "replacementfile.h"
#include "systemerror.h"
#include "terminaltext.h"
#include "workbookwriter.h"

#include <cerrno>
#include <fstream>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace bearing::cli {

namespace {

constexpr std::string_view programName = "plain-bearings-calc";

// A report is for people: past this many cases it would be a book no one reads, and a
// batch without end would fill the memory. The workbook holds any number.
constexpr std::size_t reportCaseLimit = 500;

[[noreturn]] void refuseLongReport()
{
    throw BatchRefused("отчет --report — не больше " + std::to_string(reportCaseLimit)
        + " случаев, а в пакете их больше; для большого пакета подойдет книга: --format xlsx --output ФАЙЛ.xlsx");
}

// The streams of a run: its input, where its results go, where its messages go.
struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// The message that starts every complaint about a file of the run.
std::string failureOf(const std::string& path) { return "не удалось записать " + echoed(path); }

void say(std::ostream& err, const std::string& line)
{
    writeChecked(err, Stream::Error, std::string(programName) + ": " + line + '\n', true);
}

// The files a run writes besides the standard output, with the options that name them.
struct NamedFile {
    std::string_view option;
    std::string path;
};

std::vector<NamedFile> outputFilesOf(const Options& options)
{
    std::vector<NamedFile> files;
    if (!options.output.empty()) {
        files.push_back({"--output", options.output});
    }
    if (options.chart) {
        files.push_back({"--chart", *options.chart});
    }
    if (options.report) {
        files.push_back({"--report", *options.report});
    }
    return files;
}

// Two of the run's files that are one file: an output that is the batch it reads, the
// standard output the results go to, or another output. Compared as files, so that a
// link or "./" does not hide it.
std::optional<std::string> sameFileProblem(const Options& options, const Environment& environment)
{
    struct Known {
        std::string what;
        std::optional<FileIdentity> identity;
    };
    std::vector<Known> known;
    if (options.mode == Mode::Batch) {
        known.push_back({"--batch", options.batch == "-" ? environment.inputFile : fileIdentity(options.batch)});
    }
    if (options.output.empty() && options.format != OutputFormat::Xlsx) {
        known.push_back({"стандартный вывод", environment.outputFile});
    }
    for (const NamedFile& file : outputFilesOf(options)) {
        const std::optional<FileIdentity> identity = fileIdentity(file.path);
        for (const Known& other : known) {
            if (identity && other.identity == identity) {
                return std::string(file.option) + " и " + other.what + " — один и тот же файл " + echoed(file.path)
                    + ": задайте другой файл вывода";
            }
        }
        known.push_back({std::string(file.option), identity});
    }
    return std::nullopt;
}

// Every output file checked before anything is read or calculated: each that cannot be
// written is named with its reason. False when any cannot.
bool outputFilesWritable(const Options& options, std::ostream& err)
{
    bool writable = true;
    for (const NamedFile& file : outputFilesOf(options)) {
        // The workbook's own checks come with its writer, in its own words.
        if (file.option == "--output" && options.format == OutputFormat::Xlsx) {
            continue;
        }
        try {
            static_cast<void>(outputTarget(file.path, failureOf(file.path), TargetKinds::DevicesToo));
        } catch (const OutputError& error) {
            say(err, error.what());
            writable = false;
        }
    }
    return writable;
}

// A job run with the chart and the report of its cases, which hold the cases as they were
// written, collected as they run with the names of the batch's own columns (nothing is
// collected when neither is asked for): `makeCase` makes a record the report's case,
// `writeFiles` writes the files.
template <class Job, class Case, class MakeCase>
int runJobWithFiles(const Options& options, const RunSettings& settings, const FileRequests& files,
    const typename Job::Texts& texts, Streams streams, MakeCase makeCase,
    int (*writeFiles)(const FileRequests&, std::span<const Case>, std::span<const std::string>, std::ostream&))
{
    std::vector<Case> cases;
    std::vector<std::string> carriedNames;
    std::function<void(const typename Job::Record&)> collect;
    if (files.chart || files.report) {
        collect = [&](const typename Job::Record& record) {
            if (files.report && cases.size() == reportCaseLimit) {
                refuseLongReport();
            }
            cases.push_back(makeCase(record));
            cases.back().carried.assign(record.carried.begin(), record.carried.end());
            carriedNames.assign(record.carriedNames.begin(), record.carriedNames.end());
        };
    }
    const int status = runJob<Job>(options, settings, texts, streams.in, streams.out, streams.err, collect);
    if (status == exitUsage || !collect) {
        return status;
    }
    const int written = writeFiles(files, cases, carriedNames, streams.err);
    return written != exitResults ? written : status;
}

int runCheck(const Options& options, const RunSettings& settings, const FileRequests& files, Streams streams)
{
    const CheckTexts texts{.material = options.texts.material,
        .load = options.texts.load,
        .frequency = options.texts.frequency,
        .diameter = options.diameter,
        .length = options.texts.length.value_or(""),
        .temperature = options.temperature};
    return runJobWithFiles<CheckJob, CheckReportCase>(
        options, settings, files, texts, streams,
        [&settings](const CheckRecord& record) { return reportCase(*settings.catalogue, record); }, writeCheckFiles);
}

int runSizing(const Options& options, const RunSettings& settings, const FileRequests& files, Streams streams)
{
    if (options.mode == Mode::ListMaterials) {
        writeMaterialList(settings, streams.out);
        return exitResults;
    }
    return runJobWithFiles<SizingJob, SizingReportCase>(
        options, settings, files, options.texts, streams,
        [&settings](const CaseRecord& record) { return sizingReportCase(*settings.catalogue, record); },
        writeSizingFiles);
}

int runFilm(const Options& options, const RunSettings& settings, const FileRequests& files, Streams streams)
{
    const FilmCaseTexts texts{.load = options.texts.load,
        .frequency = options.texts.frequency,
        .diameter = options.diameter,
        .length = options.texts.length.value_or(""),
        .clearance = options.clearance,
        .viscosity = options.viscosity,
        .journalRoughness = options.journalRoughness,
        .boreRoughness = options.boreRoughness,
        .margin = options.filmMargin};
    return runJobWithFiles<FilmJob, FilmReportCase>(
        options, settings, files, texts, streams, filmReportCase, writeFilmFiles);
}

// The results written to the file of --output (any format but the workbook, which writes
// its own): into a file beside it, put in its place when the run has written it whole.
class ResultFile {
public:
    explicit ResultFile(const std::string& path)
        : file_(path, failureOf(path), TargetKinds::DevicesToo)
    {
        errno = 0;
        stream_.open(file_.name(), std::ios::binary | std::ios::trunc);
        if (!stream_) {
            file_.fail(errno);
        }
    }

    [[nodiscard]] std::ostream& stream() { return stream_; }

    void putInPlace()
    {
        errno = 0;
        stream_.close();
        if (!stream_) {
            file_.fail(errno);
        }
        file_.putInPlace();
    }

private:
    ReplacementFile file_;
    std::ofstream stream_;
};

int runMode(const Options& options, const RunSettings& settings, const FileRequests& files, std::istream& in,
    std::ostream& out, std::ostream& err)
{
    std::optional<ResultFile> resultFile;
    if (!options.output.empty() && options.format != OutputFormat::Xlsx) {
        resultFile.emplace(options.output);
    }
    std::ostream& results = resultFile ? resultFile->stream() : out;
    const Streams streams{in, results, err};
    const int status = options.film ? runFilm(options, settings, files, streams)
        : options.check             ? runCheck(options, settings, files, streams)
                                    : runSizing(options, settings, files, streams);
    // A run refused on the way (a batch that cannot be read) leaves the old file.
    if (resultFile && status != exitUsage) {
        try {
            resultFile->putInPlace();
        } catch (const OutputError& error) {
            say(err, error.what());
            return exitWriteFailed;
        }
    }
    return status;
}

// After a run stopped by a file that could not be written: the other files it did not
// write, each named, for a script to know which old ones still stand.
void sayNotWritten(const Options& options, std::string_view failed, std::ostream& err)
{
    for (const NamedFile& file : outputFilesOf(options)) {
        if (file.path != failed) {
            say(err, echoed(file.path) + " не записан: расчет прерван");
        }
    }
}

// A reader that went away ends the run quietly, as a pipe into `head` expects; any other
// refused write is said in one line, if the error stream still takes it.
int reportWriteFailure(std::ostream& err, const WriteFailed& failure)
{
    if (!failure.closedPipe()) {
        try {
            writeChecked(err, Stream::Error,
                std::string("plain-bearings-calc: не удалось записать ")
                    + (failure.toStandardError() ? "сообщения" : "результаты") + ": " + systemErrorText(failure.error())
                    + '\n',
                true);
        } catch (const WriteFailed&) {
            // Nowhere left to say it: the status says it.
        }
    }
    return exitWriteFailed;
}

int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err,
    const Environment& environment)
{
    const std::variant<Options, int> parsed = parseOptions(arguments, out, err);
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& options = std::get<Options>(parsed);
    if (options.format == OutputFormat::Xlsx && options.output.empty()) {
        return usageError(err,
            environment.outputIsTerminal ? "книга xlsx не выводится на терминал: задайте файл, --output ФАЙЛ.xlsx"
                                         : "книга xlsx пишется только в файл: задайте его, --output ФАЙЛ.xlsx");
    }
    if (const std::optional<std::string> problem = sameFileProblem(options, environment)) {
        return usageError(err, *problem);
    }
    const Catalogue catalogue;
    const RunSettings settings{.catalogue = &catalogue,
        .format = options.format,
        .group = options.group,
        .decimalSeparator = environment.decimalSeparator,
        .width = options.wide ? noWidthLimit : environment.width,
        .strict = options.strict,
        .csvDialect = options.csvDialect,
        .output = options.output,
        .encoding = options.encoding,
        .separator = options.separator,
        .jobs = options.jobs,
        // Results on the same terminal show the progress themselves.
        .showProgress = environment.errorIsTerminal && (!environment.outputIsTerminal || !options.output.empty()),
        .progressAfter = environment.progressAfter,
        .quickCase = environment.quickCase};
    FileRequests files{.chart = options.chart,
        .chartKind = options.chartKind,
        .report = options.report,
        .date = {},
        .decimalSeparator = environment.decimalSeparator,
        .allMaterials = options.mode == Mode::AllMaterials};
    if (files.report) {
        const std::optional<std::string> date = reportDateFrom(
            environment.sourceDateEpoch ? environment.sourceDateEpoch->c_str() : nullptr, environment.now);
        if (!date) {
            return usageError(err,
                "SOURCE_DATE_EPOCH — не дата: нужно целое число секунд с 1970 года, не больше 253402300799 "
                "(31.12.9999)");
        }
        files.date = *date;
    }
    if (!outputFilesWritable(options, err)) {
        return exitWriteFailed;
    }
    try {
        return runMode(options, settings, files, in, out, err);
    } catch (const BatchRefused& refusal) {
        // Refused before a batch was read, or beyond one.
        return usageError(err, refusal.what());
    } catch (const OutputError& failure) {
        // The file of --output: what is said names it and the reason.
        say(err, failure.what());
        sayNotWritten(options, options.output, err);
        return exitWriteFailed;
    } catch (const WriteFailed& failure) {
        if (failure.toStandardError() || failure.closedPipe()) {
            throw;
        }
        if (options.output.empty()) {
            reportWriteFailure(err, failure);
        } else {
            say(err, failureOf(options.output) + ": " + systemErrorText(failure.error()));
        }
        sayNotWritten(options, options.output, err);
        return exitWriteFailed;
    }
}

}  // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err,
    const Environment& environment)
{
    try {
        return run(arguments, in, out, err, environment);
    } catch (const WriteFailed& failure) {
        return reportWriteFailure(err, failure);
    } catch (const OutputError& failure) {
        // The workbook's file: what is said names it and the reason.
        try {
            writeChecked(err, Stream::Error, std::string("plain-bearings-calc: ") + failure.what() + '\n', true);
        } catch (const WriteFailed&) {
            // The status says it.
        }
        return exitWriteFailed;
    }
}

}  // namespace bearing::cli
