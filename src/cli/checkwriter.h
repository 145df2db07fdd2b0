#pragma once

#include "checkrecord.h"
#include "resultwriter.h"

#include <memory>
#include <ostream>

namespace bearing::cli {

// Writes design checks as they come, in one format, as ResultWriter writes sizings:
// text for people (the figures as docs/design-check.md rounds them, the user's decimal
// separator), CSV or JSON with the fields of checkColumns().
using CheckWriter = RecordWriter<CheckRecord>;

[[nodiscard]] std::unique_ptr<CheckWriter> makeCheckWriter(
    std::ostream& out, OutputFormat format, const WriterSetup& setup);

}  // namespace bearing::cli
