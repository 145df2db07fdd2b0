#include "jsonwriter.h"

#include "checkedoutput.h"

#include <system_error>

namespace bearing::cli {

namespace {

class JsonWriter : public ResultWriter {
public:
    JsonWriter(std::ostream& out, const WriterSetup& setup)
        : output_(out)
        , array_(setup.layout != Layout::OneCase)
        , carriedNames_(setup.carriedNames)
    {
        if (array_) {
            output_.text() += '[';
        }
    }

    void write(const CaseRecord& record) override
    {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < carriedNames_.size() && i < record.carried.size(); ++i) {
            object[carriedNames_[i]] = record.carried[i];
        }
        addJsonFields(object, caseColumns(), record);
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
    std::size_t written_ = 0;
};

}  // namespace

nlohmann::ordered_json jsonValue(FieldKind kind, std::string_view value)
{
    if (value.empty() && kind != FieldKind::Text) {
        return nullptr;
    }
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Optional: return std::string(value);
    case FieldKind::Flag: return value == "true";
    case FieldKind::Integer: {
        std::int64_t number = 0;
        std::from_chars(value.data(), value.data() + value.size(), number);
        return number;
    }
    case FieldKind::Number: {
        // The text has at most 15 significant digits, so the double's shortest form,
        // which the library writes, is this text again.
        double number = 0;
        std::from_chars(value.data(), value.data() + value.size(), number);
        return number;
    }
    }
    return nullptr;
}

std::string jsonText(const nlohmann::ordered_json& value, int indent)
{
    return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::unique_ptr<ResultWriter> makeJsonWriter(std::ostream& out, const WriterSetup& setup)
{
    return std::make_unique<JsonWriter>(out, setup);
}

}  // namespace bearing::cli
