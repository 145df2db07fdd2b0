#include "resultwriter.h"

#include "csvwriter.h"
#include "jsonwriter.h"
#include "textwriter.h"
#include "workbookresults.h"

#include <memory>

namespace bearing::cli {

std::unique_ptr<ResultWriter> makeResultWriter(std::ostream& out, OutputFormat format, const WriterSetup& setup)
{
    switch (format) {
    case OutputFormat::Csv: return std::make_unique<CsvWriter<CaseRecord>>(out, setup, caseColumns());
    case OutputFormat::Json: return std::make_unique<JsonWriter<CaseRecord>>(out, setup, caseColumns());
    case OutputFormat::Text: return makeTextWriter(out, setup);
    case OutputFormat::Xlsx: return makeWorkbookResults(setup);
    }
    return nullptr;
}

}  // namespace bearing::cli
