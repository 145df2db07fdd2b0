#include "checkruns.h"

#include "batchreader.h"
#include "batchrun.h"
#include "checkwriter.h"
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

// Which field of a batch record holds which input; the others are carried through.
struct CheckColumns {
    std::size_t count = 0;
    std::optional<std::size_t> material, load, frequency, diameter, length, temperature, group;
    std::vector<std::size_t> carried;
    std::vector<std::string> carriedNames;
};

constexpr std::array<std::string_view, 7> knownColumns{
    "material", "load", "frequency", "diameter", "length", "temperature", "group"};

std::optional<std::string> readCheckHeader(const CsvRecord& header, CheckColumns& columns)
{
    columns.count = header.fieldCount;
    if (header.tooLong || header.fieldCount > header.fields.size()) {
        return "заголовок пакета слишком длинный";
    }
    const std::array<std::optional<std::size_t>*, knownColumns.size()> slots{&columns.material, &columns.load,
        &columns.frequency, &columns.diameter, &columns.length, &columns.temperature, &columns.group};
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string& name = header.fields[i];
        const std::string quoted = "«" + masked(name) + "»";
        const auto* known = std::find(knownColumns.begin(), knownColumns.end(), name);
        if (known != knownColumns.end()) {
            std::optional<std::size_t>& slot = *slots.at(static_cast<std::size_t>(known - knownColumns.begin()));
            if (slot) {
                return "столбец " + quoted + " повторяется в заголовке пакета";
            }
            slot = i;
            continue;
        }
        const auto fields = checkColumns();
        if (std::any_of(fields.begin(), fields.end(), [&name](const auto& column) { return column.name == name; })
            || std::find(columns.carriedNames.begin(), columns.carriedNames.end(), name)
                != columns.carriedNames.end()) {
            return "столбец " + quoted + " пакета совпадает с полем вывода или повторяется: переименуйте его";
        }
        columns.carried.push_back(i);
        columns.carriedNames.push_back(name);
    }
    if (!columns.material || !columns.load || !columns.frequency || !columns.diameter || !columns.length) {
        return "в заголовке пакета проверки нужны столбцы material, load, frequency, diameter и length";
    }
    return std::nullopt;
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
        headerProblem_ = readCheckHeader(record, columns_);
        if (!headerProblem_) {
            writer_
                = makeCheckWriter(out_, settings_.format, setupFor(settings_, Layout::Batch, columns_.carriedNames));
        }
        return !headerProblem_;
    }

    [[nodiscard]] std::optional<std::string> problem() const
    {
        return headerRead_ ? headerProblem_ : std::optional<std::string>("в пакете нет заголовка");
    }

    void finish()
    {
        writer_->finish();
        log_.flush();
    }

    [[nodiscard]] bool allPass() const { return allPass_; }

private:
    void takeCheck(const CsvRecord& record)
    {
        const auto field = [&record](std::optional<std::size_t> column) {
            return column && *column < record.fields.size() ? std::string_view(record.fields[*column])
                                                            : std::string_view();
        };
        texts_.material.assign(field(columns_.material));
        texts_.load.assign(field(columns_.load));
        texts_.frequency.assign(field(columns_.frequency));
        texts_.diameter.assign(field(columns_.diameter));
        texts_.length.assign(field(columns_.length));
        // An empty temperature is not compared.
        if (const std::string_view temperature = field(columns_.temperature); temperature.empty()) {
            texts_.temperature.reset();
        } else {
            texts_.temperature.emplace(temperature);
        }
        carried_.resize(columns_.carried.size());
        for (std::size_t i = 0; i < carried_.size(); ++i) {
            carried_[i].assign(field(columns_.carried[i]));
        }
        record_.carried = carried_;
        record_.carriedNames = columns_.carriedNames;
        const std::string_view groupText = field(columns_.group);
        const std::optional<Group> group = groupText.empty() ? settings_.group : groupFromName(groupText);
        if (const CaseProblem problem = recordProblem(record, columns_.count); !problem.empty()) {
            runner_.refuse(texts_, problem, record_);
        } else if (!groupText.empty() && !group) {
            runner_.refuse(texts_,
                {codes::unknownGroup, "неизвестная группа «" + std::string(groupText) + "»: dry или lubricated"},
                record_);
        } else {
            runner_.run(texts_, group, record_);
        }
        writer_->write(record_);
        allPass_ = allPass_ && record_.passed();
        if (record_.endedInMessage()) {
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
    CheckColumns columns_;
    CheckTexts texts_;
    std::vector<std::string> carried_;
    CheckRecord record_;
    bool headerRead_ = false;
    std::optional<std::string> headerProblem_;
    bool allPass_ = true;
};

}  // namespace

void CheckRunner::run(const CheckTexts& texts, std::optional<Group> group, CheckRecord& record)
{
    const MaterialChoice& choice = materials_.choose(texts.material, group);
    record.texts = &texts;
    record.row = choice.kind == MaterialChoice::Kind::Found ? choice.row : -1;
    record.material = record.row >= 0 ? &settings_.catalogue->fields(record.row) : nullptr;
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
    record.row = -1;
    record.material = nullptr;
    record.check.reset();
    fillCheckResults(record, problem);
}

CheckReportCase reportCase(const Catalogue& catalogue, const CheckRecord& record)
{
    CheckReportCase c{.materialText = record.texts->material,
        .material = std::nullopt,
        .groupName = {},
        .load = record.texts->load,
        .frequency = record.texts->frequency,
        .diameter = record.texts->diameter,
        .length = record.texts->length,
        .temperature = record.texts->temperature,
        .check = record.check.value_or(DesignCheck{}),
        .messages = {}};
    if (record.row >= 0) {
        c.material = catalogue.listed().row(record.row);
        c.groupName = groupTitle(groupOfRow(record.row));
    } else {
        c.check.fault = CheckFault::None;
        c.messages = record.messages;
    }
    return c;
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
        log.add(record.material->row + " " + record.material->name + ": ", record.messages);
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
        .finish = [&batch] { batch.finish(); }};
    if (const std::optional<std::string> problem = readBatch(settings, source, in, sink)) {
        return usageError(err, *problem);
    }
    batch.finish();
    return batch.allPass() ? exitResults : exitMessage;
}

}  // namespace bearing::cli
