#pragma once

#include "checkedoutput.h"
#include "recordwriter.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace bearing {

// A field's value as JSON: a Text field always a string, the others null when empty; a
// single as the decimal of its shortest text, so that 0.15F is 0.15.
[[nodiscard]] nlohmann::ordered_json jsonValue(FieldKind kind, const FieldValue& value);

template <class Record>
void addJsonFields(nlohmann::ordered_json& object, std::span<const Column<Record>> columns, const Record& record)
{
    for (const Column<Record>& column : columns) {
        object[std::string(column.name)] = column.given != nullptr && !column.given(record)
            ? nlohmann::ordered_json(nullptr)
            : jsonValue(column.kind, column.value(record));
    }
}

// The text of a JSON value; input texts need not be valid UTF-8, a bad sequence
// becomes U+FFFD.
[[nodiscard]] std::string jsonText(const nlohmann::ordered_json& value, int indent = -1);

// JSON: one object for one record, an array of objects otherwise; an absent value is
// null, a number a JSON number. A batch's own columns come first, then the fields of
// `columns`.
template <class Record> class JsonWriter : public RecordWriter<Record> {
public:
    JsonWriter(std::ostream& out, const WriterSetup& setup, std::span<const Column<Record>> columns)
        : output_(out)
        , array_(setup.layout != Layout::OneCase)
        , carriedNames_(setup.carriedNames)
        , columns_(columns)
    {
        if (array_) {
            output_.text() += '[';
        }
    }

    void write(const Record& record) override
    {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < carriedNames_.size() && i < record.carried.size(); ++i) {
            object[carriedNames_[i]] = record.carried[i];
        }
        addJsonFields(object, columns_, record);
        std::string& text = output_.text();
        if (array_) {
            text += written_ == 0 ? "\n" : ",\n";
        }
        text += jsonText(object);
        if (!array_) {
            text += '\n';
        }
        ++written_;
        output_.writeIfFull();
    }

    void finish() override
    {
        if (array_) {
            output_.text() += written_ == 0 ? "]\n" : "\n]\n";
        }
        output_.flush();
    }

private:
    OutputBuffer output_;
    bool array_;
    std::vector<std::string> carriedNames_;
    std::span<const Column<Record>> columns_;
    std::size_t written_ = 0;
};

}  // namespace bearing
