#pragma once

// One run of a job: a calculation the command line makes for a case (the sizing, the
// design check, the oil film), for one case, for every material, or for a batch, by one
// code path each, whatever the job. A job type declares:
//
//   Texts                          the inputs of a case, as given
//   Record                         a case as the writers read it: `texts` (as given),
//                                  `read` (as the calculation read them), `carried` and
//                                  `carriedNames` (a batch's own columns), `messages`
//   perMaterial                    whether it runs in a material (--all, --group)
//   Runner                         runs a case: run(read, group, record), and
//                                  refuse(texts, problem, record) for one refused before
//   batchJob()                     its columns in a batch (batchheader.h)
//   inputs                         where each column's text goes in Texts (JobInput)
//   noBreakSpaces                  which no-break spaces its numbers lose in a batch
//   makeWriter(out, format, setup) its writer of each format
//   fails(record)                  a case that makes the run's status exitMessage
//   useOf(record), optionally      the order of --sort utilisation
//
// One status rule: exitResults when no case fails, exitMessage otherwise; a batch that
// cannot be read is a usage error. A case's messages go to the standard error, after a
// prefix that names it, unless its output shows them (the notes under a table).

#include "batchheader.h"
#include "batchrun.h"
#include "caserunner.h"
#include "csvdialect.h"
#include "exitstatus.h"
#include "materialchoice.h"
#include "messagelog.h"
#include "options.h"
#include "terminaltext.h"

#include <algorithm>
#include <array>
#include <functional>
#include <istream>
#include <memory>
#include <numeric>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace bearing::cli {

template <class Job> using CaseHandler = std::function<void(const typename Job::Record&)>;

[[nodiscard]] inline int statusOf(bool anyFailed) { return anyFailed ? exitMessage : exitResults; }

// One case: its results on `out`, its messages on `err`. `onCase`, when given, sees the
// case after it is written (for a report).
template <class Job>
[[nodiscard]] int runJobOne(const RunSettings& settings, const typename Job::Texts& texts, std::ostream& out,
    std::ostream& err, const CaseHandler<Job>& onCase = {})
{
    typename Job::Runner runner(settings);
    typename Job::Record record;
    runner.run(texts, settings.group, record);
    const auto writer = Job::makeWriter(out, settings.format, settings.writerSetup(Layout::OneCase));
    writer->write(record);
    writer->finish();
    if (onCase) {
        onCase(record);
    }
    MessageLog log(err);
    log.add("", record.messages);
    log.flush();
    return statusOf(Job::fails(record));
}

// The same case in every material of the catalogue, in catalogue order, or with
// `sortByUse` (for a job that has a use) from the smallest use to the largest.
template <class Job>
[[nodiscard]] int runJobAll(const RunSettings& settings, const typename Job::Texts& texts, bool sortByUse,
    std::ostream& out, std::ostream& err, const CaseHandler<Job>& onCase = {})
{
    typename Job::Runner runner(settings);
    typename Job::Record record;
    typename Job::Texts material = texts;
    const auto runRow = [&](std::size_t row) {
        const int index = static_cast<int>(row);
        // By number: two materials share a name; the case then shows the name.
        material.material = settings.catalogue->fields(index).row;
        runner.run(material, std::nullopt, record);
        material.material = settings.catalogue->name(index);
    };
    std::array<std::size_t, MaterialCatalogue::rowCount> order{};
    std::iota(order.begin(), order.end(), 0);
    if constexpr (requires { Job::useOf(record); }) {
        if (sortByUse) {
            // Each case is run again as it is written: nothing is held but the order.
            std::array<double, MaterialCatalogue::rowCount> use{};
            for (const std::size_t row : order) {
                runRow(row);
                use.at(row) = Job::useOf(record);
            }
            std::ranges::stable_sort(order, {}, [&use](std::size_t row) { return use.at(row); });
        }
    }
    const auto writer = Job::makeWriter(out, settings.format, settings.writerSetup(Layout::MaterialTable));
    MessageLog log(err);
    bool anyFailed = false;
    for (const std::size_t row : order) {
        runRow(row);
        writer->write(record);
        anyFailed = anyFailed || Job::fails(record);
        if (!writer->showsMessages()) {
            log.add(record.material->row + " " + record.material->shownName + ": ", record.messages);
        }
        if (onCase) {
            onCase(record);
        }
    }
    writer->finish();
    log.flush();
    return statusOf(anyFailed);
}

// A batch as it streams in: the header first, then one written case a record.
template <class Job> class JobBatch {
public:
    using Texts = typename Job::Texts;
    using Record = typename Job::Record;

    JobBatch(const RunSettings& settings, std::ostream& out, std::ostream& err, const CaseHandler<Job>& onCase)
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
        HeaderRead header = readHeader(record, Job::batchJob());
        columns_ = std::move(header.columns);
        headerProblem_ = std::move(header.problem);
        if (!headerProblem_) {
            decimalMark_ = decimalMarkOf(record.separator);
            WriterSetup setup = settings_.writerSetup(Layout::Batch);
            setup.carriedNames = columns_.carriedNames;
            setup.inputDecimalMark = decimalMark_;
            writer_ = Job::makeWriter(out_, settings_.format, setup);
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

    [[nodiscard]] bool anyFailed() const { return anyFailed_; }

private:
    void takeCase(const CsvRecord& record)
    {
        // The texts are assigned, not rebuilt: their strings keep their capacity.
        for (const JobInput<Texts>& input : Job::inputs) {
            const std::string_view field = columns_.field(record, input.column);
            if (input.text != nullptr) {
                (texts_.*input.text).assign(field);
            } else if (std::optional<std::string>& text = texts_.*input.optional; field.empty()) {
                text.reset();
            } else if (text) {
                text->assign(field);
            } else {
                text.emplace(field);
            }
        }
        carried_.resize(columns_.carried.size());
        for (std::size_t i = 0; i < carried_.size(); ++i) {
            carried_[i].assign(columns_.carriedField(record, i));
        }
        record_.carried = carried_;
        record_.carriedNames = columns_.carriedNames;
        const std::string_view groupText = columns_.field(record, BatchColumn::Group);
        const std::optional<Group> group = groupText.empty() ? settings_.group : groupFromName(groupText);
        if (const CaseProblem problem = recordProblem(record, columns_.count); !problem.empty()) {
            runner_.refuse(texts_, problem, record_);
        } else if (!groupText.empty() && !group) {
            runner_.refuse(texts_,
                {codes::unknownGroup, "неизвестная группа " + echoed(groupText) + ": dry или lubricated"}, record_);
        } else {
            const Texts& read = readTexts();
            runner_.run(read, group, record_);
            record_.read = &read;
        }
        record_.texts = &texts_;  // the inputs as given, whatever the calculation read
        writer_->write(record_);
        anyFailed_ = anyFailed_ || Job::fails(record_);
        if (onCase_) {
            onCase_(record_);
        }
        if (record_.endedInMessage() && !writer_->showsMessages()) {
            log_.add("Строка " + std::to_string(record.number) + ": ", record_.messages);
        }
    }

    // The texts as the calculation reads them, the numbers in the batch's dialect
    // (csvdialect.h); with decimal points, the texts as given.
    const Texts& readTexts()
    {
        if (decimalMark_ == '.') {
            return texts_;
        }
        for (const JobInput<Texts>& input : Job::inputs) {
            const auto read = [this, &input](const std::string& given) -> std::string_view {
                return input.number ? numberField(given, decimalMark_, buffer_, Job::noBreakSpaces) : given;
            };
            if (input.text != nullptr) {
                read_.*input.text = read(texts_.*input.text);
            } else if (const std::optional<std::string>& given = texts_.*input.optional) {
                read_.*input.optional = read(*given);
            } else {
                (read_.*input.optional).reset();
            }
        }
        return read_;
    }

    const RunSettings& settings_;
    const CaseHandler<Job>& onCase_;
    std::ostream& out_;
    MessageLog log_;
    typename Job::Runner runner_;
    std::unique_ptr<RecordWriter<Record>> writer_;
    BatchColumns columns_;
    Texts texts_;
    Texts read_;          // texts_ with the numbers read in the batch's dialect
    std::string buffer_;  // a field being rewritten for read_
    char decimalMark_ = '.';
    std::vector<std::string> carried_;
    Record record_;
    bool headerRead_ = false;
    std::optional<std::string> headerProblem_;
    bool anyFailed_ = false;
};

// The cases of a CSV batch from the file `source` ("-": `in`), a row of output for every
// record as it streams in. Nothing is written before the header is found usable; memory
// does not grow with the batch.
template <class Job>
[[nodiscard]] int runJobBatch(const RunSettings& settings, const std::string& source, std::istream& in,
    std::ostream& out, std::ostream& err, const CaseHandler<Job>& onCase = {})
{
    JobBatch<Job> batch(settings, out, err, onCase);
    const BatchSink sink{.take = [&batch](const CsvRecord& record) { return batch.take(record); },
        .problem = [&batch] { return batch.problem(); },
        .note = [&batch](const std::string& note) { batch.note(note); },
        .finish = [&batch] { batch.finish(); }};
    if (const std::optional<std::string> problem = readBatch(settings, source, in, sink)) {
        return usageError(err, *problem);
    }
    batch.finish();
    return statusOf(batch.anyFailed());
}

// The job in the mode of the options: one case, every material, or a batch.
template <class Job>
[[nodiscard]] int runJob(const Options& options, const RunSettings& settings, const typename Job::Texts& texts,
    std::istream& in, std::ostream& out, std::ostream& err, const CaseHandler<Job>& onCase)
{
    switch (options.mode) {
    case Mode::OneCase: return runJobOne<Job>(settings, texts, out, err, onCase);
    case Mode::AllMaterials:
        if constexpr (Job::perMaterial) {
            return runJobAll<Job>(settings, texts, options.sortByUse, out, err, onCase);
        }
        break;
    case Mode::Batch: return runJobBatch<Job>(settings, options.batch, in, out, err, onCase);
    case Mode::ListMaterials: break;
    }
    return exitUsage;
}

}  // namespace bearing::cli
