// The oil film on the command line: the core's figures, unchanged, in every format and
// for every kind of case, and the options that do not go with it refused.
#include "commandline.h"
#include "runcommandline.h"

#include "oilfilm.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace bearing::cli {
namespace {

// A batch's rows, each a case of another kind; `core` is the same case's texts as the
// core reads them (with decimal points).
struct FilmRow {
    const char* name;
    std::string fields;  // load … film_margin, as the batch gives them
    FilmTexts core;
    bool passes;
    std::string code;
};

TEST(Film, EveryFormatCarriesTheCoresFiguresForEveryKindOfCase)
{
    const std::vector<FilmRow> rows{
        {"a film that carries the load", "500,3000,50,40,60,0.05,0.4,,",
            {"500", "3000", "50", "40", "60", "0.05", "0.4", std::nullopt, std::nullopt}, true, ""},
        {"too thin a film for the required margin", "5000,1500,50,40,60,0.02,,,",
            {"5000", "1500", "50", "40", "60", "0.02", std::nullopt, std::nullopt, std::nullopt}, false, ""},
        {"smooth surfaces: no margin is a number", "5000,1500,50,40,60,0.02,0,0,",
            {"5000", "1500", "50", "40", "60", "0.02", "0", "0", std::nullopt}, true, ""},
        {"a load beyond the film", "50000,100,50,40,60,0.02,,,1.5",
            {"50000", "100", "50", "40", "60", "0.02", std::nullopt, std::nullopt, "1.5"}, false, "load_beyond_film"},
        {"a viscosity that is no number", "500,3000,50,40,60,вязко,,,",
            {"500", "3000", "50", "40", "60", "вязко", std::nullopt, std::nullopt, std::nullopt}, false,
            "viscosity_not_a_number"},
    };
    std::string batch = "id,load,frequency,diameter,length,clearance,viscosity,roughness_journal,roughness_bore,"
                        "film_margin\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        batch += std::to_string(i) + "," + rows[i].fields + "\n";
    }
    const Outcome json = run({"--film", "--batch", "-", "-f", "json"}, batch);
    const Outcome csv = run({"--film", "--batch", "-", "-f", "csv"}, batch);
    const Outcome text = run({"--film", "--batch", "-"}, batch);
    EXPECT_EQ(json.status, exitMessage);
    EXPECT_EQ(text.status, exitMessage);
    const auto cases = nlohmann::ordered_json::parse(json.out);
    const auto records = readCsv(csv.out);
    ASSERT_EQ(cases.size(), rows.size()) << json.out;
    ASSERT_EQ(records.size(), rows.size() + 1) << csv.out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        const OilFilm film = solveOilFilm(rows[i].core);
        const auto& got = cases.at(i);
        EXPECT_EQ(got.at("id"), std::to_string(i));
        for (const FilmField& field : filmFields) {
            const ResultValue value = field.value(film);
            const auto* number = std::get_if<double>(&value);
            if (number != nullptr && std::isfinite(*number)) {
                EXPECT_EQ(got.at(std::string(field.name)).get<double>(), *number) << field.name;
            } else if (const auto* flag = std::get_if<bool>(&value)) {
                EXPECT_EQ(got.at(std::string(field.name)).get<bool>(), *flag) << field.name;
            } else {
                EXPECT_TRUE(got.at(std::string(field.name)).is_null()) << field.name;
            }
        }
        EXPECT_EQ(got.at("passes").is_boolean() && got.at("passes").get<bool>(), rows[i].passes);
        EXPECT_EQ(got.at("code").is_null() ? std::string() : got.at("code").get<std::string>(), rows[i].code);
        // CSV has the same fields in the same order, a number as JSON has it.
        std::size_t column = 0;
        for (const auto& [name, value] : got.items()) {
            EXPECT_EQ(records[0].at(column), name);
            if (value.is_number()) {
                EXPECT_EQ(std::stod(records[i + 1].at(column)), value.get<double>()) << name;
            }
            ++column;
        }
        // The text table says each message once, as a note.
        if (!rows[i].code.empty()) {
            const std::string message(
                film.fault != FilmFault::None ? filmFaultMessage(film.fault) : filmLimitMessage(film.limit));
            EXPECT_NE(text.out.find(message.substr(0, message.find('\r'))), std::string::npos) << text.out;
        }
    }
    // One case in text: the core's lines, with the run's decimal separator.
    const Outcome one = run({"--film", "-F", "500", "-n", "3000", "-d", "50", "-L", "40", "--clearance", "60",
        "--viscosity", "0.05", "--roughness", "0.4,6.3"});
    std::string lines;
    FilmTexts texts = rows[0].core;
    texts.boreRoughness = "6.3";
    for (const std::string& line : filmLines(solveOilFilm(texts), ",")) {
        lines += line + "\n";
    }
    EXPECT_EQ(one.out, lines);
    EXPECT_EQ(one.status, exitResults) << one.err;
}

TEST(Film, OptionsThatDoNotGoWithTheFilmAreRefused)
{
    const std::vector<std::string> oneCase{
        "--film", "-F", "500", "-n", "3000", "-d", "50", "-L", "40", "--clearance", "60", "--viscosity", "0.05"};
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::string said;
    };
    for (const Row& row : {
             Row{"a value left out", {"--film", "-F", "500", "-n", "3000", "-d", "50", "-L", "40", "--clearance", "60"},
                 "для --film нужны"},
             Row{"a material", with(oneCase, {"-m", "1"}), "без материала"},
             Row{"the check as well", with(oneCase, {"--check"}), "без материала"},
             Row{"a value beside a batch", {"--film", "--batch", "-", "--clearance", "60"}, "задаются столбцами"},
             Row{"a chart of a batch", {"--film", "--batch", "-", "--chart", "x.svg"}, "для одного случая"},
             Row{"three roughnesses", with(oneCase, {"--roughness", "1,2,3"}), "два числа через запятую"},
             Row{"a film option without the film", {"-m", "1", "-F", "1", "-n", "1", "--viscosity", "1"},
                 "задаются только с --film"},
         }) {
        SCOPED_TRACE(row.name);
        const Outcome result = run(row.arguments, "load,frequency\n");
        EXPECT_EQ(result.status, exitUsage);
        EXPECT_NE(result.err.find(row.said), std::string::npos) << result.err;
    }
}

}  // namespace
}  // namespace bearing::cli
