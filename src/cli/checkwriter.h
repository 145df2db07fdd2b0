#pragma once

#include "checkrecord.h"
#include "resultwriter.h"

#include <memory>
#include <ostream>

namespace bearing::cli {

// Writes design checks as they come, in one format, as ResultWriter writes sizings:
// text for people (the figures as docs/design-check.md rounds them, the user's decimal
// separator), CSV or JSON with the fields of checkColumns().
class CheckWriter {
public:
    CheckWriter() = default;
    CheckWriter(const CheckWriter&) = delete;
    CheckWriter& operator=(const CheckWriter&) = delete;
    CheckWriter(CheckWriter&&) = delete;
    CheckWriter& operator=(CheckWriter&&) = delete;
    virtual ~CheckWriter() = default;

    virtual void write(const CheckRecord& record) = 0;
    virtual void finish() = 0;
};

[[nodiscard]] std::unique_ptr<CheckWriter> makeCheckWriter(
    std::ostream& out, OutputFormat format, const WriterSetup& setup);

}  // namespace bearing::cli
