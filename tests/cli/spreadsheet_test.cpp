// Spreadsheets both ways: the bytes a spreadsheet saves, read as text; the Russian CSV
// dialect; a workbook that fails leaving no file that looks complete; the command line
// reading a batch as a Russian spreadsheet saves it.
#include "batchdecoder.h"
#include "commandline.h"
#include "csvdialect.h"
#include "runcommandline.h"
#include "workbookwriter.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace bearing::cli {
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
    // Through the command line: the batch's own column and the inputs echoed as given.
    const std::string batch = "id,material,load,frequency\n=1+1,@x,-5,-2+3\n";
    for (const std::vector<std::string>& dialect : {std::vector<std::string>{}, {"--csv-dialect", "ru"}}) {
        const Outcome outcome = run(with({"--batch", "-", "-f", "csv"}, dialect), batch);
        const std::vector<std::vector<std::string>> records = readCsv(outcome.out);
        ASSERT_EQ(records.size(), 2U) << outcome.out;
        EXPECT_EQ(std::vector<std::string>(records[1].begin(), records[1].begin() + 4),
            (std::vector<std::string>{"'=1+1", "'@x", "-5", "'-2+3"}));
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

Outcome runBatch(const std::string& input, std::vector<std::string> arguments = {}, bool terminal = false)
{
    arguments.insert(arguments.begin(), {"--batch", "-"});
    return runIn({.decimalSeparator = ",",
                     .width = 200,
                     .outputIsTerminal = terminal,
                     .sourceDateEpoch = std::nullopt,
                     .now = 0},
        arguments, input);
}

// Cyrillic UTF-8 in Windows-1251, as a Russian spreadsheet saves "CSV"; U+00A0 too.
std::string inWindows1251(std::string_view text)
{
    std::string bytes;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80U) {
            bytes += text[at++];
            continue;
        }
        const unsigned code = ((lead & 0x1FU) << 6U) | (static_cast<unsigned char>(text[at + 1]) & 0x3FU);
        at += 2;
        bytes += static_cast<char>(code == 0x401 ? 0xA8U
                : code == 0x451                  ? 0xB8U
                : code == 0xA0                   ? 0xA0U
                                                 : code - 0x350U);
    }
    return bytes;
}

// The results of a batch's CSV: every field after the batch's own column and the four
// inputs, which echo the texts as given.
std::vector<std::string> results(const std::string& csv)
{
    std::vector<std::string> lines;
    BatchReader reader([&lines](const CsvRecord& record) {
        std::string line;
        for (std::size_t i = 5; i < record.fields.size(); ++i) {
            line += record.fields[i] + "|";
        }
        lines.push_back(line);
        return true;
    });
    reader.read(csv);
    return lines;
}

TEST(SpreadsheetBatchTest, AFileAsARussianSpreadsheetSavesItGivesTheResultsOfTheDefaultDialect)
{
    const std::string international = "material,load,frequency,length,note\r\n"
                                      "Бронза БрО10Ф1,5000,300,20,\"a, b\"\r\n"
                                      "Графит,1500.5,300,,\r\n"
                                      "Баббит Б83,1e3,-20,2.5,\r\n"
                                      "Капрон,100,12.25,,\r\n"
                                      "Текстолит,5000,300,,ё\r\n";
    const std::string russian = "material;load;frequency;length;note\r\n"
                                "Бронза БрО10Ф1;5000;300;20;a, b\r\n"
                                "Графит;1\u00A0500,5;300;;\r\n"
                                "Баббит Б83;1e3;-20;2,5;\r\n"
                                "Капрон;100;\"12,25\";;\r\n"
                                "Текстолит;5000;300;;ё\r\n";
    const Outcome reference = runBatch(international, {"--format", "csv"});
    ASSERT_EQ(reference.status, exitMessage) << reference.err;  // "Текстолит" names two materials
    ASSERT_EQ(results(reference.out).size(), 6U);
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::string> arguments;
        std::string note;  // after the messages, on the standard error
    };
    const std::string lineFeeds = [&russian] {
        std::string text;
        std::copy_if(russian.begin(), russian.end(), std::back_inserter(text), [](char c) { return c != '\r'; });
        return text;
    }();
    for (const Row& row : {
             Row{"UTF-8 with its mark", "\xEF\xBB\xBF" + russian, {}, ""},
             Row{"UTF-8 without it, LF", lineFeeds, {}, ""},
             Row{"Windows-1251", inWindows1251(russian), {},
                 "пакет не в UTF-8 и прочитан в кодировке windows-1251; если кодировка другая, задайте её параметром "
                 "--encoding\n"},
             Row{"Windows-1251 named, separator given", inWindows1251(russian),
                 {"--encoding", "cp1251", "--separator", ";"}, ""},
         }) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> arguments{"--format", "csv"};
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        const Outcome russianRun = runBatch(row.bytes, arguments);
        EXPECT_EQ(russianRun.status, reference.status) << russianRun.err;
        EXPECT_EQ(russianRun.err, reference.err + row.note);
        EXPECT_EQ(results(russianRun.out), results(reference.out));
    }
}

TEST(SpreadsheetBatchTest, AFileThatIsNoCsvTextIsRefusedWithItsLineAndNoWorkbookIsLeft)
{
    const std::filesystem::path directory
        = std::filesystem::temp_directory_path() / ("spreadsheet-batch-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    const std::string book = (directory / "book.xlsx").string();
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::string> arguments;
        int status;
        std::string message;  // the standard error holds it
        bool terminal = false;
    };
    const std::string header = "material,load,frequency\r\n";
    // Lines that end in CR LF, CR and LF, one CR LF split between two reads of 64 KiB.
    const std::string quoteOverReads = header + "1,5000,300\r\n1,5000,\""
        + std::string((std::size_t{64} << 10) - header.size() - 20 - 1, 'x') + "\r\n300\r\r\n";
    for (const Row& row : {
             Row{"cut inside a quote", header + "Графит,5000,300\r\nГрафит,\"5000,300\r\n", {"-f", "csv"}, exitMessage,
                 "Строка 2: файл оборван: кавычка, открытая в строке 3, не закрыта до его конца"},
             Row{"cut inside a quote over lines of every end", quoteOverReads, {"-f", "csv"}, exitMessage,
                 "Строка 2: файл оборван: кавычка, открытая в строке 3, не закрыта до его конца"},
             Row{"cut inside a character", header + "Графит,5000,300\r\nГраф\xD0", {}, exitUsage,
                 "файл оборван посреди символа UTF-8 в строке 3"},
             Row{"a zip file", "PK\x03\x04\x14", {}, exitUsage, "строка 1: управляющий байт 0x03"},
             Row{"both separators in the header", "material;load,frequency\r\n", {}, exitUsage,
                 "в заголовке пакета есть и «;», и «,»"},
             Row{"a row with the other separator", "material;load;frequency\r\nГрафит,5000,300\r\n", {"-f", "csv"},
                 exitMessage, "Строка 1: поля разделены «,», а в заголовке — «;»"},
             Row{"1252 taken for 1251",
                 header
                     + "Gr\xF6\xDF"
                       "e,1,1\r\n",
                 {}, exitUsage, "строка 2: в слове «GrцЯe» латинские буквы смешаны с кириллицей"},
             Row{"a byte 1251 leaves free", header + inWindows1251("Графит") + ",1,\x98\r\n", {}, exitUsage,
                 "строка 2: байт 0x98 не означает символа в windows-1251"},
             Row{"an encoding of two bytes", header, {"--encoding", "utf-16"}, exitUsage,
                 "кодировка «utf-16» не подходит"},
             Row{"a workbook of a batch cut short", header + "Графит,5000,300\r\n\x01", {"-f", "xlsx", "-o", book},
                 exitUsage, "строка 3: управляющий байт 0x01"},
             Row{"a workbook to a terminal", header, {"-f", "xlsx"}, exitUsage, "книга xlsx не выводится на терминал",
                 true},
             Row{"a workbook into no directory", header, {"-f", "xlsx", "-o", "/nonexistent/book.xlsx"},
                 exitWriteFailed, "не удаётся записать книгу «/nonexistent/book.xlsx»: нет такого файла или каталога"},
         }) {
        SCOPED_TRACE(row.name);
        const Outcome run = runBatch(row.bytes, row.arguments, row.terminal);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        EXPECT_TRUE(std::filesystem::is_empty(directory));
    }
    std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace bearing::cli
