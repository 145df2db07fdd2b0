#include "commandline.h"

#include "batchrun.h"
#include "caseruns.h"
#include "checkedoutput.h"
#include "materiallist.h"
#include "options.h"
#include "systemerror.h"

#include <variant>

namespace bearing::cli {

namespace {

int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err,
    const Environment& environment)
{
    const std::variant<Options, int> parsed = parseOptions(arguments, out, err);
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& options = std::get<Options>(parsed);
    const Catalogue catalogue;
    const RunSettings settings{.catalogue = &catalogue,
        .format = options.format,
        .group = options.group,
        .decimalSeparator = environment.decimalSeparator,
        .width = options.wide ? noWidthLimit : environment.width,
        .strict = options.strict};
    switch (options.mode) {
    case Mode::OneCase: return runOneCase(settings, options.texts, out, err);
    case Mode::AllMaterials: return runAllMaterials(settings, options.texts, out, err);
    case Mode::Batch: return runBatch(settings, options.batch, in, out, err);
    case Mode::ListMaterials:
        writeMaterialList(catalogue, options.format, out, settings.decimalSeparator, settings.width);
        return exitResults;
    }
    return exitUsage;
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
    }
}

}  // namespace bearing::cli
