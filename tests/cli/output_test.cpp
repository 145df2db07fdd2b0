// What a user reads and what a script meets: the text output of every mode, input as
// scripts write it, and streams that refuse a write.

#include "batchheader.h"
#include "commandline.h"
#include "runcommandline.h"
#include "strictnumber.h"
#include "terminaltext.h"
#include "terminalwidth.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace bearing::cli {
namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        all.push_back(line);
    }
    return all;
}

const std::vector<std::string> bronze{"-m", "Бронза БрО10Ф1", "-F", "5000", "-n", "300"};
const std::string batch = "id,material,load,frequency,length\n"
                          "1,Бронза БрО10Ф1,5000,300,20\n"
                          "2,Сталь,5000,300,\n"
                          "3,Баббит Б16,5000,300,20\n"
                          "4,Текстолит ,5000,300,\n";

TEST(TextOutput, EachModeReadsAsATableThatFitsTheTerminal)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::size_t width;
        std::vector<std::string> shown;  // whole lines, in this order, among others
        std::size_t lineCount;
    };
    const std::vector<Case> cases{
        {"one case", {"-m", "15", "-F", "5000", "-n", "300", "-L", "20"}, 80,
            {"максимальный диаметр = 636.6 мм", "минимальная длина = 5.2 мм", "минимальный диаметр = 16,7 мм"}, 3},
        {"every material, no length", {"--all", "-F", "5000", "-n", "300"}, 80,
            {" №  Материал                     [p], МПа  [v], м/с  Dmax, мм  Lmin, мм  Lmin по",
                " 6  Фторопласт-4, без смазки          0,7       0,5      31,8      1309  [pv]",
                "21  Текстолит, со смазкой              10        10     636,6       3,1  [pv]"},
            22},
        {"every material with a length: a message once, as a note", {"--all", "-F", "5000", "-n", "300", "-L", "20"},
            80,
            {" №  Материал                     Dmax, мм  Lmin, мм  Lmin по  Dmin, мм  Прим.",
                " 1  Графит                           95,5     104,7  [p]      L < Lmin  1",
                "10  Чугун АЧС-1                     318,3       7,9  [pv]          100", "",
                "Примечания:", "1. Введенная длина подшипника меньше расчитанной минимально допустимой длины"},
            25},
        {"every material, wide", {"--all", "-F", "5000", "-n", "300", "--wide"}, 80,
            {" №  Материал                     Группа      [p], МПа  [v], м/с  [pv], МПа·м/с  [t], °C  Dmax, мм  "
             "Lmin, мм  Lmin по",
                "19  Фторопласт-4, со смазкой     со смазкой       1,5         5            7,5      200     318,3  "
                "    10,5  [p]"},
            22},
        {"a batch, a note for each different message", {"--batch", "-"}, 80,
            {"    №  Материал            L, мм   Dmax, мм  Lmin, мм  Lmin по  Dmin, мм  Прим.",
                "    2  Сталь                                                              1",
                "    3  Баббит Б16          20        1909,9      26,2  [pv]     L < Lmin  2",
                "    4  Текстолит, со сма…             636,6       3,1  [pv]",
                "1. Неизвестный материал «Сталь»: укажите название из --list-materials или номер", "   от 1 до 21"},
            10},
        {"a batch in a pipe keeps every column", {"--batch", "-"}, noWidthLimit,
            {"    1  Бронза БрО10Ф1      5000      300        20         636,6       5,2  [pv]         16,7"}, 9},
        {"materials", {"--list-materials"}, 80,
            {" №  Материал                     [p], МПа  [v], м/с  [pv], МПа·м/с  [t], °C", "    БЕЗ СМАЗКИ", "",
                " 3  Полиамид                            3       0,5           0,15       75",
                " 6  Фторопласт-4, без смазки          0,7       0,5           0,06      120", "    СО СМАЗКОЙ",
                "19  Фторопласт-4, со смазкой          1,5         5            7,5      200"},
            27},
        {"materials in a narrow terminal cut the names", {"--list-materials"}, 60,
            {" 7  Металлофтор…        30         5            0,4      280"}, 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments, batch, c.width);
        EXPECT_TRUE(c.arguments.front() == "--batch" || result.err.empty()) << result.err;
        const std::vector<std::string> shown = lines(result.out);
        EXPECT_EQ(shown.size(), c.lineCount) << result.out;
        auto next = shown.begin();
        for (const std::string& line : c.shown) {
            next = std::find(next, shown.end(), line);
            ASSERT_NE(next, shown.end()) << "missing: «" << line << "» in\n" << result.out;
        }
        if (c.width != noWidthLimit
            && std::find(c.arguments.begin(), c.arguments.end(), "--wide") == c.arguments.end()) {
            for (const std::string& line : shown) {
                EXPECT_LE(codePoints(line), c.width) << line;
            }
        }
    }
}

TEST(TextOutput, HelpIsWhollyRussianAndNotesStayBoundedInABatch)
{
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, exitResults);
    for (const char* english : {"Usage", "Options", "OPTIONS", "Print this", "Display program", "Exactly", "REQUIRED",
             "TEXT", "Option Group", "Excludes", "Needs"}) {
        EXPECT_EQ(help.out.find(english), std::string::npos) << english << " in\n" << help.out;
    }
    EXPECT_NE(help.out.find("3 — вывод не удалось записать"), std::string::npos) << help.out;
    // It reads whole in an 80-column terminal.
    std::istringstream helpLines(help.out);
    for (std::string line; std::getline(helpLines, line);) {
        EXPECT_LE(codePoints(line), 80U) << line;
    }

    // A batch of a thousand and two different messages keeps a thousand notes and counts the rest.
    std::string rows = "material,load,frequency\n";
    for (int i = 0; i < 1002; ++i) {
        rows += "Сталь " + std::to_string(i) + ",1,1\n";
    }
    const Outcome batch = run({"--batch", "-"}, rows, 80);
    EXPECT_EQ(batch.status, exitMessage);
    EXPECT_NE(batch.out.find("\n1000. Неизвестный материал «Сталь 999»"), std::string::npos);
    EXPECT_EQ(batch.out.find("Сталь 1000»"), std::string::npos);
    EXPECT_NE(batch.out.find("\n* ещё 2 сообщений: все сообщения полностью выводятся с --format csv или json\n"),
        std::string::npos);
}

// A stream buffer that takes nothing and fails as a full disk or a closed pipe does.
class RefusingBuffer : public std::streambuf {
public:
    explicit RefusingBuffer(int error)
        : error_(error)
    {
    }

protected:
    int_type overflow(int_type /*c*/) override
    {
        errno = error_;
        return traits_type::eof();
    }
    std::streamsize xsputn(const char* /*s*/, std::streamsize /*count*/) override
    {
        errno = error_;
        return 0;
    }
    int_type underflow() override
    {
        errno = error_;
        return traits_type::eof();
    }

private:
    int error_;
};

TEST(WriteFailure, EndsTheRunWithItsOwnStatusAndOneLineOrQuietlyForAClosedPipe)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        bool failingError;  // the standard error refuses, not the output
        int error;
        std::string said;  // the whole standard error
    };
    const std::string full = "plain-bearings-calc: не удалось записать результаты: на устройстве нет места\n";
    const std::vector<Case> cases{
        {"one case", bronze, false, ENOSPC, full},
        {"every material", {"--all", "-F", "5000", "-n", "300"}, false, ENOSPC, full},
        {"materials as JSON", {"--list-materials", "-f", "json"}, false, ENOSPC, full},
        {"a batch", {"--batch", "-", "-f", "csv"}, false, ENOSPC, full},
        {"help", {"--help"}, false, EIO, "plain-bearings-calc: не удалось записать результаты: ошибка ввода-вывода\n"},
        {"a batch into a closed pipe", {"--batch", "-"}, false, EPIPE, ""},
        {"messages", {"-m", "1", "-F", "1", "-n", "1e9"}, true, ENOSPC, ""},
        {"results before a report", with(bronze, {"--report", "/tmp/plain-bearings-never-written.html"}), false, ENOSPC,
            full + "plain-bearings-calc: «/tmp/plain-bearings-never-written.html» не записан: расчет прерван\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RefusingBuffer refusing(c.error);
        std::ostream failing(&refusing);
        std::ostringstream working;
        std::istringstream in(batch);
        const int status
            = runCommandLine(c.arguments, in, c.failingError ? working : failing, c.failingError ? failing : working,
                {.decimalSeparator = ",", .width = noWidthLimit, .sourceDateEpoch = std::nullopt, .now = 0});
        EXPECT_EQ(status, exitWriteFailed);
        EXPECT_EQ(c.failingError ? std::string() : working.str(), c.said);
    }
}

TEST(Input, ReadAsAScriptWritesIt)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        int status;
        std::string inOut;
        std::string inErr;
    };
    const std::vector<std::string> csvBatch{"--batch", "-", "-f", "csv"};
    const std::vector<Case> cases{
        {"a byte-order mark before a quoted header", csvBatch,
            "\xEF\xBB\xBF\"material\",\"load\",\"frequency\"\r\n15,5000,300\r\n", exitResults, "\r\n15,5000,300,,15,",
            ""},
        {"a batch that is a directory", {"--batch", "/"}, "", exitUsage, "", "не удаётся открыть «/»: это каталог"},
        {"a repeated option takes its last value", {"-m", "15", "-F", "1", "-F", "5000", "-n", "300"}, "", exitResults,
            "минимальная длина = 5.2 мм", ""},
        {"an empty value after =", {"-m", "15", "-F", "5000", "-n", "300", "--length=", "-f", "csv"}, "", exitMessage,
            ",5000,300,,15,", "Введенная длина"},
        {"an empty load after =", {"-m", "15", "--load=", "-n", "300", "-f", "json"}, "", exitResults,
            R"("load":"","frequency":"300")", ""},
        {"columns of the user's own come first, unchanged", csvBatch,
            "id,material,note,load,frequency\n7,15,\"a, b\",5000,300\n", exitResults,
            "id,note,material,load,frequency,length,row,", ""},
        {"a misspelt column is named with the one meant", csvBatch, "material,load,frequency,lenght\n", exitUsage, "",
            "неизвестный столбец пакета «lenght»: может быть, length?"},
        {"a column that would clash with a field", csvBatch, "material,load,frequency,message\n", exitUsage, "",
            "«message» пакета совпадает с полем вывода"},
        {"a code beside each message", csvBatch,
            "material,load,frequency,length\n15,5000,300,1\n15,1e39,300,\n1,1,1e9,\n", exitMessage,
            ",length_below_minimum\r\n", ""},
        {"the codes of the calculations and the command line", csvBatch,
            "material,load,frequency,length\n15,1e39,300,\nСталь,1,1,\n1,1,1e9,5\n", exitMessage, "load_overflow\r\n",
            "Строка 2: Неизвестный материал"},
        {"an unknown material ends a case as it ends a batch row", {"-m", "Сталь", "-F", "1", "-n", "1", "-f", "csv"},
            "", exitMessage, ",unknown_material\r\n", "Неизвестный материал «Сталь»"},
        {"strict refuses what the window would read short", {"--batch", "-", "--strict", "-f", "json"},
            "material,load,frequency\n15,5000,300\n15,\"1,5\",300\n15,5 000,300\n", exitMessage,
            R"("code":"not_a_number")", "Строка 2: Поле load: «1,5» — не число целиком"},
        {"without strict the window's reading stays", csvBatch, "material,load,frequency\n15,5 000,300\n", exitResults,
            ",636.6,", ""},
        {"control characters in a message are masked", {"-m", "Ст\x1b[31mаль", "-F", "1", "-n", "1"}, "", exitMessage,
            "", "«Ст?[31mаль»"},
        {"an unknown option with a control character", {"--\x07x"}, "", exitUsage, "", "неизвестный параметр «--?x»"},
        {"a line break in an echoed material stays inside its message", {"-m", "Гра\nфит", "-F", "1", "-n", "1"}, "",
            exitMessage, "", "Неизвестный материал «Гра?фит»: укажите"},
        {"and inside its note", {"--batch", "-"}, "material,load,frequency\n\"Гра\r\nфит\",1,1\n", exitMessage,
            "1. Неизвестный материал «Гра??фит»: укажите", ""},
        {"and inside a strict number's", {"-m", "15", "-F", "5\n0", "-n", "300", "--strict"}, "", exitMessage, "",
            "Поле load: «5?0» — не число целиком"},
        {"and inside a workbook's name",
            {"-m", "15", "-F", "5000", "-n", "300", "-f", "xlsx", "-o", "/nonexistent/a\nb.xlsx"}, "", exitWriteFailed,
            "", "не удаётся записать книгу «/nonexistent/a?b.xlsx»: "},
        {"a carriage return in an echoed group", csvBatch, "material,load,frequency,group\n15,1,1,\"dr\ry\"\n",
            exitMessage, ",неизвестная группа «dr?y»: dry или lubricated,unknown_group", ""},
        {"an empty length given is the empty text, not null",
            {"-m", "15", "-F", "5000", "-n", "300", "--length", "", "-f", "json"}, "", exitMessage,
            R"("length":"","row":15)", ""},
        {"an empty temperature given likewise",
            {"--check", "-m", "15", "-F", "1", "-n", "1", "-d", "1", "-L", "1", "-t", "", "-f", "json"}, "",
            exitMessage, R"("temperature":"","row":15)", ""},
        {"no temperature is still null",
            {"--check", "-m", "15", "-F", "1", "-n", "1", "-d", "1", "-L", "1", "-f", "json"}, "", exitResults,
            R"("temperature":null,"row":15)", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments, c.input);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.out.find(c.inOut), std::string::npos) << result.out;
        EXPECT_NE(result.err.find(c.inErr), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\x1b'), std::string::npos);
    }

    RefusingBuffer closed(EBADF);
    std::istream closedInput(&closed);
    const Outcome result = run({"--batch", "-"}, {}, noWidthLimit, &closedInput);
    EXPECT_EQ(result.status, exitUsage);
    EXPECT_NE(result.err.find("не удаётся прочитать стандартный ввод: поток закрыт"), std::string::npos) << result.err;
}

TEST(Input, WholeNumbersMisspeltColumnsAndTerminalWidths)
{
    for (const auto& [text, whole] : std::vector<std::pair<std::string, bool>>{{"5000", true}, {"-.5e3", true},
             {"1.", true}, {"+2D-1", true}, {"1,5", false}, {"5 000", false}, {" 5", false}, {"abc", false},
             {"", false}, {".", false}, {"1e", false}, {"&H10", false}, {"300об/мин", false}}) {
        EXPECT_EQ(isWholeNumber(text), whole) << text;
    }
    for (const auto& [name, meant] :
        std::vector<std::pair<std::string, std::string>>{{"lenght", "length"}, {"Load", "load"}, {"freq", "frequency"},
            {"materials", "material"}, {"grup", "group"}, {"id", ""}, {"note", ""}, {"cost", ""}, {"name", ""}}) {
        EXPECT_EQ(misspeltColumn(name).value_or(""), meant) << name;
    }
    EXPECT_EQ(terminalWidth("100", -1), 100U);
    EXPECT_EQ(terminalWidth("wide", -1), noWidthLimit);
    EXPECT_EQ(terminalWidth("0", -1), noWidthLimit);
    EXPECT_EQ(terminalWidth(nullptr, -1), noWidthLimit);
}

}  // namespace
}  // namespace bearing::cli
