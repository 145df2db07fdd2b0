#include "csvwriter.h"

#include "checkedoutput.h"

namespace bearing::cli {

namespace {

class CsvWriter : public ResultWriter {
public:
    CsvWriter(std::ostream& out, const WriterSetup& setup)
        : output_(out)
        , fields_(output_.text(), setup.csvDialect)
    {
        fields_.start();
        for (const std::string& name : setup.carriedNames) {
            fields_.text(name);
        }
        appendCsvHeader(fields_, caseColumns());
    }

    void write(const CaseRecord& record) override
    {
        for (const std::string& field : record.carried) {
            fields_.text(field);
        }
        appendCsvRecord(fields_, caseColumns(), record);
        output_.writeIfFull();
    }

    void finish() override { output_.flush(); }

private:
    OutputBuffer output_;
    CsvFields fields_;
};

}  // namespace

std::unique_ptr<ResultWriter> makeCsvWriter(std::ostream& out, const WriterSetup& setup)
{
    return std::make_unique<CsvWriter>(out, setup);
}

}  // namespace bearing::cli
