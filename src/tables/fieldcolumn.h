#pragma once

// A record's fields as the writers of tables read them: each column a name, a kind and
// where its value comes from, so that one table of columns drives every format.

#include <algorithm>
#include <span>
#include <string_view>
#include <variant>

namespace bearing {

// A field's value as a writer gets it: none, a text (a number's text in machine form among
// them: a catalogue's limit, a figure as the window showed it), a number that the writer
// writes in its shortest form (a double, or a single as the window holds it), or a flag.
using FieldValue = std::variant<std::monostate, std::string_view, double, float, bool>;

// How a field reads in JSON. An empty Optional, Number, Integer or Flag field is null;
// a Text field is a string, as given (null only when its column says it was not given).
enum class FieldKind { Text, Optional, Number, Integer, Flag };

// One output column: its name in CSV and JSON, its kind, and where its value comes from.
template <class Record> struct Column {
    std::string_view name;
    FieldKind kind = FieldKind::Text;
    FieldValue (*value)(const Record&) = nullptr;
    // For an input that may be left out: whether it was given. One not given is null in
    // JSON; one given is its text, even the empty text.
    bool (*given)(const Record&) = nullptr;
};

// Whether one of `columns` is named `name`.
template <class Record> [[nodiscard]] bool hasColumn(std::span<const Column<Record>> columns, std::string_view name)
{
    return std::ranges::any_of(columns, [name](const Column<Record>& column) { return column.name == name; });
}

}  // namespace bearing
