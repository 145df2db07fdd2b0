#pragma once

#include "caserecord.h"
#include "recordwriter.h"

#include <memory>
#include <ostream>
#include <string>

namespace bearing::cli {

// The writer of sizing cases. A new format is a new implementation of this and a line in
// makeResultWriter(); the fields come from caseColumns() and CaseRecord, so a new field is
// one line there.
using ResultWriter = RecordWriter<CaseRecord>;

// A workbook is written to setup.outputPath, every other format to `out`.
[[nodiscard]] std::unique_ptr<ResultWriter> makeResultWriter(
    std::ostream& out, OutputFormat format, const WriterSetup& setup);

}  // namespace bearing::cli
