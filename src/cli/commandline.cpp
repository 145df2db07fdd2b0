#include "commandline.h"

#include "batchrun.h"
#include "caseruns.h"
#include "checkedoutput.h"
#include "checkruns.h"
#include "materiallist.h"
#include "options.h"
#include "outputfiles.h"
#include "systemerror.h"
#include "workbookwriter.h"

#include <functional>
#include <variant>

namespace bearing::cli {

namespace {

int runCheck(const Options& options, const RunSettings& settings, const FileRequests& files, std::istream& in,
    std::ostream& out, std::ostream& err)
{
    const CheckTexts texts{.material = options.texts.material,
        .load = options.texts.load,
        .frequency = options.texts.frequency,
        .diameter = options.diameter,
        .length = options.texts.length.value_or(""),
        .temperature = options.temperature};
    // The chart and the report hold the checks as they were written, collected as they run.
    std::vector<CheckReportCase> cases;
    std::function<void(const CheckRecord&)> collect;
    if (files.chart || files.report) {
        collect = [&cases, &settings](
                      const CheckRecord& record) { cases.push_back(reportCase(*settings.catalogue, record)); };
    }
    int status = exitUsage;
    switch (options.mode) {
    case Mode::OneCase: status = runCheckOne(settings, texts, out, err, collect); break;
    case Mode::AllMaterials: status = runCheckAll(settings, texts, options.sortByUse, out, err, collect); break;
    case Mode::Batch: status = runCheckBatch(settings, options.batch, in, out, err, collect); break;
    case Mode::ListMaterials: return exitUsage;
    }
    if (status == exitUsage || !collect) {
        return status;
    }
    const int written = writeCheckFiles(files, cases, err);
    return written != exitResults ? written : status;
}

int runSizing(const Options& options, const RunSettings& settings, const FileRequests& files, std::istream& in,
    std::ostream& out, std::ostream& err)
{
    // The chart and the report hold the cases as they were written, collected as they run.
    std::vector<SizingReportCase> cases;
    std::function<void(const CaseRecord&)> collect;
    if (files.chart || files.report) {
        collect = [&cases, &settings](
                      const CaseRecord& record) { cases.push_back(sizingReportCase(*settings.catalogue, record)); };
    }
    int status = exitUsage;
    switch (options.mode) {
    case Mode::OneCase: status = runOneCase(settings, options.texts, out, err, collect); break;
    case Mode::AllMaterials: status = runAllMaterials(settings, options.texts, out, err, collect); break;
    case Mode::Batch: status = runBatch(settings, options.batch, in, out, err, collect); break;
    case Mode::ListMaterials: writeMaterialList(settings, out); return exitResults;
    }
    if (status == exitUsage || !collect) {
        return status;
    }
    const int written = writeSizingFiles(files, cases, err);
    return written != exitResults ? written : status;
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
        .separator = options.separator};
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
            return usageError(err, "SOURCE_DATE_EPOCH — не целое число секунд с 1970 года");
        }
        files.date = *date;
    }
    return options.check ? runCheck(options, settings, files, in, out, err)
                         : runSizing(options, settings, files, in, out, err);
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
