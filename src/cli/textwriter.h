#pragma once

#include "resultwriter.h"

#include <memory>
#include <ostream>

namespace bearing::cli {

// Text for people: Russian headings, the user's decimal separator, a table no wider than
// the terminal, each message once as a numbered note under the table.
[[nodiscard]] std::unique_ptr<ResultWriter> makeTextWriter(std::ostream& out, const WriterSetup& setup);

}  // namespace bearing::cli
