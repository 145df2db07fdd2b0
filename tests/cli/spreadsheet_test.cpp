// Spreadsheets through the command line: a text that a spreadsheet would run as a formula
// written as a text; a batch read as a Russian spreadsheet saves it.
#include "commandline.h"
#include "runcommandline.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace bearing::cli {
namespace {

// Through any text field of a batch: its own column, an input echoed as given.
TEST(SpreadsheetBatchTest, AFormulaIsWrittenAsAText)
{
    const std::string batch = "id,material,load,frequency\n=1+1,@x,-5,-2+3\n";
    for (const std::vector<std::string>& dialect : {std::vector<std::string>{}, {"--csv-dialect", "ru"}}) {
        const Outcome outcome = run(with({"--batch", "-", "-f", "csv"}, dialect), batch);
        const std::vector<std::vector<std::string>> records = readCsv(outcome.out);
        ASSERT_EQ(records.size(), 2U) << outcome.out;
        EXPECT_EQ(std::vector<std::string>(records[1].begin(), records[1].begin() + 4),
            (std::vector<std::string>{"'=1+1", "'@x", "-5", "'-2+3"}));
    }
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
