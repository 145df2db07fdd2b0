#include "checkruns.h"

#include "batchheader.h"
#include "batchreader.h"
#include "batchrun.h"
#include "checkwriter.h"
#include "csvdialect.h"
#include "exitstatus.h"
#include "messagelog.h"
#include "options.h"
#include "terminaltext.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>

namespace bearing::cli {

namespace {

int statusOf(const CheckRecord& record) { return record.passed() ? exitResults : exitMessage; }

WriterSetup setupFor(const RunSettings& settings, Layout layout, std::vector<std::string> carriedNames = {})
{
    WriterSetup setup = settings.writerSetup(layout);
    setup.carriedNames = std::move(carriedNames);
    return setup;
}

// A batch of checks as it streams in: the header first, then one written check a record.
class CheckBatch {
public:
    CheckBatch(const RunSettings& settings, std::ostream& out, std::ostream& err,
        const std::function<void(const CheckRecord&)>& onCheck)
        : settings_(settings)
        , onCheck_(onCheck)
        , out_(out)
        , log_(err)
        , runner_(settings)
    {
    }

    bool take(const CsvRecord& record)
    {
        if (record.number > 0) {
            takeCheck(record);
            return true;
        }
        headerRead_ = true;
        HeaderRead header = readHeader(record, checkBatchJob());
        columns_ = std::move(header.columns);
        headerProblem_ = std::move(header.problem);
        if (!headerProblem_) {
            decimalMark_ = decimalMarkOf(record.separator);
            writer_
                = makeCheckWriter(out_, settings_.format, setupFor(settings_, Layout::Batch, columns_.carriedNames));
        }
        return !headerProblem_;
    }

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

    [[nodiscard]] bool allPass() const { return allPass_; }

private:
    // The texts as the check reads them, the numbers in the batch's dialect (csvdialect.h);
    // with decimal points, the texts as given.
    const CheckTexts& readTexts()
    {
        if (decimalMark_ == '.') {
            return texts_;
        }
        read_.material = texts_.material;
        read_.load = numberField(texts_.load, decimalMark_, buffer_);
        read_.frequency = numberField(texts_.frequency, decimalMark_, buffer_);
        read_.diameter = numberField(texts_.diameter, decimalMark_, buffer_);
        read_.length = numberField(texts_.length, decimalMark_, buffer_);
        read_.temperature.reset();
        if (texts_.temperature) {
            read_.temperature = numberField(*texts_.temperature, decimalMark_, buffer_);
        }
        return read_;
    }

    void takeCheck(const CsvRecord& record)
    {
        const auto field = [this, &record](BatchColumn column) { return columns_.field(record, column); };
        texts_.material.assign(field(BatchColumn::Material));
        texts_.load.assign(field(BatchColumn::Load));
        texts_.frequency.assign(field(BatchColumn::Frequency));
        texts_.diameter.assign(field(BatchColumn::Diameter));
        texts_.length.assign(field(BatchColumn::Length));
        // An empty temperature is not compared.
        if (const std::string_view temperature = field(BatchColumn::Temperature); temperature.empty()) {
            texts_.temperature.reset();
        } else {
            texts_.temperature.emplace(temperature);
        }
        carried_.resize(columns_.carried.size());
        for (std::size_t i = 0; i < carried_.size(); ++i) {
            carried_[i].assign(columns_.carriedField(record, i));
        }
        record_.carried = carried_;
        record_.carriedNames = columns_.carriedNames;
        const std::string_view groupText = field(BatchColumn::Group);
        const std::optional<Group> group = groupText.empty() ? settings_.group : groupFromName(groupText);
        if (const CaseProblem problem = recordProblem(record, columns_.count); !problem.empty()) {
            runner_.refuse(texts_, problem, record_);
        } else if (!groupText.empty() && !group) {
            runner_.refuse(texts_,
                {codes::unknownGroup, "неизвестная группа " + echoed(groupText) + ": dry или lubricated"}, record_);
        } else {
            const CheckTexts& read = readTexts();
            runner_.run(read, group, record_);
            record_.texts = &texts_;  // the inputs as given
            record_.read = &read;
        }
        writer_->write(record_);
        allPass_ = allPass_ && record_.passed();
        if (record_.endedInMessage() && !writer_->showsMessages()) {
            log_.add("Строка " + std::to_string(record.number) + ": ", record_.messages);
        }
        if (onCheck_) {
            onCheck_(record_);
        }
    }

    const RunSettings& settings_;
    const std::function<void(const CheckRecord&)>& onCheck_;
    std::ostream& out_;
    MessageLog log_;
    CheckRunner runner_;
    std::unique_ptr<CheckWriter> writer_;
    BatchColumns columns_;
    CheckTexts texts_;
    CheckTexts read_;     // texts_ with the numbers read in the batch's dialect
    std::string buffer_;  // a field being rewritten for read_
    char decimalMark_ = '.';
    std::vector<std::string> carried_;
    CheckRecord record_;
    bool headerRead_ = false;
    std::optional<std::string> headerProblem_;
    bool allPass_ = true;
};

}  // namespace

const BatchJob& checkBatchJob()
{
    static constexpr std::array<BatchColumn, 7> columns{BatchColumn::Material, BatchColumn::Load,
        BatchColumn::Frequency, BatchColumn::Diameter, BatchColumn::Length, BatchColumn::Temperature,
        BatchColumn::Group};
    static const BatchJob job{.columns = columns,
        .required = 5,
        .batchName = "пакета проверки",
        .columnsName = "проверки",
        .isOutputField = [](std::string_view name) { return hasColumn(checkColumns(), name); }};
    return job;
}

void CheckRunner::run(const CheckTexts& texts, std::optional<Group> group, CheckRecord& record)
{
    const MaterialChoice& choice = materials_.choose(texts.material, group);
    record.texts = &texts;
    record.read = nullptr;
    record.row = choice.kind == MaterialChoice::Kind::Found ? choice.row : -1;
    record.material = record.row >= 0 ? &settings_.catalogue->fields(record.row) : nullptr;
    record.limits = record.row >= 0 ? &settings_.catalogue->listed().row(record.row) : nullptr;
    record.check.reset();
    if (record.row < 0) {
        fillCheckResults(record, choice.problem(texts.material));
        return;
    }
    std::optional<std::string_view> temperature;
    if (texts.temperature) {
        temperature = *texts.temperature;
    }
    record.check = checkDesign(settings_.catalogue->listed().row(record.row),
        DesignCheckTexts{texts.load, texts.frequency, texts.diameter, texts.length, temperature});
    fillCheckResults(record, {});
}

void CheckRunner::refuse(const CheckTexts& texts, const CaseProblem& problem, CheckRecord& record) const
{
    record.texts = &texts;
    record.read = nullptr;
    record.row = -1;
    record.material = nullptr;
    record.limits = nullptr;
    record.check.reset();
    fillCheckResults(record, problem);
}

CheckReportCase reportCase(const Catalogue& catalogue, const CheckRecord& record)
{
    // The report reads its figures from the texts it shows: a number as given where it reads
    // the same, else as the check read it in its batch's dialect ("1 500,5" as "1500.5").
    const auto shown = [&record](std::string CheckTexts::*field) -> const std::string& {
        const std::string& given = record.texts->*field;
        return record.read == nullptr || readCheckNumber(given) == readCheckNumber(record.read->*field)
            ? given
            : record.read->*field;
    };
    std::optional<std::string_view> temperature;
    if (record.texts->temperature) {
        temperature = *record.texts->temperature;
    }
    return checkReportCase(record.texts->material, catalogue.listed(), record.row,
        DesignCheckTexts{shown(&CheckTexts::load), shown(&CheckTexts::frequency), shown(&CheckTexts::diameter),
            shown(&CheckTexts::length), temperature},
        record.check.value_or(DesignCheck{}), record.row < 0 ? record.messages : std::vector<std::string>{});
}

int runCheckOne(const RunSettings& settings, const CheckTexts& texts, std::ostream& out, std::ostream& err,
    const std::function<void(const CheckRecord&)>& onCheck)
{
    CheckRunner runner(settings);
    CheckRecord record;
    runner.run(texts, settings.group, record);
    const std::unique_ptr<CheckWriter> writer
        = makeCheckWriter(out, settings.format, setupFor(settings, Layout::OneCase));
    writer->write(record);
    writer->finish();
    if (onCheck) {
        onCheck(record);
    }
    MessageLog log(err);
    log.add("", record.messages);
    log.flush();
    return statusOf(record);
}

int runCheckAll(const RunSettings& settings, const CheckTexts& texts, bool sortByUse, std::ostream& out,
    std::ostream& err, const std::function<void(const CheckRecord&)>& onCheck)
{
    CheckRunner runner(settings);
    std::array<CheckTexts, MaterialCatalogue::rowCount> materials;
    std::array<CheckRecord, MaterialCatalogue::rowCount> records;
    for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
        auto& material = materials.at(static_cast<std::size_t>(row));
        material = texts;
        // By number: two materials share a name.
        material.material = settings.catalogue->fields(row).row;
        runner.run(material, std::nullopt, records.at(static_cast<std::size_t>(row)));
        material.material = settings.catalogue->name(row);
    }
    std::array<std::size_t, MaterialCatalogue::rowCount> order{};
    std::iota(order.begin(), order.end(), 0);
    if (sortByUse) {
        const auto use = [&records](std::size_t i) {
            const CheckRecord& record = records.at(i);
            return record.check && record.check->fault == CheckFault::None ? record.check->governingUse
                                                                           : std::numeric_limits<double>::infinity();
        };
        std::stable_sort(order.begin(), order.end(), [&use](std::size_t a, std::size_t b) { return use(a) < use(b); });
    }
    const std::unique_ptr<CheckWriter> writer
        = makeCheckWriter(out, settings.format, setupFor(settings, Layout::MaterialTable));
    MessageLog log(err);
    bool allPass = true;
    for (const std::size_t i : order) {
        const CheckRecord& record = records.at(i);
        writer->write(record);
        allPass = allPass && record.passed();
        if (!writer->showsMessages()) {
            log.add(record.material->row + " " + record.material->shownName + ": ", record.messages);
        }
        if (onCheck) {
            onCheck(record);
        }
    }
    writer->finish();
    log.flush();
    return allPass ? exitResults : exitMessage;
}

int runCheckBatch(const RunSettings& settings, const std::string& source, std::istream& in, std::ostream& out,
    std::ostream& err, const std::function<void(const CheckRecord&)>& onCheck)
{
    CheckBatch batch(settings, out, err, onCheck);
    const BatchSink sink{.take = [&batch](const CsvRecord& record) { return batch.take(record); },
        .problem = [&batch] { return batch.problem(); },
        .note = [&batch](const std::string& note) { batch.note(note); },
        .finish = [&batch] { batch.finish(); }};
    if (const std::optional<std::string> problem = readBatch(settings, source, in, sink)) {
        return usageError(err, *problem);
    }
    batch.finish();
    return batch.allPass() ? exitResults : exitMessage;
}

}  // namespace bearing::cli
