#include "csvwriter.h"

#include "checkedoutput.h"

#include <algorithm>
#include <array>

namespace bearing::cli {

namespace {

// The bytes that make a field need quotes, as a table: every text field of every row is
// looked at byte by byte.
constexpr auto quotedBytes = [] {
    std::array<bool, 256> quoted{};
    for (const unsigned char c : {',', '"', '\r', '\n'}) {
        quoted.at(c) = true;
    }
    return quoted;
}();

class CsvWriter : public ResultWriter {
public:
    CsvWriter(std::ostream& out, const WriterSetup& setup)
        : output_(out)
    {
        std::string& text = output_.text();
        for (const std::string& name : setup.carriedNames) {
            appendCsvField(text, name);
            text += ',';
        }
        appendCsvHeader(text, caseColumns());
    }

    void write(const CaseRecord& record) override
    {
        std::string& text = output_.text();
        for (const std::string& field : record.carried) {
            appendCsvField(text, field);
            text += ',';
        }
        appendCsvRecord(text, caseColumns(), record);
        output_.writeIfFull();
    }

    void finish() override { output_.flush(); }

private:
    OutputBuffer output_;
};

}  // namespace

void appendCsvField(std::string& line, std::string_view field)
{
    if (std::none_of(field.begin(), field.end(), [](char c) { return quotedBytes[static_cast<unsigned char>(c)]; })) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        line.append(c == '"' ? 2 : 1, c);
    }
    line += '"';
}

std::unique_ptr<ResultWriter> makeCsvWriter(std::ostream& out, const WriterSetup& setup)
{
    return std::make_unique<CsvWriter>(out, setup);
}

}  // namespace bearing::cli
