#include "commandline.h"
#include "runcommandline.h"

#include "designcheck.h"
#include "xmldocument.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace bearing::cli {
namespace {

// A run under a comma locale with SOURCE_DATE_EPOCH as given, at `now`.
Outcome runDated(const std::vector<std::string>& arguments, const std::string& input,
    std::optional<std::string> sourceDateEpoch, std::int64_t now = 0)
{
    return runIn(
        {.decimalSeparator = ",", .width = noWidthLimit, .sourceDateEpoch = std::move(sourceDateEpoch), .now = now},
        arguments, input);
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A directory of its own for the files one test writes, removed afterwards.
class CheckFiles : public testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path()
        / ("plain-bearings-check-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name());

    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    [[nodiscard]] std::string path(const char* name) const { return (dir / name).string(); }
};

const std::vector<std::string> bronze{"--check", "--material", "Бронза БрО10Ф1", "--load", "5000", "--frequency", "300",
    "--diameter", "16.7", "--length", "20"};

TEST(Check, ExitStatusSaysWhetherEveryCheckedDesignPasses)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        int status;
        std::string inOut;
        std::string inErr;
    };
    const std::vector<Case> cases{
        {"passes", with(bronze, {"--temperature", "80"}), exitResults,
            "давление p = 14,97 МПа, 99,8 % от [p] = 15 МПа\n", ""},
        {"too hot", with(bronze, {"--temperature", "260"}), exitMessage, "температура 260 °C выше [t] = 250 °C", ""},
        {"too small", {"--check", "-m", "Графит", "-F", "1000", "-n", "1000", "-d", "20", "-L", "50"}, exitMessage,
            "итог: не проходит", ""},
        {"no diameter", {"--check", "-m", "1", "-F", "1", "-n", "1", "-d", "0", "-L", "1", "-f", "csv"}, exitMessage,
            "diameter_not_positive", "Диаметр должен быть больше нуля"},
        {"diameter not a number", {"--check", "-m", "1", "-F", "1", "-n", "1", "-d", "16.7 мм", "-L", "1"}, exitMessage,
            "", "Диаметр задан не числом"},
        {"unknown material", {"--check", "-m", "Сталь", "-F", "1", "-n", "1", "-d", "1", "-L", "1"}, exitMessage, "",
            "Неизвестный материал «Сталь»"},
        {"every material", {"--check", "--all", "-F", "5000", "-n", "300", "-d", "16.7", "-L", "20"}, exitMessage,
            "Использование", ""},
        {"every material passes", {"--check", "--all", "-F", "1", "-n", "1", "-d", "100", "-L", "100"}, exitResults,
            "проходит", ""},
        {"missing diameter", {"--check", "-m", "1", "-F", "1", "-n", "1", "-L", "1"}, exitUsage, "",
            "для --check нужны --diameter и --length"},
        {"check of the table", {"--check", "--list-materials"}, exitUsage, "", "--check задаётся с"},
        {"diameter without check", with({"-m", "1", "-F", "1", "-n", "1"}, {"-d", "5"}), exitUsage, "",
            "только с --check"},
        {"temperature without check", {"-m", "1", "-F", "1", "-n", "1", "-t", "5"}, exitUsage, "", "только с --check"},
        {"sort of one case", with(bronze, {"--sort", "utilisation"}), exitUsage, "", "--sort задаётся только"},
        {"sort by something else", {"--check", "--all", "-F", "1", "-n", "1", "-d", "1", "-L", "1", "--sort", "name"},
            exitUsage, "", "недопустимое значение параметра --sort"},
        {"diameter in a batch", {"--check", "--batch", "-", "-d", "5"}, exitUsage, "", "столбцами diameter"},
        {"batch without a diameter", {"--check", "--batch", "-"}, exitUsage, "", "нужны столбцы material, load"},
        {"batch that is a directory", {"--check", "--batch", "/"}, exitUsage, "",
            "не удаётся открыть «/»: это каталог"},
        {"chart of a batch", {"--batch", "-", "--chart", "x.svg"}, exitUsage, "", "--chart задаётся с"},
        {"chart kind alone", with(bronze, {"--chart-kind", "design"}), exitUsage, "", "только с --chart"},
        {"design chart of every material",
            {"--all", "-F", "1", "-n", "1", "--chart", "x.svg", "--chart-kind", "design"}, exitUsage, "",
            "задайте --material"},
        {"unknown chart kind", with(bronze, {"--chart", "x.svg", "--chart-kind", "bar"}), exitUsage, "",
            "недопустимое значение параметра --chart-kind"},
        {"report of the table", {"--list-materials", "--report", "x.html"}, exitUsage, "", "--report задаётся с"},
        {"unwritable chart", with(bronze, {"--chart", "/nonexistent/x.svg"}), exitWriteFailed, "",
            "не удалось записать «/nonexistent/x.svg»"},
        {"workbook without a file", with(bronze, {"-f", "xlsx"}), exitUsage, "", "книга xlsx пишется только в файл"},
        {"unwritable workbook", with(bronze, {"-f", "xlsx", "-o", "/nonexistent/x.xlsx"}), exitWriteFailed, "",
            "не удаётся записать книгу «/nonexistent/x.xlsx»"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(
            c.arguments, c.name == std::string("batch without a diameter") ? "material,load,frequency,length\n" : "");
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.out.find(c.inOut), std::string::npos) << result.out;
        EXPECT_NE(result.err.find(c.inErr), std::string::npos) << result.err;
        if (c.status == exitUsage) {
            EXPECT_TRUE(result.out.empty()) << "a usage error calculates nothing";
        }
    }
}

// What a reader of a verdict needs beside it: that no temperature was compared, why a
// row of a table did not pass or has no figures, and which of two namesakes it is. The
// tables' notes are their only place: the standard error does not repeat them.
TEST(Check, TextSaysBesideTheVerdictWhatItRestsOn)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        std::vector<std::string> shown;  // whole lines, in this order, among others
    };
    const std::vector<std::string> all{"--check", "--all", "-F", "5000", "-n", "300", "-d", "16.7", "-L", "20"};
    const std::vector<Case> cases{
        {"one case without a temperature", bronze, "",
            {"наибольшая частота вращения = 1146 об/мин, по [pv]",
                "итог: проходит (температура не сравнивалась: не задана)"}},
        {"one case with one", with(bronze, {"-t", "80"}), "",
            {"температура 80 °C не выше [t] = 250 °C", "итог: проходит"}},
        {"every material without a temperature", all, "",
            {" №  Материал                     [p], %  Использование  Итог         Прим.",
                " 6  Фторопласт-4, без смазки     2138,6  6545,0 % [pv]  не проходит  1",
                "19  Фторопласт-4, со смазкой      998,0    998,0 % [p]  не проходит  1", "",
                "1. температура не сравнивалась: не задана"}},
        {"every material hot: the ones that fail by it", with(all, {"-t", "260"}), "",
            {" 1  Графит                       2994,0   2994,0 % [p]  не проходит",
                "11  Чугун АЧС-5                    74,9     74,9 % [p]  не проходит  6",
                "19  Фторопласт-4, со смазкой      998,0    998,0 % [p]  не проходит  1",
                "1. температура 260 °C выше [t] = 200 °C", "6. температура 260 °C выше [t] = 250 °C"}},
        {"a batch", {"--check", "--batch", "-"},
            "material,load,frequency,diameter,length,temperature\n"
            "Сталь,5000,300,16.7,20,\n15,5000,300,16.7,20,300\n15,5000,300,16.7,20,\n6,1,1,50,50,80\n",
            {"     №  Материал                   [p], %      Использование  Итог         Прим.",
                "     1  Сталь                                                 нет расчета  1",
                "     2  Бронза БрО10Ф1               99,8         99,8 % [p]  не проходит  2",
                "     3  Бронза БрО10Ф1               99,8         99,8 % [p]  проходит     3",
                "     4  Фторопласт-4, без смазки      0,1          0,5 % [v]  проходит", "",
                "Примечания:", "1. Неизвестный материал «Сталь»: укажите название из --list-materials или номер",
                "2. температура 300 °C выше [t] = 250 °C", "3. температура не сравнивалась: не задана"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments, c.input, 80);
        EXPECT_TRUE(result.err.empty()) << result.err;
        std::vector<std::string> shown;
        std::istringstream text(result.out);
        for (std::string line; std::getline(text, line);) {
            shown.push_back(line);
        }
        auto next = shown.begin();
        for (const std::string& line : c.shown) {
            next = std::find(next, shown.end(), line);
            if (next == shown.end()) {
                ADD_FAILURE() << "missing: «" << line << "» in\n" << result.out;
                break;
            }
        }
    }
}

TEST(Check, EveryMaterialRanksByUtilisationWithFaultsLast)
{
    const Outcome result = run({"--check", "--all", "-F", "5000", "-n", "300", "-d", "16.7", "-L", "20", "--sort",
        "utilisation", "-f", "csv"});
    const auto records = readCsv(result.out);
    ASSERT_EQ(records.size(), 22U);
    const auto& header = records[0];
    const auto column
        = static_cast<std::size_t>(std::find(header.begin(), header.end(), "governing_use") - header.begin());
    const auto passes = static_cast<std::size_t>(std::find(header.begin(), header.end(), "passes") - header.begin());
    ASSERT_LT(column, header.size());
    double previous = 0;
    int passing = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const double use = std::stod(records[i][column]);
        EXPECT_GE(use, previous) << "row " << i;
        previous = use;
        passing += records[i][passes] == "true" ? 1 : 0;
    }
    EXPECT_EQ(passing, 6);
    const auto name = static_cast<std::size_t>(std::find(header.begin(), header.end(), "name") - header.begin());
    EXPECT_EQ(records[1][name], "Бронза БРС30");  // the largest margin first
}

TEST(Check, BatchChecksEveryRowAndCarriesItsOwnColumns)
{
    const std::string batch = "id,material,load,frequency,diameter,length,temperature\r\n"
                              "a,Бронза БрО10Ф1,5000,300,16.7,20,80\r\n"
                              "b,Графит,1000,1000,20,50,\r\n"
                              "c,Бронза БрО10Ф1,5000,300,-1,20,\r\n";
    const Outcome result = run({"--check", "--batch", "-", "-f", "json"}, batch);
    EXPECT_EQ(result.status, exitMessage);
    const nlohmann::json rows = nlohmann::json::parse(result.out);
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0]["id"], "a");
    EXPECT_EQ(rows[0]["passes"], true);
    EXPECT_EQ(rows[0]["governing"], "p");
    EXPECT_NEAR(rows[0]["governing_use"].get<double>(), 5000.0 / 334 / 15, 1e-15);
    EXPECT_EQ(rows[0]["temperature_margin"], 170);
    EXPECT_EQ(rows[1]["passes"], false);
    EXPECT_TRUE(rows[1]["temperature"].is_null());
    EXPECT_TRUE(rows[1]["temperature_holds"].is_null());
    EXPECT_EQ(rows[2]["code"], "diameter_not_positive");
    EXPECT_TRUE(rows[2]["passes"].is_null());
    EXPECT_NE(result.err.find("Строка 3: Диаметр должен быть больше нуля"), std::string::npos);
}

// A check batch refuses the records a sizing batch refuses, with the same codes: a file
// cut short inside a quote is never checked as if it were whole.
TEST(Check, BatchRefusesARecordCutShortOrSplitTheOtherWayAsASizingBatchDoes)
{
    struct Row {
        const char* name;
        std::string checks;
        std::string sizings;  // the same lines without the diameter
        const char* code;
        const char* message;
    };
    for (const Row& row : {
             Row{"cut short inside a quote",
                 "material,load,frequency,diameter,length\nБронза БрО10Ф1,5000,300,16.7,\"20",
                 "material,load,frequency,length\nБронза БрО10Ф1,5000,300,\"20", "unclosed_quote",
                 "Строка 1: файл оборван: кавычка, открытая в строке 2, не закрыта до его конца"},
             Row{"split by commas under a semicolon header",
                 "material;load;frequency;diameter;length\nБронза БрО10Ф1,5000,300,16.7,20\n",
                 "material;load;frequency;length\nБронза БрО10Ф1,5000,300,20\n", "mixed_separators",
                 "Строка 1: поля разделены «,», а в заголовке — «;»: в пакете один разделитель"},
         }) {
        SCOPED_TRACE(row.name);
        const Outcome checked = run({"--check", "--batch", "-", "-f", "json"}, row.checks);
        EXPECT_EQ(checked.status, exitMessage);
        const nlohmann::json rows = nlohmann::json::parse(checked.out);
        ASSERT_EQ(rows.size(), 1U);
        EXPECT_EQ(rows[0]["code"], row.code);
        EXPECT_TRUE(rows[0]["passes"].is_null());
        EXPECT_NE(checked.err.find(row.message), std::string::npos) << checked.err;
        const Outcome sized = run({"--batch", "-", "-f", "json"}, row.sizings);
        EXPECT_EQ(nlohmann::json::parse(sized.out).at(0)["code"], row.code) << sized.out;
        EXPECT_NE(sized.err.find(row.message), std::string::npos) << sized.err;
    }
}

TEST_F(CheckFiles, ChartAndReportAreWrittenWellFormedAndAgainByteForByte)
{
    const std::vector<std::string> arguments
        = with(bronze, {"--temperature", "80", "--chart", path("pv.svg"), "--report", path("report.html")});
    ASSERT_EQ(runDated(arguments, {}, "1765141454", 1).status, exitResults);
    const std::string svg = readFile(path("pv.svg"));
    const std::string html = readFile(path("report.html"));
    const XmlDocument chart(svg);
    ASSERT_TRUE(chart.valid()) << chart.error();
    EXPECT_EQ(chart.select("//s:circle[@id='operating-point']").size(), 1U);
    const XmlDocument report(html);
    ASSERT_TRUE(report.valid()) << report.error();
    EXPECT_EQ(report.select("//h:p[contains(., '07.12.2025 21:04:14 UTC')]").size(), 1U);
    EXPECT_EQ(report.select("//h:span[@class='pass']").size(), 1U);
    // The same calculation at another time with the same SOURCE_DATE_EPOCH: the same bytes.
    ASSERT_EQ(runDated(arguments, {}, "1765141454", 999).status, exitResults);
    EXPECT_EQ(readFile(path("pv.svg")), svg);
    EXPECT_EQ(readFile(path("report.html")), html);
    // Without it, the time of the run.
    ASSERT_EQ(runDated(arguments, {}, std::nullopt, 86400).status, exitResults);
    EXPECT_NE(readFile(path("report.html")).find("02.01.1970 00:00:00 UTC"), std::string::npos);
    EXPECT_EQ(runDated(arguments, {}, "yesterday").status, exitUsage);
}

TEST_F(CheckFiles, EveryModeDrawsItsChartAndReport)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        const char* mark;  // an XPath the chart must match once
        std::size_t reportCharts;
    };
    const std::vector<Case> cases{
        {"design chart of a check", with(bronze, {"--chart-kind", "design"}), "", "//s:circle[@id='proposed-design']",
            2},
        {"small multiples of every check", {"--check", "--all", "-F", "5000", "-n", "300", "-d", "16.7", "-L", "20"},
            "", "//s:g[@id='passing' and count(s:polygon)=6]", 3},
        {"p–v diagram of a sizing", {"-m", "Графит", "-F", "1000", "-n", "1000"}, "",
            "//s:circle[@id='operating-point']", 2},
        {"design chart of a sizing with a length",
            {"-m", "Графит", "-F", "1000", "-n", "1000", "-L", "100", "--chart-kind", "design"}, "",
            "//s:circle[@id='length-answer']", 2},
        {"small multiples of every sizing", {"--all", "-F", "5000", "-n", "300"}, "",
            "//s:g[@id='passing' and count(s:polygon)=21]", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result
            = run(with(c.arguments, {"--chart", path("chart.svg"), "--report", path("report.html")}), c.input);
        ASSERT_NE(result.status, exitUsage) << result.err;
        const XmlDocument chart(readFile(path("chart.svg")));
        ASSERT_TRUE(chart.valid()) << chart.error();
        EXPECT_EQ(chart.select(c.mark).size(), 1U);
        const XmlDocument report(readFile(path("report.html")));
        ASSERT_TRUE(report.valid()) << report.error();
        EXPECT_EQ(report.select("//s:svg").size(), c.reportCharts);
    }
    // Two materials that share a name are told apart by their group.
    ASSERT_EQ(run({"--check", "--all", "-F", "5000", "-n", "300", "-d", "16.7", "-L", "20", "--chart", path("all.svg")})
                  .status,
        exitMessage);
    const XmlDocument all(readFile(path("all.svg")));
    for (const char* heading :
        {"Текстолит, без смазки", "Текстолит, со смазкой", "Фторопласт-4, без смазки", "Фторопласт-4, со смазкой"}) {
        EXPECT_EQ(all.select(std::string("//s:text[.='") + heading + "']").size(), 1U) << heading;
    }
    EXPECT_EQ(all.select("//s:text[.='Графит']").size(), 1U);

    // A batch's report: one case in full, a row for each.
    const Outcome batch = run({"--batch", "-", "--report", path("batch.html"), "-f", "csv"},
        "material,load,frequency,length\nГрафит,1000,1000,\nБронза БрО10Ф1,5000,300,20\nСталь,1,1,\n");
    EXPECT_EQ(batch.status, exitMessage);
    const XmlDocument report(readFile(path("batch.html")));
    ASSERT_TRUE(report.valid()) << report.error();
    EXPECT_EQ(report.select("//h:table[@class='rows']/h:tbody/h:tr").size(), 3U);
}

}  // namespace
}  // namespace bearing::cli
