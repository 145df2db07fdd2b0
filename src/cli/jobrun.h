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
#include "batchprogress.h"
#include "batchrun.h"
#include "caserunner.h"
#include "checkedoutput.h"
#include "csvdialect.h"
#include "exitstatus.h"
#include "materialchoice.h"
#include "messagelog.h"
#include "options.h"
#include "terminaltext.h"
#include "workerpool.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <istream>
#include <memory>
#include <numeric>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
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

// A batch as it streams in: the header first, then its records in chunks. The records of
// a chunk are copied into slots of their own and run side by side by the workers of
// --jobs, each worker with a runner of its own, while the thread that reads fills the
// next chunk; it then writes the first in the batch's order, and it alone touches the
// writer, the report and the log. Memory is that of two chunks, however long the batch.
// Cases quicker than handing them to another core (a sizing takes microseconds, an oil
// film milliseconds) are run by the thread that reads, as long as they stay quick. With
// one worker no thread is started and a chunk is one record, run as it comes.
template <class Job> class JobBatch {
public:
    using Texts = typename Job::Texts;
    using Record = typename Job::Record;

    JobBatch(const RunSettings& settings, std::ostream& out, std::ostream& err, const CaseHandler<Job>& onCase,
        std::optional<std::uintmax_t> size)
        : settings_(settings)
        , onCase_(onCase)
        , out_(out)
        , log_(err)
        , progress_(err, settings.showProgress, settings.progressAfter, size)
        , workers_(settings.jobs)
        , chunk_(workers_.size() == 1 ? 1 : firstChunkPerWorker * workers_.size())
    {
        runners_.reserve(workers_.size());
        for (std::size_t worker = 0; worker < workers_.size(); ++worker) {
            runners_.emplace_back(settings);
        }
        if (settings.showProgress) {
            log_.holdUntilFlush();
        }
    }

    JobBatch(const JobBatch&) = delete;
    JobBatch& operator=(const JobBatch&) = delete;
    JobBatch(JobBatch&&) = delete;
    JobBatch& operator=(JobBatch&&) = delete;

    ~JobBatch()
    {
        try {
            stopProgress();
        } catch (const WriteFailed&) {
            // The error stream is gone: there is no line left to take away.
        }
    }

    // False to stop reading: the header is unusable.
    bool take(const CsvRecord& record)
    {
        if (record.number > 0) {
            fill(chunks_.at(filling_), record);
            if (chunks_.at(filling_).filled == chunk_) {
                pass();
            }
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

    // The records taken and not yet written, run and written: the batch is read.
    void drain()
    {
        if (chunks_.at(filling_).filled > 0) {
            pass();
        }
        if (running_) {
            writeRunning();
        }
        stopProgress();
    }

    // The problem that makes the batch unusable, if any.
    [[nodiscard]] std::optional<std::string> problem() const
    {
        return headerRead_ ? headerProblem_ : std::optional<std::string>("в пакете нет заголовка");
    }

    void note(const std::string& text)
    {
        stopProgress();
        log_.add("", std::span(&text, 1));
    }

    void finish()
    {
        stopProgress();
        writer_->finish();
        log_.flush();
    }

    // The progress line taken away for good.
    void stopProgress() { progress_.clear(); }

    [[nodiscard]] bool anyFailed() const { return anyFailed_; }

private:
    // A chunk starts at this many records a worker and doubles while its run takes less
    // than chunkTime, up to maxChunk: quick cases go in large chunks, so that the workers
    // seldom wait for the thread that reads, slow ones in small chunks, so that the
    // progress moves.
    static constexpr std::size_t firstChunkPerWorker = 8;
    static constexpr std::size_t maxChunk = 512;
    static constexpr std::chrono::nanoseconds chunkTime = std::chrono::milliseconds(50);

    // A record of the batch as it was read, and its case once run.
    struct Slot {
        std::size_t number = 0;  // the record's number in the batch
        Texts texts;             // as given
        Texts read;              // the numbers read in the batch's dialect, when not as given
        bool readAsGiven = true;
        std::vector<std::string> carried;
        std::optional<Group> group;
        CaseProblem refusal;  // why the record is refused before its calculation; empty: none
        std::uintmax_t position = 0;
        Record record;
    };

    // A deque: a slot stays where it is while the chunk grows.
    struct Chunk {
        std::deque<Slot> slots;
        std::size_t filled = 0;
        std::atomic<std::size_t> next = 0;  // the next slot a worker takes
    };

    void fill(Chunk& chunk, const CsvRecord& record)
    {
        if (chunk.filled == chunk.slots.size()) {
            chunk.slots.emplace_back();
        }
        Slot& slot = chunk.slots[chunk.filled++];
        slot.number = record.number;
        slot.position = record.position;
        // The texts are assigned, not rebuilt: their strings keep their capacity.
        for (const JobInput<Texts>& input : Job::inputs) {
            const std::string_view field = columns_.field(record, input.column);
            if (input.text != nullptr) {
                (slot.texts.*input.text).assign(field);
            } else if (std::optional<std::string>& text = slot.texts.*input.optional; field.empty()) {
                text.reset();
            } else if (text) {
                text->assign(field);
            } else {
                text.emplace(field);
            }
        }
        slot.carried.resize(columns_.carried.size());
        for (std::size_t i = 0; i < slot.carried.size(); ++i) {
            slot.carried[i].assign(columns_.carriedField(record, i));
        }
        slot.record.carried = slot.carried;
        slot.record.carriedNames = columns_.carriedNames;
        const std::string_view groupText = columns_.field(record, BatchColumn::Group);
        slot.group = groupText.empty() ? settings_.group : groupFromName(groupText);
        slot.refusal = recordProblem(record, columns_.count);
        if (slot.refusal.empty() && !groupText.empty() && !slot.group) {
            slot.refusal = {codes::unknownGroup, "неизвестная группа " + echoed(groupText) + ": dry или lubricated"};
        }
        slot.readAsGiven = decimalMark_ == '.' || !slot.refusal.empty();
        if (!slot.readAsGiven) {
            readTexts(slot);
        }
    }

    // The chunk being filled goes to the workers, once the one before it is written; the
    // other chunk is filled meanwhile.
    void pass()
    {
        if (running_) {
            writeRunning();
        }
        Chunk& chunk = chunks_.at(filling_);
        chunk.next = 0;
        busy_ = 0;
        const auto work = [this, &chunk](std::size_t worker) {
            const BatchProgress::Clock::time_point start = BatchProgress::Clock::now();
            typename Job::Runner& runner = runners_[worker];
            for (std::size_t i = chunk.next++; i < chunk.filled; i = chunk.next++) {
                runSlot(chunk.slots[i], runner);
            }
            busy_ += (BatchProgress::Clock::now() - start).count();
        };
        running_ = true;
        filling_ = 1 - filling_;
        withWorkers_ = handOver_;
        if (withWorkers_) {
            workers_.start(work);
        } else {
            work(0);
            writeRunning();
        }
    }

    static void runSlot(Slot& slot, typename Job::Runner& runner)
    {
        Record& record = slot.record;
        if (!slot.refusal.empty()) {
            runner.refuse(slot.texts, slot.refusal, record);
        } else {
            const Texts& read = slot.readAsGiven ? slot.texts : slot.read;
            runner.run(read, slot.group, record);
            record.read = &read;
        }
        record.texts = &slot.texts;  // the inputs as given, whatever the calculation read
    }

    // The chunk with the workers, once they are done, written in the batch's order. A case
    // the report refuses (BatchRefused) stops the batch there: the rest is dropped.
    void writeRunning()
    {
        running_ = false;
        Chunk& chunk = chunks_.at(1 - filling_);
        if (withWorkers_) {
            workers_.wait();
        }
        const std::size_t count = std::exchange(chunk.filled, 0);
        const BatchProgress::Clock::duration busy(busy_.load());
        handOver_ = workers_.size() > 1 && busy > settings_.quickCase * count;
        if (handOver_ && chunk_ < maxChunk && busy < chunkTime * workers_.size()) {
            chunk_ *= 2;
        }
        for (std::size_t i = 0; i < count; ++i) {
            write(chunk.slots[i]);
        }
        if (settings_.showProgress && log_.holdsAny()) {
            progress_.clear();
            log_.flush();
        }
        progress_.update(written_, chunk.slots[count - 1].position);
    }

    void write(const Slot& slot)
    {
        const Record& record = slot.record;
        writer_->write(record);
        ++written_;
        anyFailed_ = anyFailed_ || Job::fails(record);
        if (onCase_) {
            onCase_(record);
        }
        if (record.endedInMessage() && !writer_->showsMessages()) {
            log_.add("Строка " + std::to_string(slot.number) + ": ", record.messages);
        }
    }

    // The slot's texts as the calculation reads them, the numbers in the batch's dialect
    // (csvdialect.h).
    void readTexts(Slot& slot)
    {
        for (const JobInput<Texts>& input : Job::inputs) {
            const auto read = [this, &input](const std::string& given) -> std::string_view {
                return input.number ? numberField(given, decimalMark_, buffer_, Job::noBreakSpaces) : given;
            };
            if (input.text != nullptr) {
                slot.read.*input.text = read(slot.texts.*input.text);
            } else if (const std::optional<std::string>& given = slot.texts.*input.optional) {
                slot.read.*input.optional = read(*given);
            } else {
                (slot.read.*input.optional).reset();
            }
        }
    }

    const RunSettings& settings_;
    const CaseHandler<Job>& onCase_;
    std::ostream& out_;
    MessageLog log_;
    BatchProgress progress_;
    std::unique_ptr<RecordWriter<Record>> writer_;
    BatchColumns columns_;
    std::string buffer_;  // a field being rewritten for a slot's read texts
    char decimalMark_ = '.';
    std::size_t written_ = 0;
    bool headerRead_ = false;
    std::optional<std::string> headerProblem_;
    bool anyFailed_ = false;
    std::array<Chunk, 2> chunks_;
    std::size_t filling_ = 0;                          // the chunk being filled; the other may be with the workers
    bool running_ = false;                             // the other chunk is run, or with the workers
    bool withWorkers_ = false;                         // it is with the workers
    bool handOver_ = false;                            // the next chunk goes to the workers: its cases are slow
    std::atomic<BatchProgress::Clock::rep> busy_ = 0;  // the time the workers took for the chunk
    std::vector<typename Job::Runner> runners_;        // one a worker
    // Last: a round under way ends before the chunks and the runners go.
    WorkerPool workers_;
    std::size_t chunk_;  // the records of a chunk
};

// The cases of a CSV batch from the file `source` ("-": `in`), a row of output for every
// record in the batch's order. Nothing is written before the header is found usable;
// memory does not grow with the batch.
template <class Job>
[[nodiscard]] int runJobBatch(const RunSettings& settings, const std::string& source, std::istream& in,
    std::ostream& out, std::ostream& err, const CaseHandler<Job>& onCase = {})
{
    JobBatch<Job> batch(settings, out, err, onCase, batchSize(source));
    const BatchSink sink{.take = [&batch](const CsvRecord& record) { return batch.take(record); },
        .drain = [&batch] { batch.drain(); },
        .problem = [&batch] { return batch.problem(); },
        .note = [&batch](const std::string& note) { batch.note(note); },
        .finish = [&batch] { batch.finish(); }};
    const std::optional<std::string> problem = readBatch(settings, source, in, sink);
    batch.stopProgress();
    if (problem) {
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
