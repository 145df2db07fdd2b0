#pragma once

#include "bearingcase.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bearing::cli {

enum class OutputFormat { Text, Csv, Json };

// How the cases of a run are laid out in text: the window's result lines for one case,
// an aligned table of every material, or one line a case as a batch streams in.
enum class Layout { OneCase, MaterialTable, Batch };

// One case to write: the user's texts, the material they chose and what the
// calculation gave; or, where no calculation ran, the command line's own message.
struct CaseReport {
    const CaseTexts* texts = nullptr;
    int row = -1;                          // the chosen catalogue row, -1 for none
    const CaseOutcome* outcome = nullptr;  // none when no calculation ran
    std::string problem;                   // why none ran
};

// Writes cases as they come: text for people (the user's decimal separator, Russian
// headings), CSV or JSON for programs (always a point, the full single-precision values
// beside the rounded ones shown, English field names). Only the material table is held
// until the end, to align its columns; nothing else grows with the number of cases.
class ResultWriter {
public:
    ResultWriter(std::ostream& out, OutputFormat format, Layout layout, std::string decimalSeparator);
    ResultWriter(const ResultWriter&) = delete;
    ResultWriter& operator=(const ResultWriter&) = delete;
    ResultWriter(ResultWriter&&) = delete;
    ResultWriter& operator=(ResultWriter&&) = delete;
    ~ResultWriter();

    void write(const CaseReport& report);
    // Ends the output (closes the JSON array, prints the table) and flushes it.
    void finish();

private:
    void writeCsv(const CaseReport& report);
    void writeJson(const CaseReport& report);
    void writeText(const CaseReport& report);
    void flushIfFull();

    std::ostream& out_;
    OutputFormat format_;
    Layout layout_;
    std::string separator_;
    std::string buffer_;
    std::size_t written_ = 0;
    std::vector<std::string> values_;  // the fields of the case being written
    std::vector<std::vector<std::string>> table_;
    bool finished_ = false;
};

// The materials table, as the reference window shows it, with row numbers.
void writeMaterials(std::ostream& out, OutputFormat format, std::string_view decimalSeparator);

// A message with its line breaks (CR LF or a lone CR) as LF.
[[nodiscard]] std::string withLineFeeds(std::string_view message);

}  // namespace bearing::cli
