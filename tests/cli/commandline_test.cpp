#include "commandline.h"
#include "runcommandline.h"

#include "batchreader.h"
#include "programversion.h"
#include "sizing.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace bearing::cli {
namespace {

const std::vector<std::string> bronze{"--material", "Бронза БрО10Ф1", "--load", "5000", "--frequency", "300"};

TEST(CommandLine, ExitStatusSaysWhetherEveryCaseGaveItsResults)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        int status;
        std::string inOut;  // a text the standard output must hold
        std::string inErr;  // a text the standard error must hold
    };
    const std::string usage = "Использование:\n  plain-bearings-calc";
    const std::vector<Case> cases{
        {"results", with(bronze, {"--length", "20"}), exitResults,
            "максимальный диаметр = 636.6 мм\nминимальная длина = 5.2 мм\nминимальный диаметр = 16,7 мм\n", ""},
        {"length below the minimum", with(bronze, {"--length", "5.2"}), exitMessage, "минимальная длина = 5.2 мм",
            std::string(messages::lengthBelowMinimum)},
        {"no frequency", {"-m", "15", "-F", "5000", "-n", "об/мин"}, exitMessage, "",
            std::string(messages::enterLoadAndFrequency)},
        {"zero diameter still gives the length", {"-m", "4", "-F", "1", "-n", "1e6"}, exitMessage,
            "минимальная длина =", "Слишком мал расчетный максимальный диаметр"},
        {"load beyond the range", {"-m", "1", "-F", "1e39", "-n", "1"}, exitMessage, "", "Радиальное усилие"},
        {"every material", {"--all", "-F", "5000", "-n", "300"}, exitResults, "Бронза БрО10Ф1", ""},
        {"every material, one short", {"--all", "-F", "5000", "-n", "300", "-L", "20", "-f", "csv"}, exitMessage,
            ",true,", "18 Баббит Б16: "},
        {"materials", {"--list-materials"}, exitResults, "0,15", ""},
        {"help", {"--help"}, exitResults, "--batch", ""},
        {"version", {"--version"}, exitResults, "plain-bearings-calc " + std::string(programVersion) + "\n", ""},
        {"unknown option", {"--list-materials", "--bogus"}, exitUsage, "", "неизвестный параметр «--bogus»"},
        {"unknown option alone", {"--bogus"}, exitUsage, "", "неизвестный параметр «--bogus»"},
        {"missing value", {"--all", "-F", "1", "-n"}, exitUsage, "", "нет значения у параметра --frequency"},
        {"missing frequency", {"--all", "-F", "1"}, exitUsage, "", "нужны --load и --frequency"},
        {"two modes", {"--all", "--list-materials"}, exitUsage, "", "ровно один из режимов"},
        {"unknown format", {"--list-materials", "--format", "xml"}, exitUsage, "",
            "недопустимое значение параметра --format: допустимы text|csv|json"},
        {"load without a case", {"--list-materials", "--load", "5"}, exitUsage, "", usage},
        // A material is data, as in a batch row: the case ends in its message.
        {"unknown material", {"-m", "Сталь 45", "-F", "1", "-n", "1"}, exitMessage, "",
            "Неизвестный материал «Сталь 45»"},
        {"row number beyond the table", {"-m", "22", "-F", "1", "-n", "1"}, exitMessage, "", "Неизвестный материал"},
        {"material of the other group", {"-m", "Графит", "-g", "lubricated", "-F", "1", "-n", "1"}, exitMessage, "",
            "не из группы «со смазкой»"},
        {"unreadable batch", {"--batch", "/nonexistent/cases.csv"}, exitUsage, "",
            "не удаётся открыть «/nonexistent/cases.csv»: нет такого файла или каталога"},
        {"batch without a header", {"--batch", "-"}, exitUsage, "", "нет заголовка"},
        {"no workers", {"--batch", "-", "--jobs", "0"}, exitUsage, "", "целое от 1 до 1024, а не «0»"},
        {"workers not a number", {"--film", "--batch", "-", "-j", "2x"}, exitUsage, "", "а не «2x»"},
        {"workers without a batch", {"-m", "1", "-F", "1", "-n", "1", "--jobs", "2"}, exitUsage, "",
            "--jobs задаётся только с --batch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.out.find(c.inOut), std::string::npos) << result.out;
        EXPECT_NE(result.err.find(c.inErr), std::string::npos) << result.err;
        if (c.status == exitUsage) {
            EXPECT_TRUE(result.out.empty()) << "a usage error calculates nothing";
        }
    }
}

TEST(CommandLine, SharedNameIsAmbiguousUntilTheGroupPicksARow)
{
    struct Case {
        const char* name;
        const char* dryRow;
        const char* lubricatedRow;
    };
    for (const Case& c : {Case{"Фторопласт-4", "6", "19"}, Case{"Текстолит", "5", "21"}}) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> sizing{"-F", "1000", "-n", "100", "--format", "csv"};
        const Outcome ambiguous = run(with({"--material", c.name}, sizing));
        EXPECT_EQ(ambiguous.status, exitMessage);
        EXPECT_NE(ambiguous.err.find(std::string(c.dryRow) + " (без смазки), " + c.lubricatedRow + " (со смазкой)"),
            std::string::npos)
            << ambiguous.err;

        for (const auto& [group, row] : {std::pair{"dry", c.dryRow}, std::pair{"lubricated", c.lubricatedRow}}) {
            const Outcome named = run(with({"--material", c.name, "--group", group}, sizing));
            const Outcome numbered = run(with({"--material", row}, sizing));
            ASSERT_EQ(named.status, exitResults) << named.err;
            const auto namedRow = readCsv(named.out).at(1);
            const auto numberedRow = readCsv(numbered.out).at(1);
            EXPECT_EQ(namedRow.at(4), row);
            // Everything but the echoed material is the same as by row number.
            EXPECT_EQ(std::vector(namedRow.begin() + 1, namedRow.end()),
                std::vector(numberedRow.begin() + 1, numberedRow.end()));
        }
        // The bearing window's own name of the lubricated row, with its trailing blank.
        const Outcome windowName = run(with({"--material", std::string(c.name) + " "}, sizing));
        EXPECT_EQ(windowName.status, exitResults);
        EXPECT_EQ(readCsv(windowName.out).at(1).at(4), c.lubricatedRow);
    }
}

TEST(CommandLine, BatchGivesARowForEveryRecordAndGoesOnPastBadOnes)
{
    const std::string input = "\xEF\xBB\xBFmaterial,frequency,load,length,group\r\n"
                              "Бронза БрО10Ф1,300,5000,20,\r\n"
                              "Бронза БрО10Ф1,300,5000\r\n"  // a field short
                              "\r\n"                         // empty lines are no records
                              "Сталь,300,5000,,\n"
                              "Текстолит,300,5000,,\n"
                              "Текстолит,300,5000,,lubricated\n"
                              "Текстолит,300,5000,,wet\n"
                              "15,300,abc,1e39,\r"
                              "15,0,5000,,\r"
                              "15,300,5000,5.2,,extra\n"
                              "\"Графит\",\"1 000\",\"1,5\",\"\",\"dry\"";
    const Outcome result = run({"--batch", "-", "--format", "csv"}, input);
    EXPECT_EQ(result.status, exitMessage);
    const auto rows = readCsv(result.out);
    ASSERT_EQ(rows.size(), 11U) << result.out;
    const auto column = [&rows](const char* name) {
        const auto at = std::find(rows[0].begin(), rows[0].end(), name);
        return static_cast<std::size_t>(at - rows[0].begin());
    };
    struct Expected {
        std::string minDiameter;
        std::string message;  // a part of it; empty for none
    };
    const std::vector<Expected> expected{
        {"16.7", ""},
        {"", "полей в строке 3, а в заголовке 5"},
        {"", "Неизвестный материал «Сталь»"},
        {"", "носят несколько материалов"},
        {"", ""},
        {"", "неизвестная группа «wet»"},
        {"", "Длина выходит за пределы"},
        {"", std::string(messages::enterLoadAndFrequency)},
        {"", "полей в строке 6"},
        {"", ""},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("batch row " + std::to_string(i + 1));
        const std::vector<std::string>& row = rows[i + 1];
        EXPECT_EQ(row.at(column("min_diameter")), expected[i].minDiameter);
        const std::string& message = row.at(column("message"));
        EXPECT_EQ(message.empty(), expected[i].message.empty()) << message;
        EXPECT_NE(message.find(expected[i].message), std::string::npos) << message;
        if (!message.empty()) {
            EXPECT_NE(result.err.find("Строка " + std::to_string(i + 1) + ": "), std::string::npos);
        }
    }
    // The inputs come back as given; the last row's load reads as 1, its frequency as 1000,
    // and the pressure sets its length.
    EXPECT_EQ(rows[10].at(column("load")), "1,5");
    EXPECT_EQ(rows[10].at(column("frequency")), "1 000");
    EXPECT_EQ(rows[10].at(column("max_diameter")), "28.6");
    EXPECT_EQ(rows[10].at(column("min_length")), "0.1");
    EXPECT_EQ(rows[10].at(column("min_length_full")), "0.06993007");
    EXPECT_EQ(rows[10].at(column("pv_length")), "0.05235988");
    EXPECT_EQ(rows[10].at(column("length_limit")), "p");
    EXPECT_EQ(rows[5].at(column("row")), "21");

    for (const auto& [header, problem] : {std::pair{"material,load\n", "нужны столбцы material, load и frequency"},
             std::pair{"material,load,frequency,lenght\n", "неизвестный столбец пакета «lenght»"},
             std::pair{"material,load,load,frequency\n", "столбец «load» повторяется"}}) {
        const Outcome bad = run({"--batch", "-"}, std::string(header) + "15,1,1\n");
        EXPECT_EQ(bad.status, exitUsage);
        EXPECT_NE(bad.err.find(problem), std::string::npos) << bad.err;
        EXPECT_TRUE(bad.out.empty());
    }
}

TEST(CommandLine, CsvFieldsSurviveQuotingBothWays)
{
    // Commas, quotes, line breaks and blanks inside fields; the material is unknown, but
    // comes back as given, as does every other field.
    const std::vector<std::string> material{"Бронза \"БрО10Ф1\", новая\r\nстрока", " 5000 ", "3\"00", ""};
    std::string input = "material,load,frequency,length\n";
    for (std::size_t i = 0; i < material.size(); ++i) {
        std::string quoted = "\"";
        for (const char c : material[i]) {
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        input += quoted + "\"" + (i + 1 < material.size() ? "," : "\n");
    }
    const Outcome result = run({"--batch", "-", "--format", "csv"}, input);
    const auto rows = readCsv(result.out);
    ASSERT_EQ(rows.size(), 2U) << result.out;
    EXPECT_EQ(std::vector(rows[1].begin(), rows[1].begin() + 4), material);
    EXPECT_EQ(rows[0].back(), "code");
    EXPECT_EQ(rows[1].back(), "unknown_material");

    // JSON carries the same texts, and numbers as numbers.
    const Outcome json = run({"-m", "Графит", "-F", "1000", "-n", "1000", "-L", "100", "--format", "json"});
    const nlohmann::json object = nlohmann::json::parse(json.out);
    EXPECT_EQ(object.at("material"), "Графит");
    EXPECT_EQ(object.at("min_length").get<double>(), 69.9);
    EXPECT_EQ(object.at("min_length_full").get<float>(), 69.93007F);
    EXPECT_EQ(object.at("length_limit"), "p");
    EXPECT_EQ(object.at("min_diameter").get<double>(), 20);
    EXPECT_EQ(object.at("length_below_minimum"), false);
    EXPECT_TRUE(object.at("message").is_null());
}

TEST(BatchReader, FieldThatNeverEndsIsCutAndReadingGoesOnAtTheNextLine)
{
    const std::string input = "a,b\n1,\"" + std::string(BatchReader::maxFieldBytes + 10, 'x') + "\n3,4\n";
    std::vector<std::pair<bool, std::vector<std::string>>> records;
    BatchReader reader([&records](const CsvRecord& record) {
        records.emplace_back(record.tooLong, std::vector<std::string>(record.fields.begin(), record.fields.end()));
        return true;
    });
    reader.read(input);
    ASSERT_EQ(records.size(), 3U);
    EXPECT_TRUE(records[1].first);
    EXPECT_FALSE(records[2].first);
    EXPECT_EQ(records[2].second, (std::vector<std::string>{"3", "4"}));
}

}  // namespace
}  // namespace bearing::cli
