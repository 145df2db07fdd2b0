#include "workbookresults.h"

#include "workbookwriter.h"

#include <charconv>

namespace bearing::cli {

namespace {

// A record's number in machine form as a cell's number; none when the field is empty.
std::optional<double> number(const std::string& text)
{
    double value = 0;
    if (text.empty() || std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

class WorkbookResults : public ResultWriter {
public:
    explicit WorkbookResults(const WriterSetup& setup)
        : book_(setup.outputPath, setup.catalogue->listed(),
            {.inputDecimalMark = setup.inputDecimalMark, .carriedNames = setup.carriedNames, .withCases = true})
    {
    }

    void write(const CaseRecord& record) override
    {
        const CaseTexts& texts = *record.texts;
        book_.write({.number = ++cases_,
            .carried = record.carried,
            .material = texts.material,
            .load = texts.load,
            .frequency = texts.frequency,
            .length = texts.length ? std::optional<std::string_view>(*texts.length) : std::nullopt,
            .row = record.row,
            .maxDiameter = number(record.maxDiameter),
            .maxDiameterFull = number(record.maxDiameterFull),
            .minLength = number(record.minLength),
            .minLengthFull = number(record.minLengthFull),
            .pvLength = number(record.pvLength),
            .pressureLength = number(record.pressureLength),
            .minArea = number(record.minArea),
            .lengthLimit = record.lengthLimit,
            .minDiameter = number(record.minDiameter),
            .minDiameterFull = number(record.minDiameterFull),
            .lengthBelowMinimum = record.lengthBelowMinimum.empty()
                ? std::nullopt
                : std::optional<bool>(record.lengthBelowMinimum == "true"),
            .message = record.message,
            .messageCode = record.code});
    }

    void finish() override { book_.finish(); }

private:
    WorkbookWriter book_;
    std::size_t cases_ = 0;
};

}  // namespace

std::unique_ptr<ResultWriter> makeWorkbookResults(const WriterSetup& setup)
{
    return std::make_unique<WorkbookResults>(setup);
}

}  // namespace bearing::cli
