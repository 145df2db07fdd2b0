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

const BatchJob& CheckJob::batchJob()
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
    record.start(texts, choice.kind == MaterialChoice::Kind::Found ? choice.row : -1, settings_.catalogue);
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
    record.start(texts);
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

}  // namespace bearing::cli
