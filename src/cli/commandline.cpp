#include "commandline.h"

#include "batchreader.h"
#include "bearingcase.h"
#include "materialchoice.h"
#include "resultwriter.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace bearing::cli {

namespace {

constexpr std::string_view programName = "plain-bearings-calc";

constexpr std::string_view usage
    = "Использование: plain-bearings-calc --material МАТЕРИАЛ --load F --frequency n [--length L]\n"
      "                                   [--group dry|lubricated] [--format text|csv|json]\n"
      "               plain-bearings-calc --all --load F --frequency n [--length L] [--format ...]\n"
      "               plain-bearings-calc --batch ФАЙЛ|- [--group dry|lubricated] [--format ...]\n"
      "               plain-bearings-calc --list-materials [--format ...]\n"
      "Подробнее: plain-bearings-calc --help\n";

struct Options {
    std::string material;
    bool all = false;
    std::string batch;
    bool listMaterials = false;
    std::string load;
    std::string frequency;
    std::string length;
    std::string group;
    std::string format = "text";
};

int usageError(std::ostream& err, std::string_view problem)
{
    err << programName << ": " << problem << '\n' << usage;
    return exitUsage;
}

// CLI11 words its errors in English; the ones a user meets are said again here in
// Russian, with the option CLI11 named. An unknown option comes first, although CLI11
// finds a missing mode before it: "--bogus" alone is a typing mistake, not a missing mode.
std::string describeParseError(const CLI::ParseError& error, const std::vector<std::string>& unknown)
{
    if (!unknown.empty()) {
        return "неизвестный параметр «" + unknown.back() + "»";
    }
    std::string what = error.what();
    const std::string option = what.substr(0, what.find(':'));
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        return "нужен ровно один из режимов --material, --all, --batch, --list-materials";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        return "нет значения у параметра " + option;
    }
    if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        return "недопустимое значение параметра " + option;
    }
    return what;
}

OutputFormat formatFromName(std::string_view name)
{
    if (name == "csv") {
        return OutputFormat::Csv;
    }
    return name == "json" ? OutputFormat::Json : OutputFormat::Text;
}

// Appends the case's messages to `text`, a line each (a message's own line breaks kept).
void appendMessages(std::string& text, std::string_view prefix, const CaseReport& report)
{
    const auto print
        = [&](std::string_view message) { text.append(prefix).append(withLineFeeds(message)).append(1, '\n'); };
    if (report.outcome != nullptr) {
        for (const std::string& message : report.outcome->messages) {
            print(message);
        }
    }
    if (!report.problem.empty()) {
        print(report.problem);
    }
}

void reportMessages(std::ostream& err, std::string_view prefix, const CaseReport& report)
{
    std::string text;
    appendMessages(text, prefix, report);
    err << text;
}

bool endedInMessage(const CaseReport& report)
{
    return !report.problem.empty() || (report.outcome != nullptr && !report.outcome->messages.empty());
}

// Which field of a batch record holds which input.
struct BatchColumns {
    std::size_t count = 0;
    std::optional<std::size_t> material, load, frequency, length, group;
};

// The header of a batch: its columns, or the reason it is unusable.
std::optional<std::string> readHeader(const CsvRecord& header, BatchColumns& columns)
{
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    columns.count = header.fieldCount;
    if (header.tooLong || header.fieldCount > header.fields.size()) {
        return "заголовок пакета слишком длинный";
    }
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        std::string_view name = header.fields[i];
        if (i == 0 && name.starts_with(byteOrderMark)) {
            name.remove_prefix(byteOrderMark.size());
        }
        std::optional<std::size_t>* column = name == "material" ? &columns.material
            : name == "load"                                    ? &columns.load
            : name == "frequency"                               ? &columns.frequency
            : name == "length"                                  ? &columns.length
            : name == "group"                                   ? &columns.group
                                                                : nullptr;
        if (column == nullptr) {
            return "неизвестный столбец пакета «" + std::string(name)
                + "»: допустимы material, load, frequency, length, group";
        }
        if (*column) {
            return "столбец «" + std::string(name) + "» повторяется в заголовке пакета";
        }
        *column = i;
    }
    if (!columns.material || !columns.load || !columns.frequency) {
        return "в заголовке пакета нужны столбцы material, load и frequency";
    }
    return std::nullopt;
}

// A batch as it streams in: the header first, then one written case a record.
class BatchRun {
public:
    BatchRun(std::ostream& out, std::ostream& err, OutputFormat format, std::optional<Group> group,
        std::string_view separator)
        : out_(out)
        , err_(err)
        , format_(format)
        , group_(group)
        , separator_(separator)
    {
    }

    // False to stop reading: the header is unusable.
    bool take(const CsvRecord& record)
    {
        if (record.number == 0) {
            headerRead_ = true;
            headerProblem_ = readHeader(record, columns_);
            if (headerProblem_) {
                return false;
            }
            // Nothing is written before the header has been found usable.
            writer_.emplace(out_, format_, Layout::Batch, std::string(separator_));
            return true;
        }
        const auto field = [&record](const std::optional<std::size_t>& column) {
            return column && *column < record.fields.size() ? std::string_view(record.fields[*column])
                                                            : std::string_view();
        };
        // The texts are assigned, not rebuilt: their strings keep their capacity from row to row.
        texts_.material.assign(field(columns_.material));
        texts_.load.assign(field(columns_.load));
        texts_.frequency.assign(field(columns_.frequency));
        // An empty length asks for the sizing alone.
        if (const std::string_view length = field(columns_.length); length.empty()) {
            texts_.length.reset();
        } else if (texts_.length) {
            texts_.length->assign(length);
        } else {
            texts_.length.emplace(length);
        }

        CaseReport report{.texts = &texts_, .row = -1, .outcome = nullptr, .problem = {}};
        if (record.tooLong) {
            report.problem = "поле длиннее 1 МиБ: остаток строки пропущен";
        } else if (record.fieldCount != columns_.count) {
            report.problem = "полей в строке " + std::to_string(record.fieldCount) + ", а в заголовке "
                + std::to_string(columns_.count);
        } else {
            const std::string_view groupText = field(columns_.group);
            const std::optional<Group> group = groupText.empty() ? group_ : groupFromName(groupText);
            if (!groupText.empty() && !group) {
                report.problem = "неизвестная группа «" + std::string(groupText) + "»: dry или lubricated";
            } else {
                // Batches tend to repeat a material row after row.
                if (texts_.material != lastMaterial_ || group != lastGroup_) {
                    lastChoice_ = chooseMaterial(texts_.material, group);
                    lastMaterial_ = texts_.material;
                    lastGroup_ = group;
                }
                const MaterialChoice& choice = lastChoice_;
                if (choice.kind == MaterialChoice::Kind::Found) {
                    report.row = choice.row;
                    evaluateCase(choice.row, texts_, separator_, outcome_);
                    report.outcome = &outcome_;
                } else {
                    report.problem = choice.problem(texts_.material);
                }
            }
        }
        writer_->write(report);
        if (endedInMessage(report)) {
            anyMessage_ = true;
            // Collected like the output, so that a batch of bad rows is not a write a row.
            appendMessages(messages_, "Строка " + std::to_string(record.number) + ": ", report);
            if (messages_.size() >= messageFlushBytes) {
                flushMessages();
            }
        }
        return true;
    }

    // The problem that makes the batch unusable, if any.
    [[nodiscard]] std::optional<std::string> problem() const
    {
        return headerRead_ ? headerProblem_ : std::optional<std::string>("в пакете нет заголовка");
    }

    void finish()
    {
        if (writer_) {
            writer_->finish();
        }
        flushMessages();
    }

    [[nodiscard]] bool anyMessage() const { return anyMessage_; }

private:
    static constexpr std::size_t messageFlushBytes = std::size_t{64} << 10;

    void flushMessages()
    {
        err_.write(messages_.data(), static_cast<std::streamsize>(messages_.size()));
        err_.flush();
        messages_.clear();
    }

    std::ostream& out_;
    std::ostream& err_;
    OutputFormat format_;
    std::optional<Group> group_;
    std::string_view separator_;
    std::optional<ResultWriter> writer_;
    BatchColumns columns_;
    CaseTexts texts_;
    CaseOutcome outcome_;
    std::string messages_;  // the rows' messages not yet written to err_
    std::string lastMaterial_;
    std::optional<Group> lastGroup_;
    MaterialChoice lastChoice_ = chooseMaterial({}, std::nullopt);
    bool headerRead_ = false;
    std::optional<std::string> headerProblem_;
    bool anyMessage_ = false;
};

int runBatch(const std::string& source, OutputFormat format, std::istream& in, std::ostream& out, std::ostream& err,
    std::optional<Group> group, std::string_view separator)
{
    std::ifstream file;
    std::istream* input = &in;
    if (source != "-") {
        file.open(source, std::ios::binary);
        if (!file) {
            return usageError(err, "не удаётся открыть «" + source + "»: " + std::strerror(errno));
        }
        input = &file;
    }
    BatchRun run(out, err, format, group, separator);
    BatchReader reader([&run](const CsvRecord& record) { return run.take(record); });
    const bool readToEnd = reader.read(*input);
    if (const std::optional<std::string> problem = run.problem()) {
        return usageError(err, *problem);
    }
    run.finish();
    if (!readToEnd) {
        return usageError(err, "чтение «" + source + "» оборвалось");
    }
    return run.anyMessage() ? exitMessage : exitResults;
}

}  // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err,
    std::string_view decimalSeparator)
{
    CLI::App app{"Расчет подшипника скольжения по допускаемым [p], [v] и [pv] материала.", std::string(programName)};
    Options options;
    CLI::Option_group* modes = app.add_option_group("Режим", "ровно один из");
    modes->add_option("-m,--material", options.material, "материал: название из --list-materials или номер строки");
    modes->add_flag("-a,--all", options.all, "все материалы каталога, по строке на материал");
    modes->add_option("-b,--batch", options.batch, "CSV-файл со случаями (- для стандартного ввода)");
    modes->add_flag("-l,--list-materials", options.listMaterials, "таблица материалов с номерами строк");
    modes->require_option(1);
    CLI::Option* load = app.add_option("-F,--load", options.load, "радиальное усилие F, Н");
    CLI::Option* frequency = app.add_option("-n,--frequency", options.frequency, "частота вращения n, об/мин");
    CLI::Option* length = app.add_option("-L,--length", options.length, "предлагаемая длина подшипника L, мм");
    CLI::Option* group
        = app.add_option("-g,--group", options.group, "группа материала: dry (без смазки) или lubricated (со смазкой)")
              ->check(CLI::IsMember({"dry", "lubricated"}));
    app.add_option("-f,--format", options.format, "вид вывода: text (по умолчанию), csv или json")
        ->check(CLI::IsMember({"text", "csv", "json"}));
    app.set_version_flag("--version", std::string(programName) + " " + PLAIN_BEARINGS_VERSION);

    try {
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help, out, err);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version, out, err);
    } catch (const CLI::ParseError& error) {
        return usageError(err, describeParseError(error, app.remaining()));
    }

    const bool oneCase = !options.material.empty() || modes->get_option("--material")->count() > 0;
    if ((oneCase || options.all) && (load->count() == 0 || frequency->count() == 0)) {
        return usageError(err, "нужны --load и --frequency");
    }
    if ((!options.batch.empty() || options.listMaterials)
        && (load->count() > 0 || frequency->count() > 0 || length->count() > 0)) {
        return usageError(err, "--load, --frequency и --length задаются только с --material или --all");
    }
    if ((options.all || options.listMaterials) && group->count() > 0) {
        return usageError(err, "--group задаётся только с --material или --batch");
    }
    const OutputFormat format = formatFromName(options.format);
    const std::optional<Group> chosenGroup = groupFromName(options.group);
    const std::string separator(decimalSeparator);

    if (options.listMaterials) {
        writeMaterials(out, format, separator);
        return exitResults;
    }
    if (!options.batch.empty()) {
        return runBatch(options.batch, format, in, out, err, chosenGroup, separator);
    }

    CaseTexts texts{.material = options.material,
        .load = options.load,
        .frequency = options.frequency,
        .length = length->count() > 0 ? std::optional<std::string>(options.length) : std::nullopt};
    if (oneCase) {
        const MaterialChoice choice = chooseMaterial(options.material, chosenGroup);
        if (choice.kind != MaterialChoice::Kind::Found) {
            return usageError(err, choice.problem(options.material));
        }
        const CaseOutcome outcome = evaluateCase(choice.row, texts, separator);
        const CaseReport report{.texts = &texts, .row = choice.row, .outcome = &outcome, .problem = {}};
        ResultWriter writer(out, format, Layout::OneCase, separator);
        writer.write(report);
        writer.finish();
        reportMessages(err, "", report);
        return endedInMessage(report) ? exitMessage : exitResults;
    }

    bool anyMessage = false;
    ResultWriter writer(out, format, Layout::MaterialTable, separator);
    for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
        texts.material = materialName(row);
        const CaseOutcome outcome = evaluateCase(row, texts, separator);
        const CaseReport report{.texts = &texts, .row = row, .outcome = &outcome, .problem = {}};
        writer.write(report);
        if (endedInMessage(report)) {
            anyMessage = true;
            reportMessages(err, std::to_string(rowNumber(row)) + " " + texts.material + ": ", report);
        }
    }
    writer.finish();
    return anyMessage ? exitMessage : exitResults;
}

}  // namespace bearing::cli
