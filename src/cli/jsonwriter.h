#pragma once

#include "resultwriter.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <string>

namespace bearing::cli {

// JSON: one object for one case, an array of objects otherwise; an absent value is null,
// a number a JSON number.
[[nodiscard]] std::unique_ptr<ResultWriter> makeJsonWriter(std::ostream& out, const WriterSetup& setup);

// A field's value as JSON: a Text field always a string, the others null when empty.
[[nodiscard]] nlohmann::ordered_json jsonValue(FieldKind kind, std::string_view value);

template <class Record>
void addJsonFields(nlohmann::ordered_json& object, std::span<const Column<Record>> columns, const Record& record)
{
    for (const Column<Record>& column : columns) {
        object[std::string(column.name)] = jsonValue(column.kind, column.value(record));
    }
}

// The text of a JSON value; input texts need not be valid UTF-8, a bad sequence
// becomes U+FFFD.
[[nodiscard]] std::string jsonText(const nlohmann::ordered_json& value, int indent = -1);

}  // namespace bearing::cli
