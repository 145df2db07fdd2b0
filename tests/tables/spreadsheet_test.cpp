// The spreadsheets' side of the tables: the bytes a spreadsheet saves, read as text; the
// CSV dialects, their separators, numbers and quoting; a workbook that fails leaving no
// file that looks complete.
#include "batchdecoder.h"
#include "csvdialect.h"
#include "workbookwriter.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace bearing {
namespace {

struct DecodeRow {
    const char* name;
    std::string bytes;
    std::string encoding;  // named with --encoding; empty to find it
    std::string text;      // the UTF-8 read, when it reads
    std::string problem;   // the start of the message, when it does not
    std::string readAs = "UTF-8";
};

// "Графит" in four encodings.
const std::string graphiteUtf8 = "Графит";
const std::string graphite1251 = "\xC3\xF0\xE0\xF4\xE8\xF2";
const std::string graphiteKoi8 = "\xE7\xD2\xC1\xC6\xC9\xD4";
const std::string graphite866 = "\x83\xE0\xA0\xE4\xA8\xE2";

const std::vector<DecodeRow> decodeRows{
    {"utf8 without a mark", "material\r\n" + graphiteUtf8 + "\r\n", "", "material\r\n" + graphiteUtf8 + "\r\n", ""},
    {"utf8 mark dropped", "\xEF\xBB\xBFmaterial;load\n", "", "material;load\n", ""},
    {"1251 found from its bytes", "material\r\n" + graphite1251 + ";5000\r\n", "",
        "material\r\n" + graphiteUtf8 + ";5000\r\n", "", "windows-1251"},
    {"1251 found after ASCII lines", std::string(100, 'a') + "\n1\n" + graphite1251, "",
        std::string(100, 'a') + "\n1\n" + graphiteUtf8, "", "windows-1251"},
    {"1251 named, its punctuation read", "\xB9 \xAB" + graphite1251 + "\xBB", "windows-1251",
        "№ «" + graphiteUtf8 + "»", "", "windows-1251"},
    {"a 1251 byte last in the file", "a\n" + graphite1251.substr(0, 2), "", "a\n" + graphiteUtf8.substr(0, 4), "",
        "windows-1251"},
    {"koi8-r named", graphiteKoi8, "koi8-r", graphiteUtf8, "", "koi8-r"},
    {"cp866 named, tab and line breaks its own", graphite866 + "\t\r\n", "cp866", graphiteUtf8 + "\t\r\n", "", "cp866"},
    {"utf8 named", graphiteUtf8, "utf8", graphiteUtf8, ""},
    {"1251 byte undefined", "a\r\nb\rc\n\x98", "", "", "строка 4: байт 0x98 не означает символа в windows-1251"},
    {"1252 read as 1251 mixes letters",
        "material\n" + graphite1251
            + "\nGr\xF6\xDF"
              "e;1\n",
        "", "", "строка 3: в слове «GrцЯe» латинские буквы смешаны с кириллицей"},
    {"a word begun in ASCII",
        "Gr\xF6\xDF"
        "e;1\n",
        "", "", "строка 1: в слове «GrцЯe»"},
    {"encodings mixed", graphiteUtf8 + "\n\xC3(", "", "", "строка 2: байт 0xC3 — не UTF-8, а раньше в файле был UTF-8"},
    {"1251 after a utf8 mark",
        "\xEF\xBB\xBF"
        "a\n"
            + graphite1251,
        "", "", "строка 2: байт 0xC3 — не UTF-8, хотя файл начинается с метки UTF-8"},
    {"utf8 named, 1251 given", graphite1251, "UTF-8", "", "строка 1: байт 0xC3 — не UTF-8"},
    {"a zip is no CSV", "PK\x03\x04\x14", "", "", "строка 1: управляющий байт 0x03 — это не текст CSV"},
    {"utf16 is no CSV", std::string("m\0a\0", 4), "", "", "строка 1: управляющий байт 0x00"},
    {"cut inside a character", graphiteUtf8 + "\r\n\xD0", "", "", "файл оборван посреди символа UTF-8 в строке 2"},
    {"an encoding of two bytes", "", "UTF-16", "", "кодировка «UTF-16» не подходит"},
    {"no such encoding", "", "klingon", "", "кодировка «klingon» не подходит"},
};

// Each file read whole and a byte at a time: a chunk's end must change nothing.
TEST(BatchDecoderTest, ReadsWhatSpreadsheetsSaveAndNamesTheLineOfWhatItCannot)
{
    for (const DecodeRow& row : decodeRows) {
        for (const std::size_t chunk : {row.bytes.size() + 1, std::size_t{1}}) {
            SCOPED_TRACE(std::string(row.name) + ", chunks of " + std::to_string(chunk));
            std::string text;
            std::string problem;
            std::string readAs;
            try {
                BatchDecoder decoder(row.encoding);
                std::string_view rest = row.bytes;
                do {
                    const std::string_view part = rest.substr(0, chunk);
                    rest.remove_prefix(part.size());
                    decoder.decode(part, rest.empty(), text);
                } while (!rest.empty());
                readAs = decoder.encoding();
            } catch (const InputError& error) {
                problem = error.what();
            }
            if (row.problem.empty()) {
                EXPECT_EQ(problem, "");
                EXPECT_EQ(text, row.text);
                EXPECT_EQ(readAs, row.readAs);
            } else {
                EXPECT_TRUE(problem.starts_with(row.problem)) << problem;
                EXPECT_EQ(readAs, "");
            }
        }
    }
}

TEST(CsvDialectTest, SeparatorComesFromTheHeaderLineOutsideQuotes)
{
    struct Row {
        const char* name;
        std::string_view header;
        char separator;
        bool clear;
    };
    for (const Row& row : {
             Row{"commas", "material,load,frequency\r\n1;2;3", ',', true},
             Row{"semicolons, decimal commas below", "material;load;frequency\r\nГрафит;1,5;300", ';', true},
             Row{"a quoted semicolon", "\"a;b\",load", ',', true},
             Row{"one column", "material", ',', true},
             Row{"both", "material;load,frequency", ',', false},
         }) {
        SCOPED_TRACE(row.name);
        const SeparatorFound found = separatorOfHeader(row.header);
        EXPECT_EQ(found.problem.has_value(), !row.clear);
        if (row.clear) {
            EXPECT_EQ(found.separator, row.separator);
        }
    }
}

TEST(CsvDialectTest, ARecordSplitTheOtherWayIsNamedAsMixedSeparators)
{
    struct Row {
        const char* name;
        char separator;
        std::vector<std::string> fields;
        bool mixed;
    };
    for (const Row& row : {
             Row{"commas in a ; batch", ';', {"Графит,5000,300"}, true},
             Row{"semicolons in a , batch", ',', {"Графит;5000;300"}, true},
             Row{"decimal commas, a field short", ';', {"Графит", "1,5"}, false},
             Row{"as many fields as the header", ';', {"Графит", "1,5", "3,0"}, false},
             Row{"half and half", ';', {"Графит,5000", "300"}, false},
         }) {
        SCOPED_TRACE(row.name);
        const CsvRecord record{.number = 4, .fields = row.fields, .fieldCount = row.fields.size(), .tooLong = false};
        const std::optional<std::string> problem = mixedSeparators(record, row.separator, 3);
        EXPECT_EQ(problem.has_value(), row.mixed) << problem.value_or("");
    }
}

TEST(CsvDialectTest, NumbersWithADecimalCommaReadAsDecimalsOnlyInThatDialect)
{
    struct Row {
        const char* name;
        char mark;
        std::string_view field;
        std::string_view read;
    };
    for (const Row& row : {
             Row{"decimal comma", ',', "1,5", "1.5"},
             Row{"grouped with no-break spaces", ',', "1\u00A0500,5", "1500.5"},
             Row{"grouped with narrow ones", ',', "-2\u202F000", "-2000"},
             Row{"a point stays", ',', "1.5", "1.5"},
             Row{"units stay", ',', "300 об/мин", "300 об/мин"},
             Row{"window reading under a point", '.', "1,5", "1,5"},
         }) {
        SCOPED_TRACE(row.name);
        std::string buffer;
        EXPECT_EQ(numberField(row.field, row.mark, buffer), row.read);
    }
}

TEST(CsvDialectTest, TheRussianDialectHasAMarkSemicolonsDecimalCommasAndCrLf)
{
    const auto line = [](const CsvDialect& dialect) {
        std::string out;
        CsvFields fields(out, dialect);
        fields.start();
        fields.text("Бронза; \"БрО10Ф1\"");
        fields.text("5000,5");
        fields.number("-0.5");
        fields.number("");
        fields.end();
        fields.number("1e+20");
        fields.end();
        return out;
    };
    EXPECT_EQ(line(russianCsv), "\xEF\xBB\xBF\"Бронза; \"\"БрО10Ф1\"\"\";\"5000,5\";\"-0,5\";\r\n1e+20\r\n");
    EXPECT_EQ(line(internationalCsv), "\"Бронза; \"\"БрО10Ф1\"\"\",\"5000,5\",-0.5,\r\n1e+20\r\n");
    EXPECT_FALSE(csvDialectNamed("excel").has_value());
}

// A text that a spreadsheet would run as a formula is written as a text in either
// dialect, through any text field: a batch's own column, an input echoed as given.
TEST(CsvDialectTest, AFormulaIsWrittenAsATextAndANumberAsItIs)
{
    struct Row {
        const char* name;
        std::string field;
        std::string international;  // as written
        std::string russian;
    };
    const std::vector<Row> rows{
        {"a formula", "=1+1", "\"'=1+1\"", "\"'=1+1\""},
        {"a link", R"(=HYPERLINK("http://x";"clk"))", R"lit("'=HYPERLINK(""http://x"";""clk"")")lit",
            R"lit("'=HYPERLINK(""http://x"";""clk"")")lit"},
        {"a sum after a plus", "+A1+A2", "\"'+A1+A2\"", "\"'+A1+A2\""},
        {"a sum after a minus", "-2+3", "\"'-2+3\"", "\"'-2+3\""},
        {"a call after an at", "@SUM(A1)", "\"'@SUM(A1)\"", "\"'@SUM(A1)\""},
        {"a tab first", "\t=1", "\"'\t=1\"", "\"'\t=1\""},
        {"a carriage return first", "\r=1", "\"'\r=1\"", "\"'\r=1\""},
        {"a lone minus", "-", "\"'-\"", "\"'-\""},
        {"a negative number", "-5", "-5", "-5"},
        {"a signed decimal", "+1.5e-3", "+1.5e-3", "+1.5e-3"},
        {"a decimal comma", "-1,5", "\"-1,5\"", "\"-1,5\""},
        {"a formula later in the text", "a=1+1", "a=1+1", "a=1+1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto& [dialect, expected] :
            {std::pair{internationalCsv, row.international}, {russianCsv, row.russian}}) {
            std::string out;
            CsvFields fields(out, dialect);
            fields.text(row.field);
            fields.number("-5");
            EXPECT_EQ(out, expected + dialect.separator + "-5");
        }
    }
}

class WorkbookFailureTest : public testing::Test {
protected:
    void SetUp() override
    {
        directory_ = std::filesystem::temp_directory_path()
            / ("workbook-test-" + std::to_string(::getpid()) + "-"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    [[nodiscard]] std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(directory_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    void writeOld(const std::filesystem::path& path) const { std::ofstream(path) << "old"; }

    static std::string contents(const std::filesystem::path& path)
    {
        std::ostringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }

    std::filesystem::path directory_;
    const MaterialCatalogue catalogue_{CatalogueVariant::ReferenceWindow};
};

TEST_F(WorkbookFailureTest, ATargetThatCannotBeWrittenIsRefusedBeforeAnyCase)
{
    writeOld(directory_ / "file");
    std::filesystem::create_directory(directory_ / "folder");
    struct Row {
        const char* name;
        std::filesystem::path path;
        std::string_view message;
    };
    for (const Row& row : {
             Row{"no such directory", directory_ / "missing" / "out.xlsx", "нет такого файла или каталога"},
             Row{"a file on the way", directory_ / "file" / "out.xlsx", "часть пути — не каталог"},
             Row{"a directory", directory_ / "folder", "это каталог"},
             Row{"a device", "/dev/null", "это не обычный файл"},
         }) {
        SCOPED_TRACE(row.name);
        try {
            WorkbookWriter writer(row.path, catalogue_);
            ADD_FAILURE() << "no error";
        } catch (const OutputError& error) {
            EXPECT_NE(std::string(error.what()).find(row.message), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(files(), (std::vector<std::string>{"file", "folder"}));
}

TEST_F(WorkbookFailureTest, AWorkbookGivenUpOrCutShortLeavesTheOldFileAndNothingElse)
{
    const std::filesystem::path target = directory_ / "cases.xlsx";
    writeOld(target);
    const std::string message(200, 'x');
    constexpr std::array<SheetColumn, 3> columns{{{"Материал", 28, SheetStyle::Text},
        {"Dmax, мм", 10, SheetStyle::Tenth}, {"Сообщение", 75, SheetStyle::Lines}}};
    const std::array<SheetCell, 3> cells{std::string_view("Графит"), 95.5, std::string_view(message)};
    const WorkbookSetup setup{
        .inputDecimalMark = '.', .carriedNames = {}, .withCases = true, .sheetName = "Расчеты", .columns = columns};
    {
        WorkbookWriter abandoned(target, catalogue_, setup);
        abandoned.writeRow(1, {}, cells);
    }
    EXPECT_EQ(files(), std::vector<std::string>{"cases.xlsx"});

    // A full disk, as a file size limit: the writer says so, and the old file stays.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = rlim_t{64} * 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string problem;
    try {
        WorkbookWriter writer(target, catalogue_, setup);
        for (std::size_t i = 1; i <= 20000; ++i) {
            writer.writeRow(i, {}, cells);
        }
        writer.finish();
    } catch (const OutputError& error) {
        problem = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_NE(problem.find("файл слишком велик"), std::string::npos) << problem;
    EXPECT_EQ(contents(target), "old");
    EXPECT_EQ(files(), std::vector<std::string>{"cases.xlsx"});
}

}  // namespace
}  // namespace bearing
