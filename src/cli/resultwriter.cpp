#include "resultwriter.h"

#include "csvwriter.h"
#include "jsonwriter.h"
#include "textwriter.h"

namespace bearing::cli {

std::unique_ptr<ResultWriter> makeResultWriter(std::ostream& out, OutputFormat format, const WriterSetup& setup)
{
    switch (format) {
    case OutputFormat::Csv: return makeCsvWriter(out, setup);
    case OutputFormat::Json: return makeJsonWriter(out, setup);
    case OutputFormat::Text: return makeTextWriter(out, setup);
    }
    return nullptr;
}

}  // namespace bearing::cli
