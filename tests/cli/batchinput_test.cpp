// How every job reads a batch: one rule for its column names, one reading of its numbers
// for each CSV dialect, and the batch named in its messages.
#include "commandline.h"
#include "runcommandline.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace bearing::cli {
namespace {

enum class Job { Sizing, Check };

// A batch of one case for `job`, with `extra` columns after the job's required ones.
struct Batch {
    std::vector<std::string> arguments;
    std::string text;
};

Batch batchOf(Job job, char separator, const std::string& extraNames, const std::string& extraValues,
    const std::string& load = "5000")
{
    const std::string s(1, separator);
    const bool check = job == Job::Check;
    std::string header = "material" + s + "load" + s + "frequency" + (check ? s + "diameter" + s + "length" : "");
    std::string row = "15" + s + load + s + "300" + (check ? s + "16.7" + s + "20" : "");
    if (!extraNames.empty()) {
        header += s + extraNames;
        row += s + extraValues;
    }
    std::vector<std::string> arguments{"--batch", "-", "-f", "csv"};
    if (check) {
        arguments.emplace_back("--check");
    }
    return {arguments, header + "\n" + row + "\n"};
}

// The field `name` of the only result row of a batch's CSV.
std::string resultField(const std::string& csv, const std::string& name)
{
    const auto records = readCsv(csv);
    if (records.size() != 2) {
        return "<" + std::to_string(records.size()) + " records>";
    }
    for (std::size_t i = 0; i < records[0].size(); ++i) {
        if (records[0][i] == name) {
            return records[1].at(i);
        }
    }
    return "<no " + name + ">";
}

TEST(BatchInput, EveryJobMatchesColumnNamesByOneRuleAndNeverCarriesASlip)
{
    struct Row {
        const char* name;
        Job job;
        std::string names;   // columns after the job's required ones
        std::string values;  // their fields
        int status;
        std::string said;  // in the standard error, or with "out:" in the output
    };
    const std::string sizingColumns = " Столбцы расчета: material, load, frequency, length, group";
    const std::string checkColumns
        = " Столбцы проверки: material, load, frequency, diameter, length, temperature, group";
    std::string wide;
    std::string wideValues;
    for (int i = 0; i < 60; ++i) {
        wide += (i > 0 ? "," : "") + std::string("c") + std::to_string(i);
        wideValues += i > 0 ? ",x" : "x";
    }
    for (const Row& row : {
             Row{"a misspelt temperature", Job::Check, "temprature", "300", exitUsage,
                 "неизвестный столбец пакета «temprature»: может быть, temperature?" + checkColumns},
             Row{"a temperature in capitals", Job::Check, "Temperature", "300", exitUsage, "может быть, temperature?"},
             Row{"a name cut short", Job::Check, "temp", "300", exitUsage, "«temp»: может быть, temperature?"},
             Row{"a misspelt group", Job::Check, "grup", "dry", exitUsage, "«grup»: может быть, group?"},
             Row{"a column of another job misspelt", Job::Sizing, "temprature", "300", exitUsage,
                 "может быть, temperature?" + sizingColumns},
             Row{"a swap of neighbours and a dropped letter", Job::Sizing, "diamtre", "1", exitUsage,
                 "может быть, diameter?"},
             Row{"a misspelt column of the oil film", Job::Sizing, "viscosty", "0.02", exitUsage,
                 "может быть, viscosity?"},
             Row{"blanks around a name are no part of it", Job::Check, " temperature\t", "300", exitMessage,
                 "out:,false,-50,false,"},
             Row{"a column of another job, named exactly, is the user's own", Job::Sizing, "diameter", "7", exitResults,
                 "out:diameter,material,"},
             Row{"a field of another job's output is the user's own", Job::Sizing, "passes", "yes", exitResults,
                 "out:passes,material,"},
             Row{"a field of the job's own output is not", Job::Check, "passes", "yes", exitUsage,
                 "столбец «passes» пакета совпадает с полем вывода"},
             Row{"a name repeated with blanks", Job::Check, "id, id", "1,2", exitUsage, "« id» пакета совпадает"},
             Row{"a required column repeated with a blank", Job::Sizing, " load", "1", exitUsage,
                 "столбец « load» повторяется в заголовке пакета"},
             Row{"more columns than the reader keeps", Job::Check, wide, wideValues, exitUsage,
                 "в заголовке пакета не больше 64 столбцов, а в этом 65"},
             Row{"as many as it keeps", Job::Sizing, wide + ",c60", wideValues + ",x", exitResults, "out:c60,"},
         }) {
        SCOPED_TRACE(row.name);
        const Batch batch = batchOf(row.job, ',', row.names, row.values);
        const Outcome result = run(batch.arguments, batch.text);
        EXPECT_EQ(result.status, row.status) << result.err;
        if (row.said.starts_with("out:")) {
            EXPECT_NE(result.out.find(row.said.substr(4)), std::string::npos) << result.out;
        } else {
            EXPECT_NE(result.err.find(row.said), std::string::npos) << result.err;
        }
    }
    const Outcome short_ = run({"--check", "--batch", "-"}, "material,load,frequency,length\n");
    EXPECT_NE(short_.err.find("в заголовке пакета проверки нужны столбцы material, load, frequency, diameter и length"),
        std::string::npos)
        << short_.err;
}

TEST(BatchInput, EveryJobReadsABatchsNumbersOneWayInEachDialect)
{
    struct Row {
        const char* name;
        char separator;
        std::string load;      // as written in the batch
        std::string sizingAs;  // the load the sizing reads it as, written plainly
        std::string checkAs;   // the check's; empty: not a number to the check
        std::string echoed;    // the load as the results echo it; empty: as written
    };
    for (const Row& row : {
             Row{"grouped by blanks, a decimal comma", ';', "1 500,5", "1500.5", "1500.5", ""},
             Row{"grouped by no-break spaces", ';', "1\u00A0500,5", "1500.5", "1500.5", ""},
             // A sign before what a spreadsheet takes for no number: echoed as a text, not a formula.
             Row{"grouped by narrow no-break spaces, a sign", ';', "+12\u202F345\u202F678", "12345678", "12345678",
                 "'+12\u202F345\u202F678"},
             Row{"grouped, a decimal point", ';', "1 500.25", "1500.25", "1500.25", ""},
             Row{"a blank that groups nothing", ';', "1 50", "150", "", ""},
             Row{"a group of four", ';', "1 5000", "15000", "", ""},
             Row{"a no-break space that groups nothing", ';', "15\u00A000", "1500", "", ""},
             Row{"no grouping in the international dialect", ',', "\"1 500\"", "1500", "", ""},
         }) {
        for (const Job job : {Job::Sizing, Job::Check}) {
            const bool check = job == Job::Check;
            SCOPED_TRACE(std::string(row.name) + (check ? ", check" : ", sizing"));
            const std::string& as = check ? row.checkAs : row.sizingAs;
            // F/[p] for a sizing, F/(d·L) for a check: either follows the load read.
            const std::string figure = check ? "pressure" : "min_area";
            const Batch given = batchOf(job, row.separator, "", "", row.load);
            const Outcome read = run(given.arguments, given.text);
            if (as.empty()) {
                EXPECT_EQ(resultField(read.out, "code"), "load_not_a_number") << read.out;
                continue;
            }
            const Batch plain = batchOf(job, ',', "", "", as);
            const std::string expected = resultField(run(plain.arguments, plain.text).out, figure);
            EXPECT_EQ(resultField(read.out, figure), expected) << read.out << read.err;
            const std::string echoed = row.load.front() == '"' ? row.load.substr(1, 5) : row.load;
            EXPECT_EQ(resultField(read.out, "load"), row.echoed.empty() ? echoed : row.echoed);
        }
    }

    // A check's report reads its figures from the inputs it shows: a grouped load is shown
    // as the check read it.
    const std::filesystem::path report
        = std::filesystem::temp_directory_path() / ("plain-bearings-grouped-" + std::to_string(::getpid()) + ".html");
    const Batch grouped = batchOf(Job::Check, ';', "", "", "1 500,5");
    ASSERT_EQ(run(with(grouped.arguments, {"--report", report.string()}), grouped.text).status, exitResults);
    std::ifstream file(report);
    const std::string html{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::filesystem::remove(report);
    EXPECT_NE(html.find("p = F / (d·L) = 1500,5 / (16,7·20)"), std::string::npos) << html;
}

TEST(BatchInput, AMessageNamesTheBatchAsItCame)
{
    for (const auto& [arguments, said] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--batch", "-"}, "не читается пакет со стандартного ввода: строка 2: управляющий байт 0x01"},
             {{"--batch", "/nonexistent/\x1b[31m.csv"}, "не удаётся открыть «/nonexistent/?[31m.csv»"},
         }) {
        const Outcome result = run(arguments, "material,load,frequency\n\x01\n");
        EXPECT_EQ(result.status, exitUsage);
        EXPECT_NE(result.err.find(said), std::string::npos) << result.err;
    }
}

}  // namespace
}  // namespace bearing::cli
