// A batch run by several workers (--jobs): the same bytes, messages and status as by one,
// for every job and format; and its progress, shown on a terminal only and never among
// the messages.
#include "commandline.h"
#include "runcommandline.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace bearing::cli {
namespace {

enum class Job { Sizing, Check, Film };

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A workbook's entries by name, each as its CRC-32 and size, all but the entry that holds
// the time the workbook was made.
std::string workbookEntries(const std::string& bytes)
{
    const auto u16 = [&bytes](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at)))
            | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + 1))) << 8U;
    };
    const auto u32 = [&u16](std::size_t at) { return u16(at) | u16(at + 2) << 16U; };
    const std::size_t end = bytes.rfind("PK\x05\x06");
    if (end == std::string::npos) {
        return "<no zip>";
    }
    std::map<std::string, std::string> entries;
    std::size_t at = u32(end + 16);
    for (std::uint32_t n = u16(end + 10); n > 0; --n) {
        const std::size_t nameLength = u16(at + 28);
        const std::string name = bytes.substr(at + 46, nameLength);
        if (name != "docProps/core.xml") {
            entries[name] = std::to_string(u32(at + 16)) + "/" + std::to_string(u32(at + 24));
        }
        at += 46 + nameLength + u16(at + 30) + u16(at + 32);
    }
    std::string listed;
    for (const auto& [name, entry] : entries) {
        listed.append(name).append(" ").append(entry).append("\n");
    }
    return listed;
}

// `rows` records for `job`, varied as a real batch is: good cases, faulty numbers, an
// unknown material, short records, an unknown group, a quoted name with the separator in
// it; with ';' the numbers have decimal commas, as a Russian spreadsheet saves them.
std::string variedBatch(Job job, char separator, int rows)
{
    const auto line = [separator](const std::vector<std::string>& fields) {
        std::string joined;
        for (const std::string& field : fields) {
            joined.append(joined.empty() ? "" : std::string(1, separator)).append(field);
        }
        return joined.append("\r\n");
    };
    const auto number = [separator](std::string text) {
        if (separator == ';') {
            std::ranges::replace(text, '.', ',');
        }
        return text;
    };
    const std::vector<std::string> materials{"Графит", "Бронза БрО10Ф1", "15", "Баббит Б83", "Текстолит ", "Сталь"};
    std::string text = line(job == Job::Film ? std::vector<std::string>{"id", "load", "frequency", "diameter", "length",
                                "clearance", "viscosity", "film_margin"}
            : job == Job::Check ? std::vector<std::string>{"id", "material", "load", "frequency", "diameter", "length",
                  "temperature", "group"}
                                : std::vector<std::string>{"id", "material", "load", "frequency", "length", "group"});
    for (int i = 1; i <= rows; ++i) {
        const std::string id = "\"П-" + std::to_string(i) + (i % 29 == 0 ? separator + std::string("x\"") : "\"");
        if (i % 19 == 0) {
            text += line({id, "15"});
            continue;
        }
        const std::string load = i % 11 == 0 ? "много" : std::to_string(500 + i * 37 % 20000);
        const std::string frequency = std::to_string(50 + i * 53 % 2000);
        const std::string group = i % 13 == 0 ? "wet" : i % 5 == 0 ? "dry" : i % 7 == 0 ? "lubricated" : "";
        const std::string diameter = number(std::to_string(10 + i * 7 % 150) + ".5");
        const std::string length = std::to_string(10 + i % 90);
        const std::string& material = materials.at(static_cast<std::size_t>(i) % materials.size());
        switch (job) {
        case Job::Sizing: text += line({id, material, load, frequency, i % 2 == 0 ? length : "", group}); break;
        case Job::Check:
            text += line({id, material, load, frequency, diameter, length,
                i % 3 == 0 ? "" : std::to_string(20 + i % 300), group});
            break;
        case Job::Film:
            text += line({id, load, frequency, diameter, length, std::to_string(60 + i * 3 % 150),
                number("0.0" + std::to_string(1 + i % 5)), i % 4 == 0 ? "" : number("1.5")});
            break;
        }
    }
    return text;
}

struct JobsRow {
    const char* name;
    Job job;
    std::string format;
    char separator;
    int rows;
};

void PrintTo(const JobsRow& row, std::ostream* out) { *out << row.name; }

class BatchJobs : public testing::TestWithParam<JobsRow> {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() / directoryName();

    static std::string directoryName()
    {
        std::string name = "plain-bearings-jobs-" + std::to_string(::getpid()) + "-"
            + testing::UnitTest::GetInstance()->current_test_info()->name();
        std::ranges::replace(name, '/', '-');
        return name;
    }

    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

// What a run gives: its status, its two streams and the file it writes besides.
std::string ranAs(const Outcome& outcome, const std::string& file)
{
    return "status " + std::to_string(outcome.status) + "\n--- out\n" + outcome.out + "\n--- err\n" + outcome.err
        + "\n--- file\n" + file;
}

TEST_P(BatchJobs, GiveWhatOneWorkerGivesInEveryFormat)
{
    const JobsRow& row = GetParam();
    const std::filesystem::path batch = dir / "batch.csv";
    const std::string text = variedBatch(row.job, row.separator, row.rows);
    std::ofstream(batch, std::ios::binary) << text;
    std::vector<std::string> arguments{"-f", row.format};
    if (row.job != Job::Sizing) {
        arguments.emplace_back(row.job == Job::Film ? "--film" : "--check");
    }
    // Text with the report (a sizing batch past its bound of cases); the workbook to its
    // file; CSV from the standard input.
    const std::filesystem::path file = dir / (row.format == "xlsx" ? "out.xlsx" : "report.html");
    if (row.format == "text") {
        arguments.insert(arguments.end(), {"--report", file.string()});
    } else if (row.format == "xlsx") {
        arguments.insert(arguments.end(), {"-o", file.string()});
    }
    arguments.insert(arguments.end(), {"--batch", row.format == "csv" ? "-" : batch.string()});
    std::string oneWorker;
    for (const char* jobs : {"1", "2", "7"}) {
        // Every case to the workers, however quick.
        const Outcome outcome = runIn({.decimalSeparator = ",",
                                          .width = noWidthLimit,
                                          .quickCase = std::chrono::nanoseconds(0),
                                          .sourceDateEpoch = "1765141454",
                                          .now = 0},
            with(arguments, {"--jobs", jobs}), text);
        const std::string written = row.format == "xlsx" ? workbookEntries(readFile(file)) : readFile(file);
        std::filesystem::remove(file);
        const std::string ran = ranAs(outcome, written);
        if (oneWorker.empty()) {
            ASSERT_TRUE(row.format == "xlsx" ? written.find("xl/worksheets/sheet1.xml") != std::string::npos
                                             : outcome.out.size() > static_cast<std::size_t>(row.rows) * 20)
                << ran;
            oneWorker = ran;
        } else {
            EXPECT_EQ(ran, oneWorker) << "--jobs " << jobs;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryJobAndFormat, BatchJobs,
    testing::Values(JobsRow{"sizing text and report", Job::Sizing, "text", ';', 450},
        JobsRow{"sizing text, its report refused past 500 cases", Job::Sizing, "text", ',', 600},
        JobsRow{"sizing csv", Job::Sizing, "csv", ',', 600}, JobsRow{"sizing json", Job::Sizing, "json", ';', 600},
        JobsRow{"sizing xlsx", Job::Sizing, "xlsx", ',', 600},
        JobsRow{"check text and report", Job::Check, "text", ',', 300},
        JobsRow{"check csv", Job::Check, "csv", ';', 300}, JobsRow{"check json", Job::Check, "json", ',', 300},
        JobsRow{"check xlsx", Job::Check, "xlsx", ';', 300},
        JobsRow{"film text and report", Job::Film, "text", ';', 160}, JobsRow{"film csv", Job::Film, "csv", ',', 160},
        JobsRow{"film json", Job::Film, "json", ';', 160}, JobsRow{"film xlsx", Job::Film, "xlsx", ',', 160}),
    [](const testing::TestParamInfo<JobsRow>& info) {
        std::string name;
        for (const char c : std::string(info.param.name)) {
            if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
                name += c;
            }
        }
        return name;
    });

TEST_F(BatchJobs, ShowProgressOnATerminalOnlyAndNeverAmongTheMessages)
{
    struct Row {
        const char* name;
        bool errorIsTerminal;
        bool outputIsTerminal;
        std::chrono::milliseconds after;
        bool fromFile;
        const char* shown;      // what the progress line says; empty: no line at all
        bool timeLeft = false;  // with the time left
    };
    const std::filesystem::path batch = dir / "batch.csv";
    const std::string text = variedBatch(Job::Sizing, ',', 300);
    std::ofstream(batch, std::ios::binary) << text;
    const std::vector<std::string> arguments{"-f", "csv", "--jobs", "2", "--batch"};
    const Outcome plain = runIn(
        {.decimalSeparator = ",", .sourceDateEpoch = std::nullopt, .now = 0}, with(arguments, {batch.string()}));
    ASSERT_NE(plain.err.find("Строка 19: "), std::string::npos) << plain.err;
    // A progress line and every line drawn over it, up to the blanks that take it away.
    const std::regex progress("(\r[^\r\n]*)+\r");
    for (const Row& row : {
             Row{"not a terminal", false, false, std::chrono::milliseconds(0), true, ""},
             Row{"a file", true, false, std::chrono::milliseconds(0), true, "обработан", true},
             Row{"the standard input: no time left", true, false, std::chrono::milliseconds(0), false, "обработан"},
             Row{"a batch quicker than its delay", true, false, std::chrono::milliseconds(60000), true, ""},
             Row{"the results on the same terminal", true, true, std::chrono::milliseconds(0), true, ""},
         }) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = runIn({.decimalSeparator = ",",
                                          .outputIsTerminal = row.outputIsTerminal,
                                          .errorIsTerminal = row.errorIsTerminal,
                                          .progressAfter = row.after,
                                          .sourceDateEpoch = std::nullopt,
                                          .now = 0},
            with(arguments, {row.fromFile ? batch.string() : "-"}), text);
        EXPECT_EQ(outcome.out, plain.out);
        EXPECT_EQ(outcome.status, plain.status);
        EXPECT_EQ(std::regex_replace(outcome.err, progress, ""), plain.err) << outcome.err;
        if (*row.shown == '\0') {
            EXPECT_EQ(outcome.err.find('\r'), std::string::npos) << outcome.err;
            continue;
        }
        EXPECT_NE(outcome.err.find(std::string("\r") + row.shown), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find(" строк/с"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.err.find(", осталось ~0:") != std::string::npos, row.timeLeft) << outcome.err;
    }
}

}  // namespace
}  // namespace bearing::cli
