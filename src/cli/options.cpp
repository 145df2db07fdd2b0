#include "options.h"

#include "batchdecoder.h"
#include "checkedoutput.h"
#include "exitstatus.h"
#include "programversion.h"
#include "terminaltext.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace bearing::cli {

namespace {

constexpr std::string_view programName = "plain-bearings-calc";

constexpr std::string_view synopsis = "Использование:\n"
                                      "  plain-bearings-calc --material МАТЕРИАЛ --load F --frequency n [--length L]\n"
                                      "      [--group dry|lubricated] [--format text|csv|json|xlsx] [--strict]\n"
                                      "  plain-bearings-calc --all --load F --frequency n [--length L] [--format ...]\n"
                                      "      [--wide]\n"
                                      "  plain-bearings-calc --batch ФАЙЛ|- [--group dry|lubricated] [--format ...]\n"
                                      "      [--strict] [--separator ';'|','] [--encoding КОДИРОВКА] [--jobs N]\n"
                                      "  plain-bearings-calc --list-materials [--format ...]\n"
                                      "  plain-bearings-calc --check --diameter d --length L --load F --frequency n\n"
                                      "      (--material МАТЕРИАЛ|--all) [--temperature t] [--sort utilisation]\n"
                                      "      [--format ...]\n"
                                      "  plain-bearings-calc --check --batch ФАЙЛ|- [--group dry|lubricated]\n"
                                      "      [--format ...]\n"
                                      "  plain-bearings-calc --film --load F --frequency n --diameter d --length L\n"
                                      "      --clearance Δ --viscosity µ [--roughness RZJ,RZB] [--film-margin K]\n"
                                      "      [--format ...]\n"
                                      "  plain-bearings-calc --film --batch ФАЙЛ|- [--format ...]\n"
                                      "  plain-bearings-calc РЕЖИМ ... --format xlsx --output ФАЙЛ.xlsx\n"
                                      "      | --format csv --csv-dialect ru\n"
                                      "  и в любом режиме, кроме --list-materials: [--chart ФАЙЛ.svg\n"
                                      "      [--chart-kind pv|design]] [--report ФАЙЛ.html]\n";

// CLI11's help in the program's words: the synopsis above instead of its English usage
// line, each option's value named as the synopsis names it.
class RussianHelp : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App* /*app*/, std::string /*name*/) const override
    {
        // A blank line between the modes keeps them apart in the manual page too.
        std::string usage = "\n" + std::string(synopsis);
        for (std::size_t at = usage.find("\n  plain", 1); at != std::string::npos;
             at = usage.find("\n  plain", at + 2)) {
            usage.insert(at, 1, '\n');
        }
        return usage;
    }

    // Lined up by the letters a terminal shows, not by bytes: the value names are Russian.
    std::string make_option(const CLI::Option* option, bool positional) const override
    {
        std::string line = "  " + make_option_name(option, positional) + make_option_opts(option);
        const std::size_t width = codePoints(line);
        line += width + 2 <= descriptionColumn ? std::string(descriptionColumn - width, ' ')
                                               : "\n" + std::string(descriptionColumn, ' ');
        return line + wrapped(make_option_desc(option)) + "\n";
    }

private:
    static constexpr std::size_t descriptionColumn = 30;
    static constexpr std::size_t lineWidth = 80;

    // A description longer than the rest of an 80-column line goes on, word by word, in
    // lines of its own under its start; a dash stays with the word before it.
    static std::string wrapped(std::string_view description)
    {
        std::vector<std::string> words;
        for (std::size_t at = 0; at <= description.size();) {
            const std::size_t end = std::min(description.find(' ', at), description.size());
            const std::string_view word = description.substr(at, end - at);
            if (word == "—" && !words.empty()) {
                words.back().append(" —");
            } else {
                words.emplace_back(word);
            }
            at = end + 1;
        }
        std::string text;
        std::size_t width = descriptionColumn;
        for (const std::string& word : words) {
            if (width > descriptionColumn) {
                const bool fits = width + 1 + codePoints(word) <= lineWidth;
                text += fits ? std::string(" ") : "\n" + std::string(descriptionColumn, ' ');
                width = fits ? width + 1 : descriptionColumn;
            }
            text += word;
            width += codePoints(word);
        }
        return text;
    }
};

// The options' values as they are read, before they are checked against each other.
struct Given {
    Options options;
    CLI::Option* material = nullptr;
    CLI::Option* batch = nullptr;
    CLI::Option* load = nullptr;
    CLI::Option* frequency = nullptr;
    CLI::Option* length = nullptr;
    CLI::Option* group = nullptr;
    CLI::Option* output = nullptr;
    CLI::Option* csvDialect = nullptr;
    CLI::Option* separator = nullptr;
    CLI::Option* encoding = nullptr;
    CLI::Option* jobs = nullptr;
    CLI::Option* diameter = nullptr;
    CLI::Option* temperature = nullptr;
    CLI::Option* sort = nullptr;
    CLI::Option* chart = nullptr;
    CLI::Option* chartKind = nullptr;
    CLI::Option* report = nullptr;
    CLI::Option* clearance = nullptr;
    CLI::Option* viscosity = nullptr;
    CLI::Option* roughness = nullptr;
    CLI::Option* filmMargin = nullptr;
    bool all = false;
    bool listMaterials = false;
    std::string dialectName;
    std::string separatorText;
    std::string jobsText;
    std::string temperatureText;
    std::string sortText;
    std::string chartFile;
    std::string reportFile;
    Group groupValue = Group::Dry;
    std::string lengthText;
    std::string roughnessText;
    std::string filmMarginText;
};

void addModes(CLI::App& app, Given& given)
{
    const std::string modes = "Режим (ровно один)";
    given.material
        = app.add_option("-m,--material", given.options.texts.material, "название из --list-materials или номер строки")
              ->option_text("МАТЕРИАЛ")
              ->group(modes);
    app.add_flag("-a,--all", given.all, "все материалы каталога, по строке на каждый")->group(modes);
    given.batch = app.add_option("-b,--batch", given.options.batch, "случаи из CSV-файла (- — стандартный ввод)")
                      ->option_text("ФАЙЛ|-")
                      ->group(modes);
    app.add_flag("-l,--list-materials", given.listMaterials, "таблица материалов с номерами строк")->group(modes);
}

void addParameters(CLI::App& app, Given& given)
{
    const std::map<std::string, Group> groups{{"dry", Group::Dry}, {"lubricated", Group::Lubricated}};
    const std::map<std::string, OutputFormat> formats{{"text", OutputFormat::Text}, {"csv", OutputFormat::Csv},
        {"json", OutputFormat::Json}, {"xlsx", OutputFormat::Xlsx}};
    Options& options = given.options;
    given.load = app.add_option("-F,--load", options.texts.load, "радиальное усилие F, Н")->option_text("F");
    given.frequency
        = app.add_option("-n,--frequency", options.texts.frequency, "частота вращения n, об/мин")->option_text("n");
    given.length
        = app.add_option("-L,--length", given.lengthText, "предлагаемая длина подшипника L, мм")->option_text("L");
    given.group = app.add_option("-g,--group", given.groupValue, "группа: без смазки или со смазкой")
                      ->transform(CLI::CheckedTransformer(groups))
                      ->option_text("dry|lubricated");
    app.add_option("-f,--format", options.format, "вид вывода, по умолчанию text")
        ->transform(CLI::CheckedTransformer(formats))
        ->option_text("text|csv|json|xlsx");
    app.add_flag("-w,--wide", options.wide, "таблица со всеми столбцами, шире терминала");
    app.add_flag("-s,--strict", options.strict, "без расчета, если число не целиком: «1,5», «5 000»");
}

void addSpreadsheetOptions(CLI::App& app, Given& given)
{
    Options& options = given.options;
    given.output = app.add_option("-o,--output", options.output, "файл вывода вместо стандартного; для xlsx обязателен")
                       ->option_text("ФАЙЛ");
    given.csvDialect = app.add_option("--csv-dialect", given.dialectName,
                              "CSV для программ (по умолчанию) или для русских таблиц: «;», запятая в числах")
                           ->check(CLI::IsMember({"international", "ru"}))
                           ->option_text("international|ru");
    given.separator
        = app.add_option("--separator", given.separatorText, "разделитель полей пакета; без него — по строке заголовка")
              ->check(CLI::IsMember({";", ","}))
              ->option_text("';'|','");
    given.encoding = app.add_option("--encoding", options.encoding,
                            "кодировка пакета (windows-1251, koi8-r…); без нее — по байтам")
                         ->option_text("КОДИРОВКА");
    given.jobs = app.add_option("-j,--jobs", given.jobsText,
                        "сколько случаев пакета считать одновременно; по умолчанию по числу ядер")
                     ->option_text("N");
}

// The workers of a batch: the machine's cores unless --jobs gives their number, from 1
// to maxJobs.
constexpr std::size_t maxJobs = 1024;

std::size_t defaultJobs() { return std::max(std::thread::hardware_concurrency(), 1U); }

std::optional<std::size_t> jobsNumber(const std::string& text)
{
    std::size_t jobs = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, jobs);
    if (text.empty() || error != std::errc() || at != end || jobs < 1 || jobs > maxJobs) {
        return std::nullopt;
    }
    return jobs;
}

// The spreadsheet options that go together; a usage problem, if they do not.
std::optional<std::string> checkSpreadsheetOptions(Given& given)
{
    Options& options = given.options;
    if (given.output->count() > 0 && options.output.empty()) {
        return "нет имени файла у параметра --output";
    }
    if (given.csvDialect->count() > 0 && options.format != OutputFormat::Csv) {
        return "--csv-dialect задаётся только с --format csv";
    }
    if ((given.separator->count() > 0 || given.encoding->count() > 0) && options.mode != Mode::Batch) {
        return "--separator и --encoding задаются только с --batch";
    }
    if (given.jobs->count() > 0) {
        if (options.mode != Mode::Batch) {
            return "--jobs задаётся только с --batch";
        }
        const std::optional<std::size_t> jobs = jobsNumber(given.jobsText);
        if (!jobs) {
            return "--jobs — число одновременно считаемых случаев, целое от 1 до " + std::to_string(maxJobs) + ", а не "
                + echoed(given.jobsText);
        }
        options.jobs = *jobs;
    } else {
        options.jobs = defaultJobs();
    }
    if (given.separator->count() > 0) {
        options.separator = given.separatorText.front();
    }
    if (given.csvDialect->count() > 0) {
        options.csvDialect = *csvDialectNamed(given.dialectName);
    }
    try {
        const BatchDecoder decoder(options.encoding);
    } catch (const InputError& error) {
        return error.what();
    }
    return std::nullopt;
}

void addCheck(CLI::App& app, Given& given)
{
    const std::map<std::string, ChartKind> chartKinds{
        {"pv", ChartKind::PV}, {"pressure", ChartKind::PV}, {"design", ChartKind::Design}};
    Options& options = given.options;
    const std::string check = "Проверка размеров и выходные файлы";
    app.add_flag("-c,--check", options.check, "проверка подшипника d × L вместо расчета размеров")->group(check);
    given.diameter = app.add_option("-d,--diameter", options.diameter, "диаметр цапфы d, мм, для --check")
                         ->option_text("d")
                         ->group(check);
    given.temperature
        = app.add_option("-t,--temperature", given.temperatureText, "рабочая температура t, °C, для сравнения с [t]")
              ->option_text("t")
              ->group(check);
    given.sort = app.add_option("--sort", given.sortText, "с --check --all: по возрастанию использования")
                     ->check(CLI::IsMember({"utilisation"}))
                     ->option_text("utilisation")
                     ->group(check);
    given.chart = app.add_option("--chart", given.chartFile, "записать диаграмму в SVG-файл")
                      ->option_text("ФАЙЛ.svg")
                      ->group(check);
    given.chartKind = app.add_option("--chart-kind", options.chartKind,
                             "pv — диаграмма p–v (по умолчанию), design — область размеров d × L; с --film: "
                             "pressure — давление в слое (по умолчанию), design — расчетная диаграмма слоя")
                          ->transform(CLI::CheckedTransformer(chartKinds))
                          ->option_text("pv|design|pressure")
                          ->group(check);
    given.report = app.add_option("--report", given.reportFile, "записать отчет о расчете в HTML-файл")
                       ->option_text("ФАЙЛ.html")
                       ->group(check);
}

void addFilm(CLI::App& app, Given& given)
{
    Options& options = given.options;
    const std::string film = "Масляный слой (жидкостное трение)";
    app.add_flag("--film", options.film, "масляный слой подшипника d × L по уравнению Рейнольдса")->group(film);
    given.clearance
        = app.add_option("--clearance", options.clearance, "диаметральный зазор Δ, мкм")->option_text("Δ")->group(film);
    given.viscosity = app.add_option("--viscosity", options.viscosity, "динамическая вязкость масла µ, Па·с")
                          ->option_text("µ")
                          ->group(film);
    given.roughness = app.add_option("--roughness", given.roughnessText,
                             "шероховатость Rz цапфы и вкладыша, мкм, через запятую; по умолчанию 3.2,6.3")
                          ->option_text("RZJ,RZB")
                          ->group(film);
    given.filmMargin
        = app.add_option("--film-margin", given.filmMarginText,
                 "требуемый запас h_min / (Rz цапфы + Rz вкладыша); по умолчанию 2, обычное правило расчета")
              ->option_text("K")
              ->group(film);
}

// The oil film's options against the mode; a usage problem, if any. The film runs one
// case or a batch, in no material.
std::optional<std::string> checkFilmOptions(Given& given)
{
    Options& options = given.options;
    const bool filmOnly = given.clearance->count() > 0 || given.viscosity->count() > 0 || given.roughness->count() > 0
        || given.filmMargin->count() > 0;
    if (!options.film) {
        return filmOnly ? std::optional<std::string>(
                   "--clearance, --viscosity, --roughness и --film-margin задаются только с --film")
                        : std::nullopt;
    }
    if (given.material->count() > 0 || given.all || given.listMaterials || options.check || given.group->count() > 0
        || given.temperature->count() > 0 || given.sort->count() > 0 || options.strict) {
        return "--film считает один случай или пакет --batch, без материала: --material, --all, --list-materials, "
               "--check, --group, --temperature, --sort и --strict с ним не задаются";
    }
    const std::array<CLI::Option*, 6> values{
        given.load, given.frequency, given.diameter, given.length, given.clearance, given.viscosity};
    if (given.batch->count() > 0) {
        options.mode = Mode::Batch;
        if (filmOnly || std::ranges::any_of(values, [](const CLI::Option* o) { return o->count() > 0; })) {
            return "в пакете масляного слоя величины задаются столбцами load, frequency, diameter, length, "
                   "clearance, viscosity, roughness_journal, roughness_bore и film_margin";
        }
        if (given.chart->count() > 0) {
            return "--chart с --film строится для одного случая";
        }
    } else {
        options.mode = Mode::OneCase;
        if (!std::ranges::all_of(values, [](const CLI::Option* o) { return o->count() > 0; })) {
            return "для --film нужны --load, --frequency, --diameter, --length, --clearance и --viscosity";
        }
        options.texts.length = given.lengthText;
    }
    if (given.roughness->count() > 0) {
        const std::size_t comma = given.roughnessText.find(',');
        if (comma == std::string::npos || given.roughnessText.find(',', comma + 1) != std::string::npos) {
            return "--roughness — два числа через запятую, Rz цапфы и вкладыша в мкм, с десятичной точкой: 3.2,6.3";
        }
        options.journalRoughness = given.roughnessText.substr(0, comma);
        options.boreRoughness = given.roughnessText.substr(comma + 1);
    }
    if (given.filmMargin->count() > 0) {
        options.filmMargin = given.filmMarginText;
    }
    if (given.chartKind->count() > 0 && given.chart->count() == 0) {
        return "--chart-kind задаётся только с --chart";
    }
    if (given.chart->count() > 0) {
        options.chart = given.chartFile;
    }
    if (given.report->count() > 0) {
        options.report = given.reportFile;
    }
    return std::nullopt;
}

// The check's options and the output files, against the mode; a usage problem, if any.
std::optional<std::string> checkCheckOptions(Given& given)
{
    Options& options = given.options;
    const bool oneOrAll = options.mode == Mode::OneCase || options.mode == Mode::AllMaterials;
    if (options.check) {
        if (options.mode == Mode::ListMaterials) {
            return "--check задаётся с --material, --all или --batch";
        }
        if (oneOrAll && (given.diameter->count() == 0 || given.length->count() == 0)) {
            return "для --check нужны --diameter и --length";
        }
        if (options.mode == Mode::Batch && (given.diameter->count() > 0 || given.temperature->count() > 0)) {
            return "в пакете проверки диаметр и температура задаются столбцами diameter и temperature";
        }
    } else if (given.diameter->count() > 0 || given.temperature->count() > 0 || given.sort->count() > 0) {
        return "--diameter, --temperature и --sort задаются только с --check";
    }
    if (given.sort->count() > 0) {
        if (options.mode != Mode::AllMaterials) {
            return "--sort задаётся только с --check --all";
        }
        options.sortByUse = true;
    }
    if (given.temperature->count() > 0) {
        options.temperature = given.temperatureText;
    }
    if (given.chartKind->count() > 0 && given.chart->count() == 0) {
        return "--chart-kind задаётся только с --chart";
    }
    if (given.chart->count() > 0) {
        if (!oneOrAll) {
            return "--chart задаётся с --material или --all";
        }
        if (options.mode == Mode::AllMaterials && options.chartKind == ChartKind::Design) {
            return "--chart-kind design строит область размеров одного материала: задайте --material";
        }
        options.chart = given.chartFile;
    }
    if (given.report->count() > 0) {
        if (options.mode == Mode::ListMaterials) {
            return "--report задаётся с --material, --all или --batch";
        }
        options.report = given.reportFile;
    }
    return std::nullopt;
}

// CLI11 words its errors in English; the ones a user meets are said here in Russian,
// with the option or argument CLI11 named.
std::string describeParseError(const CLI::ParseError& error, const CLI::App& app)
{
    const std::vector<std::string> unknown = app.remaining();
    if (!unknown.empty()) {
        const std::string& first = unknown.front();
        return (first.starts_with('-') ? "неизвестный параметр " : "лишний аргумент ") + echoed(first);
    }
    const std::string what = error.what();
    const std::string option = what.substr(0, what.find(':'));
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        return "нет значения у параметра " + option;
    }
    if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        const CLI::Option* named = app.get_option_no_throw(option);
        return "недопустимое значение параметра " + option
            + (named != nullptr ? ": допустимы " + named->get_option_text() : std::string());
    }
    return "ошибка в параметрах";
}

// "--length=" is "--length ''", as a script writes an empty value.
std::vector<std::string> reversedWithEmptyValues(const std::vector<std::string>& arguments)
{
    std::vector<std::string> spelt;
    for (const std::string& argument : arguments) {
        if (argument.starts_with("--") && argument.ends_with('=')) {
            spelt.push_back(argument.substr(0, argument.size() - 1));
            spelt.emplace_back();
        } else {
            spelt.push_back(argument);
        }
    }
    return {spelt.rbegin(), spelt.rend()};
}

// The modes and parameters that go together; a usage problem, if they do not.
std::optional<std::string> checkCombination(Given& given)
{
    Options& options = given.options;
    const int modes = static_cast<int>(given.material->count() > 0) + static_cast<int>(given.all)
        + static_cast<int>(given.batch->count() > 0) + static_cast<int>(given.listMaterials);
    if (modes != 1) {
        return "нужен ровно один из режимов --material, --all, --batch, --list-materials";
    }
    options.mode = given.all       ? Mode::AllMaterials
        : given.listMaterials      ? Mode::ListMaterials
        : given.batch->count() > 0 ? Mode::Batch
                                   : Mode::OneCase;
    const bool oneOrAll = options.mode == Mode::OneCase || options.mode == Mode::AllMaterials;
    if (oneOrAll && (given.load->count() == 0 || given.frequency->count() == 0)) {
        return "нужны --load и --frequency";
    }
    if (!oneOrAll && (given.load->count() > 0 || given.frequency->count() > 0 || given.length->count() > 0)) {
        return "--load, --frequency и --length задаются только с --material или --all";
    }
    if ((options.mode == Mode::AllMaterials || options.mode == Mode::ListMaterials) && given.group->count() > 0) {
        return "--group задаётся только с --material или --batch";
    }
    if (given.group->count() > 0) {
        options.group = given.groupValue;
    }
    if (given.length->count() > 0) {
        options.texts.length = given.lengthText;
    }
    return std::nullopt;
}

}  // namespace

int usageError(std::ostream& err, std::string_view problem)
{
    writeChecked(err, Stream::Error,
        std::string(programName) + ": " + masked(problem) + '\n' + std::string(synopsis)
            + "Подробнее: plain-bearings-calc --help\n",
        true);
    return exitUsage;
}

std::variant<Options, int> parseOptions(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Расчет подшипника скольжения по допускаемым [p], [v] и [pv] материала.", std::string(programName)};
    app.formatter(std::make_shared<RussianHelp>());
    app.option_defaults()->group("Параметры")->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.set_help_flag("-h,--help", "эта справка");
    app.set_version_flag("--version", std::string(programVersion), "версия программы");
    app.footer("Коды выхода: 0 — результаты (с --check: каждый подшипник проходит),\n"
               "1 — случай закончился сообщением (с --check: или подшипник не проходит),\n"
               "2 — ошибка использования,\n"
               "3 — вывод не удалось записать (или файл --chart, --report).\n"
               "Поля вывода и коды сообщений: man plain-bearings-calc,\n"
               "/usr/share/doc/plain-bearings/command-line.md.");
    Given given;
    addModes(app, given);
    addParameters(app, given);
    addSpreadsheetOptions(app, given);
    addCheck(app, given);
    addFilm(app, given);
    try {
        std::vector<std::string> reversed = reversedWithEmptyValues(arguments);
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        writeChecked(out, Stream::Output, app.help(), true);
        return exitResults;
    } catch (const CLI::CallForVersion&) {
        writeChecked(out, Stream::Output, std::string(programName) + " " + std::string(programVersion) + "\n", true);
        return exitResults;
    } catch (const CLI::ParseError& error) {
        return usageError(err, describeParseError(error, app));
    }
    // The oil film has its own combinations; the other jobs refuse its options.
    std::optional<std::string> problem = checkFilmOptions(given);
    if (!problem && !given.options.film) {
        problem = checkCombination(given);
    }
    if (problem || (problem = checkSpreadsheetOptions(given))) {
        return usageError(err, *problem);
    }
    if (given.options.film) {
        return given.options;
    }
    if (const std::optional<std::string> problem = checkCheckOptions(given)) {
        return usageError(err, *problem);
    }
    return given.options;
}

}  // namespace bearing::cli
