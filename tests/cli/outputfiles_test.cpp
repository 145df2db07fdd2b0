// The files a run writes (--output, --chart, --report) under abuse: one of them the
// batch or another output, a file the user may not write, a name as long as a name may
// be, a report of a batch without end, and what a report and a chart show at the edges.
// A full disk is fulldisk.sh's.
#include "commandline.h"
#include "replacementfile.h"
#include "runcommandline.h"

#include "xmldocument.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

namespace bearing::cli {
namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, const std::string& text) { std::ofstream(path) << text; }

Outcome runWith(const std::vector<std::string>& arguments, const std::string& input = {},
    std::optional<FileIdentity> outputFile = std::nullopt, std::istream* in = nullptr)
{
    return runIn({.decimalSeparator = ",",
                     .width = noWidthLimit,
                     .outputIsTerminal = false,
                     .sourceDateEpoch = "1765141454",
                     .now = 0,
                     .inputFile = std::nullopt,
                     .outputFile = std::move(outputFile)},
        arguments, input, in);
}

// A directory of its own that anyone may write (a test may run as another user), removed
// afterwards.
class OutputFiles : public testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path()
        / ("plain-bearings-output-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name());

    void SetUp() override
    {
        std::filesystem::create_directories(dir);
        std::filesystem::permissions(dir, std::filesystem::perms::all);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    [[nodiscard]] std::string path(const std::string& name) const { return (dir / name).string(); }
    [[nodiscard]] std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

const std::vector<std::string> checkOne{"--check", "-m", "15", "-F", "5000", "-n", "300", "-d", "16.7", "-L", "20"};

TEST_F(OutputFiles, AnOutputThatIsTheBatchTheResultsOrAnotherOutputIsRefusedBeforeAnything)
{
    const std::string batch = "id,material,load,frequency,diameter,length\nП-1,15,5000,300,16.7,20\n";
    writeFile(path("cases.csv"), batch);
    std::filesystem::create_symlink(path("cases.csv"), path("link.html"));
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        bool resultsInReport = false;  // the standard output is redirected to report.html
    };
    const std::vector<Row> rows{
        {"a workbook over its batch", {"--check", "-b", path("cases.csv"), "-f", "xlsx", "-o", path("cases.csv")}},
        {"a report over its batch", {"--check", "-b", path("cases.csv"), "--report", path("cases.csv")}},
        {"the batch named through ./", {"-b", path("cases.csv"), "--report", (dir / "." / "cases.csv").string()}},
        {"the batch through a link", {"-b", path("cases.csv"), "-f", "csv", "-o", path("link.html")}},
        {"a chart and a report in one new file", with(checkOne, {"--chart", path("x"), "--report", path("x")})},
        {"a report and the output in one new file",
            with(checkOne, {"--report", path("y"), "-f", "json", "-o", (dir / "." / "y").string()})},
        {"a report where the results go", with(checkOne, {"--report", path("report.html")}), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome
            = runWith(row.arguments, {}, row.resultsInReport ? fileIdentity(path("report.html")) : std::nullopt);
        EXPECT_EQ(outcome.status, exitUsage);
        EXPECT_NE(outcome.err.find("— один и тот же файл"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(readFile(path("cases.csv")), batch);
        EXPECT_EQ(files(), (std::vector<std::string>{"cases.csv", "link.html"}));
    }
    // Two names of two files are not one, nor is a device that takes anything.
    EXPECT_EQ(runWith(with(checkOne, {"--chart", path("x.svg"), "--report", path("x.html")})).status, exitResults);
    EXPECT_EQ(runWith(with(checkOne, {"--chart", "/dev/null", "--report", "/dev/null"})).status, exitResults);
}

// As another user than root, whom no mode stops, for as long as it lives.
class AsOtherUser {
public:
    AsOtherUser()
        : root_(::geteuid() == 0)
    {
        if (root_) {
            EXPECT_EQ(::setegid(65534), 0);
            EXPECT_EQ(::seteuid(65534), 0);
        }
    }
    AsOtherUser(const AsOtherUser&) = delete;
    AsOtherUser& operator=(const AsOtherUser&) = delete;
    AsOtherUser(AsOtherUser&&) = delete;
    AsOtherUser& operator=(AsOtherUser&&) = delete;
    ~AsOtherUser()
    {
        if (root_) {
            static_cast<void>(::seteuid(0));
            static_cast<void>(::setegid(0));
        }
    }

private:
    bool root_;
};

TEST_F(OutputFiles, EveryOutputRefusesAFileTheUserMayNotWriteAndAReplacedOneKeepsItsMode)
{
    struct Row {
        const char* name;
        std::vector<std::string> options;  // FILE: the output file
        std::string file;
    };
    const std::vector<Row> rows{
        {"text", {"-o"}, "out.txt"},
        {"csv", {"-f", "csv", "-o"}, "out.csv"},
        {"json", {"-f", "json", "-o"}, "out.json"},
        {"workbook", {"-f", "xlsx", "-o"}, "out.xlsx"},
        {"chart", {"--chart"}, "out.svg"},
        {"report", {"--report"}, "out.html"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeFile(path(row.file), "old");
        std::filesystem::permissions(path(row.file),
            std::filesystem::perms::owner_read | std::filesystem::perms::group_read
                | std::filesystem::perms::others_read);
        std::vector<std::string> arguments = with(checkOne, row.options);
        arguments.push_back(path(row.file));
        {
            const AsOtherUser other;
            const Outcome refused = runWith(arguments);
            EXPECT_EQ(refused.status, exitWriteFailed);
            EXPECT_NE(refused.err.find("«" + path(row.file) + "»: нет доступа"), std::string::npos) << refused.err;
            EXPECT_EQ(refused.out, "") << "refused before anything is calculated";
        }
        EXPECT_EQ(readFile(path(row.file)), "old");
        // Writable to its owner, the file is replaced and keeps its mode.
        ::chmod(path(row.file).c_str(), 0640);
        EXPECT_EQ(runWith(arguments).status, exitResults);
        EXPECT_NE(readFile(path(row.file)), "old");
        struct stat status { };
        ::stat(path(row.file).c_str(), &status);
        EXPECT_EQ(status.st_mode & 07777U, 0640U);
    }
    // A file in a directory closed to the user is refused as one it may not write.
    const std::string closed = path("closed");
    std::filesystem::create_directory(closed);
    writeFile(closed + "/out.xlsx", "old");
    std::filesystem::permissions(closed, std::filesystem::perms::owner_all);
    for (const Row& row : std::vector<Row>{rows.front(), rows.at(3)}) {
        SCOPED_TRACE(std::string("in a closed directory, ") + row.name);
        std::vector<std::string> arguments = with(checkOne, row.options);
        arguments.push_back(closed + "/out.xlsx");
        const AsOtherUser other;
        const Outcome refused = runWith(arguments);
        EXPECT_EQ(refused.status, exitWriteFailed);
        EXPECT_NE(refused.err.find("/out.xlsx»: нет доступа"), std::string::npos) << refused.err;
    }
    std::filesystem::permissions(closed, std::filesystem::perms::all);
    // A name of 250 bytes leaves room for the file it is written in first.
    const std::string longName = std::string(245, 'x') + ".xlsx";
    EXPECT_EQ(runWith(with(checkOne, {"-f", "xlsx", "-o", path(longName)})).status, exitResults);
    EXPECT_GT(readFile(path(longName)).size(), 1000U);
}

// A batch as good as endless: a header, then the same record a hundred thousand times.
// Counts the records it gave.
class EndlessBatch : public std::streambuf {
public:
    explicit EndlessBatch(std::string header, std::string record)
        : text_(std::move(header))
        , record_(std::move(record))
    {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }
    [[nodiscard]] std::size_t records() const { return records_; }

protected:
    int_type underflow() override
    {
        if (records_ == 100000) {
            return traits_type::eof();
        }
        text_ = record_;
        ++records_;
        setg(text_.data(), text_.data(), text_.data() + text_.size());
        return traits_type::to_int_type(text_.front());
    }

private:
    std::string text_;
    std::string record_;
    std::size_t records_ = 0;
};

TEST_F(OutputFiles, AReportOfMoreThanFiveHundredCasesIsRefusedWithoutReadingTheRest)
{
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::string header;
        std::string record;
    };
    const std::vector<Row> rows{
        {"sizing", {"-b", "-"}, "id,material,load,frequency\n", "П,15,5000,300\n"},
        {"check", {"--check", "-b", "-", "-f", "json"}, "material,load,frequency,diameter,length\n",
            "15,5000,300,16.7,20\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeFile(path("big.html"), "old");
        EndlessBatch endless(row.header, row.record);
        std::istream in(&endless);
        const Outcome refused = runWith(with(row.arguments, {"--report", path("big.html")}), {}, std::nullopt, &in);
        EXPECT_EQ(refused.status, exitUsage);
        EXPECT_NE(refused.err.find("отчет --report — не больше 500 случаев, а в пакете их больше; для большого пакета "
                                   "подойдет книга: --format xlsx --output ФАЙЛ.xlsx"),
            std::string::npos)
            << refused.err;
        // The reader takes 64 KiB at a time: the rest stays unread.
        EXPECT_LT(endless.records(), 10000U);
        EXPECT_EQ(readFile(path("big.html")), "old");

        // Five hundred is a report, with the batch's own columns in its table.
        std::string batch = row.header;
        for (int i = 0; i < 500; ++i) {
            batch += row.record;
        }
        ASSERT_EQ(runWith(with(row.arguments, {"--report", path("big.html")}), batch).status, exitResults);
        const XmlDocument report(readFile(path("big.html")));
        ASSERT_TRUE(report.valid()) << report.error();
        EXPECT_EQ(report.select("//h:table[@class='rows']/h:tbody/h:tr").size(), 500U);
    }
}

TEST_F(OutputFiles, ReportsAndChartsShowWhatTheyCannotDrawOrWriteAsTheyAre)
{
    // The batch's own column in the report's table and in the inputs of its worked case.
    ASSERT_EQ(runWith({"--check", "-b", "-", "-f", "csv", "--report", path("ids.html")},
                  "id,material,load,frequency,diameter,length,temperature\nП-1,15,5000,300,16.7,20,-20\n"
                  "П-2,15,5000,300,16.7,20,\n")
                  .status,
        exitResults);
    const XmlDocument ids(readFile(path("ids.html")));
    ASSERT_TRUE(ids.valid()) << ids.error();
    EXPECT_EQ(ids.select("//h:table[@class='rows']/h:thead/h:tr/h:th[2][.='id']").size(), 1U);
    EXPECT_EQ(ids.select("//h:table[@class='rows']/h:tbody/h:tr/h:td[2][.='П-2']").size(), 1U);
    EXPECT_EQ(ids.select("//h:td[.='id']/following-sibling::h:td[.='«П-1»']").size(), 1U);
    // A negative temperature subtracted in brackets.
    EXPECT_EQ(ids.select("//h:td[.='[t] − t = 250 − (−20)']").size(), 1U);

    // A chart that has nothing to draw says so in place of an old one.
    writeFile(path("stale.svg"), "old");
    EXPECT_EQ(runWith({"-m", "Сталь", "-F", "1", "-n", "1", "--chart", path("stale.svg")}).status, exitMessage);
    const XmlDocument stale(readFile(path("stale.svg")));
    ASSERT_TRUE(stale.valid()) << stale.error();
    EXPECT_EQ(stale.select("//s:text[@id='no-chart' and contains(., '«Сталь» не найден')]").size(), 1U);

    // An oil film that cannot carry its load: the design chart still shows where its S
    // lies; the pressure, which it has none of, is a frame with the limit's message on
    // one line.
    const std::vector<std::string> beyond{
        "--film", "-F", "50000", "-n", "100", "-d", "50", "-L", "40", "--clearance", "60", "--viscosity", "0.02"};
    EXPECT_EQ(
        runWith(with(beyond, {"--chart", path("film-design.svg"), "--chart-kind", "design"})).status, exitMessage);
    EXPECT_EQ(XmlDocument(readFile(path("film-design.svg"))).select("//s:text[@id='no-chart']").size(), 0U);
    EXPECT_EQ(runWith(with(beyond, {"--chart", path("film-pressure.svg")})).status, exitMessage);
    const XmlDocument pressure(readFile(path("film-pressure.svg")));
    EXPECT_EQ(pressure.select("//s:text[@id='no-chart' and contains(., 'меньше Увеличьте зазор')]").size(), 1U);

    // A checked diameter beyond the axes is drawn on the frame.
    ASSERT_EQ(runWith(with(checkOne, {"-d", "1e305", "--chart", path("far.svg"), "--chart-kind", "design"})).status,
        exitMessage);
    const XmlDocument far(readFile(path("far.svg")));
    ASSERT_TRUE(far.valid()) << far.error();
    const std::vector<XmlDocument::Node> ring = far.select("//s:circle[@id='proposed-design']");
    ASSERT_EQ(ring.size(), 1U);
    EXPECT_LE(ring.front().number("cx"), 736.0);

    // A date is a date of four digits.
    for (const char* epoch : {"999999999999", "253402300800", "-1"}) {
        SCOPED_TRACE(epoch);
        const Outcome refused
            = runIn({.decimalSeparator = ",", .width = noWidthLimit, .sourceDateEpoch = epoch, .now = 0},
                with(checkOne, {"--report", path("dated.html")}));
        EXPECT_EQ(refused.status, exitUsage);
        EXPECT_NE(refused.err.find("SOURCE_DATE_EPOCH — не дата"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(runIn({.decimalSeparator = ",", .width = noWidthLimit, .sourceDateEpoch = "253402300799", .now = 0},
                  with(checkOne, {"--report", path("dated.html")}))
                  .status,
        exitResults);
    EXPECT_NE(readFile(path("dated.html")).find("31.12.9999 23:59:59 UTC"), std::string::npos);
}

}  // namespace
}  // namespace bearing::cli
