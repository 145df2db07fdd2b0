#include "resultwriter.h"

#include "materialchoice.h"
#include "numbertext.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <system_error>

namespace bearing::cli {

namespace {

constexpr std::size_t flushBytes = std::size_t{64} << 10;
constexpr std::string_view maxDiameterCaption = "максимальный диаметр =";
constexpr std::string_view minLengthCaption = "минимальная длина =";
constexpr std::string_view unit = " мм";
// Echoed inputs longer than this are cut in text output; CSV and JSON keep them whole.
constexpr std::size_t textEchoCodePoints = 40;

// How a field reads in JSON. An empty Optional, Number, Integer or Flag field is null; an
// echoed input is always a string, as given.
enum class Kind { Text, Optional, Number, Integer, Flag };

struct Column {
    std::string_view name;
    Kind kind;
};

// A material's fields, in --list-materials and within every case.
constexpr std::array materialColumns{
    Column{"row", Kind::Integer},
    Column{"name", Kind::Optional},
    Column{"group", Kind::Optional},
    Column{"max_pressure", Kind::Number},
    Column{"max_speed", Kind::Number},
    Column{"max_pv", Kind::Number},
    Column{"max_temperature", Kind::Integer},
};

template <std::size_t... Sizes> constexpr auto joined(const std::array<Column, Sizes>&... parts)
{
    std::array<Column, (Sizes + ...)> all{};
    auto next = all.begin();
    ((next = std::copy(parts.begin(), parts.end(), next)), ...);
    return all;
}

// The fields of every case, in this order, in CSV and JSON alike: the inputs as given,
// the material, the results.
constexpr std::array caseColumns = joined(
    std::array{
        Column{"material", Kind::Text},
        Column{"load", Kind::Text},
        Column{"frequency", Kind::Text},
        Column{"length", Kind::Optional},
    },
    materialColumns,
    std::array{
        Column{"max_diameter", Kind::Number},
        Column{"max_diameter_full", Kind::Number},
        Column{"min_length", Kind::Number},
        Column{"min_length_full", Kind::Number},
        Column{"pv_length", Kind::Number},
        Column{"pressure_length", Kind::Number},
        Column{"min_area", Kind::Number},
        Column{"length_limit", Kind::Optional},
        Column{"min_diameter", Kind::Number},
        Column{"min_diameter_full", Kind::Number},
        Column{"length_below_minimum", Kind::Flag},
        Column{"message", Kind::Optional},
    });

const MaterialCatalogue& catalogue()
{
    static const MaterialCatalogue rows(CatalogueVariant::ReferenceWindow);
    return rows;
}

// The shortest text that reads back as the same single.
std::string fullSingle(float value)
{
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), error == std::errc{} ? end : buffer.data()};
}

// A number as the window shows it, in the form programs read: no leading blank, a point,
// a zero before it (" .4" and "0,4" are both "0.4").
std::string machineForm(std::string_view shown, std::string_view separator)
{
    std::string number(shown.substr(shown.starts_with(' ') ? 1 : 0));
    if (separator != ".") {
        if (const auto at = number.find(separator); at != std::string::npos) {
            number.replace(at, separator.size(), ".");
        }
    }
    const std::size_t sign = number.starts_with('-') ? 1 : 0;
    if (number.compare(sign, 1, ".") == 0) {
        number.insert(sign, 1, '0');
    }
    return number;
}

std::string_view lineNumber(std::string_view line, std::string_view caption)
{
    if (!line.starts_with(caption) || !line.ends_with(unit)) {
        return {};
    }
    return line.substr(caption.size(), line.size() - caption.size() - unit.size());
}

std::string localForm(std::string number, std::string_view separator)
{
    if (const auto at = number.find('.'); at != std::string::npos) {
        number.replace(at, 1, separator);
    }
    return number;
}

std::string joinedMessages(const CaseReport& report, std::string_view between)
{
    std::string joined;
    const auto add = [&](std::string_view message) {
        if (!joined.empty()) {
            joined += between;
        }
        joined += withLineFeeds(message);
    };
    if (report.outcome != nullptr) {
        for (const std::string& message : report.outcome->messages) {
            add(message);
        }
    }
    if (!report.problem.empty()) {
        add(report.problem);
    }
    return joined;
}

// The catalogue fields of each row in machine form, in the order of materialColumns.
using MaterialValues = std::array<std::string, materialColumns.size()>;

const std::array<MaterialValues, MaterialCatalogue::rowCount>& materialValues()
{
    static const auto rows = [] {
        std::array<MaterialValues, MaterialCatalogue::rowCount> values;
        for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
            const MaterialRecord& material = catalogue().row(row);
            values.at(static_cast<std::size_t>(row)) = {std::to_string(rowNumber(row)), std::string(material.name),
                std::string(groupName(groupOfRow(row))), fullSingle(material.maxPressure),
                fullSingle(material.maxSpeed), fullSingle(material.maxPV), std::to_string(material.maxTemperature)};
        }
        return values;
    }();
    return rows;
}

// Fills `values` with the case's fields in the order of caseColumns, in machine form;
// empty where absent. The strings keep their capacity from case to case.
void fillCaseValues(const CaseReport& report, std::string_view separator, std::vector<std::string>& values)
{
    values.resize(caseColumns.size());
    for (std::string& value : values) {
        value.clear();
    }
    const CaseTexts& texts = *report.texts;
    values[0] = texts.material;
    values[1] = texts.load;
    values[2] = texts.frequency;
    if (texts.length) {
        values[3] = *texts.length;
    }
    if (report.row >= 0) {
        const MaterialValues& material = materialValues().at(static_cast<std::size_t>(report.row));
        std::copy(material.begin(), material.end(), values.begin() + 4);
    }
    if (const CaseOutcome* outcome = report.outcome) {
        if (const std::string_view shown = lineNumber(outcome->maxDiameterLine, maxDiameterCaption); !shown.empty()) {
            values[11] = machineForm(shown, ".");
        }
        if (const std::string_view shown = lineNumber(outcome->minLengthLine, minLengthCaption); !shown.empty()) {
            values[13] = machineForm(shown, ".");
        }
        if (const std::optional<SizingFigures>& figures = outcome->figures) {
            values[12] = fullSingle(figures->maxDiameter);
            values[15] = fullSingle(figures->pvLength);
            if (figures->maxDiameter > 0) {
                values[16] = fullSingle(figures->pressureLength);
            }
            // The minimum length is one of the two, the one that governs (which the
            // pressure length never does without a diameter): its text is written once.
            values[14] = figures->pressureGoverns ? values[16] : values[15];
            values[17] = fullSingle(figures->minArea);
            values[18] = figures->pressureGoverns ? "p" : "pv";
        }
        if (const std::optional<DiameterForLength>& forLength = outcome->forLength) {
            if (forLength->check == LengthCheck::Accepted) {
                values[19] = machineForm(outcome->minDiameter, separator);
                values[20] = fullSingle(forLength->diameter);
            }
            values[21] = forLength->check == LengthCheck::BelowMinimum ? "true" : "false";
        }
    }
    if (!report.problem.empty() || (report.outcome != nullptr && !report.outcome->messages.empty())) {
        values[22] = joinedMessages(report, "\n");
    }
}

// The bytes that make a CSV field need quotes, as a table: every field of every row is
// looked at byte by byte.
constexpr auto quotedBytes = [] {
    std::array<bool, 256> quoted{};
    for (const unsigned char c : {',', '"', '\r', '\n'}) {
        quoted.at(c) = true;
    }
    return quoted;
}();

bool needsQuotes(std::string_view field)
{
    return std::any_of(field.begin(), field.end(), [](char c) { return quotedBytes[static_cast<unsigned char>(c)]; });
}

void appendCsvField(std::string& line, std::string_view field)
{
    if (!needsQuotes(field)) {
        line.append(field);
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"') {
            line += '"';
        }
        line += c;
    }
    line += '"';
}

template <std::size_t N> void appendCsvHeader(std::string& line, const std::array<Column, N>& columns)
{
    for (const Column& column : columns) {
        if (&column != columns.data()) {
            line += ',';
        }
        line += column.name;
    }
    line += "\r\n";
}

template <std::size_t N>
void appendCsvLine(std::string& line, const std::array<Column, N>& columns, const std::vector<std::string>& values)
{
    // The program writes numbers and flags itself, in digits, signs, points and letters:
    // only texts can hold what needs quotes.
    const auto isText
        = [&columns](std::size_t i) { return columns[i].kind == Kind::Text || columns[i].kind == Kind::Optional; };
    std::size_t size = N + 1;  // the commas, CR and LF
    bool quoting = false;
    for (std::size_t i = 0; i < N; ++i) {
        size += values[i].size();
        quoting = quoting || (isText(i) && needsQuotes(values[i]));
    }
    if (quoting) {
        for (std::size_t i = 0; i < N; ++i) {
            if (i > 0) {
                line += ',';
            }
            appendCsvField(line, values[i]);
        }
        line += "\r\n";
        return;
    }
    // Most lines need no quotes at all: they are copied in one piece, a line a case.
    const std::size_t start = line.size();
    line.resize(start + size);
    auto out = line.begin() + static_cast<std::ptrdiff_t>(start);
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0) {
            *out++ = ',';
        }
        out = std::copy(values[i].begin(), values[i].end(), out);
    }
    *out++ = '\r';
    *out = '\n';
}

template <std::size_t N>
nlohmann::ordered_json jsonObject(const std::array<Column, N>& columns, const std::vector<std::string>& values)
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < N; ++i) {
        const std::string& value = values[i];
        nlohmann::ordered_json& field = object[std::string(columns[i].name)];
        if (value.empty() && columns[i].kind != Kind::Text) {
            continue;  // stays null
        }
        switch (columns[i].kind) {
        case Kind::Text:
        case Kind::Optional: field = value; break;
        case Kind::Flag: field = value == "true"; break;
        case Kind::Integer: {
            std::int64_t number = 0;
            std::from_chars(value.data(), value.data() + value.size(), number);
            field = number;
            break;
        }
        case Kind::Number: {
            // The text has at most 15 significant digits, so the double's shortest form,
            // which the library writes, is this text again.
            double number = 0;
            std::from_chars(value.data(), value.data() + value.size(), number);
            field = number;
            break;
        }
        }
    }
    return object;
}

std::string jsonText(const nlohmann::ordered_json& value)
{
    // Input texts need not be valid UTF-8; a bad sequence becomes U+FFFD.
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::size_t codePoints(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

// A text made safe for a terminal: control characters shown as '?', cut short after
// `limit` code points.
std::string forTerminal(std::string_view text, std::size_t limit = textEchoCodePoints)
{
    std::string shown;
    std::size_t count = 0;
    for (const char character : text) {
        const auto c = static_cast<unsigned char>(character);
        if ((c & 0xC0U) != 0x80U && ++count > limit) {
            shown += "…";
            break;
        }
        shown += c < 0x20U || c == 0x7FU ? '?' : character;
    }
    return shown;
}

void appendPadded(std::string& line, std::string_view cell, std::size_t width)
{
    line += cell;
    const std::size_t length = codePoints(cell);
    if (length < width) {
        line.append(width - length, ' ');
    }
}

struct TextColumn {
    std::string_view heading;
    std::size_t width;  // the least width in a batch, where the lines stream
};

constexpr std::array tableColumns{
    TextColumn{"№", 2},
    TextColumn{"Материал", 0},
    TextColumn{"Группа", 0},
    TextColumn{"[p], МПа", 0},
    TextColumn{"[v], м/с", 0},
    TextColumn{"[pv], МПа·м/с", 0},
    TextColumn{"[t], °C", 0},
    TextColumn{"Dmax, мм", 0},
    TextColumn{"Lmin, мм", 0},
    TextColumn{"Lmin задаёт", 0},
    TextColumn{"Dmin при L, мм", 0},
    TextColumn{"Сообщение", 0},
};

constexpr std::array batchColumns{
    TextColumn{"№", 5},
    TextColumn{"Материал", 28},
    TextColumn{"F, Н", 10},
    TextColumn{"n, об/мин", 10},
    TextColumn{"L, мм", 8},
    TextColumn{"Dmax, мм", 10},
    TextColumn{"Lmin, мм", 10},
    TextColumn{"Lmin задаёт", 12},
    TextColumn{"Dmin при L, мм", 15},
    TextColumn{"Сообщение", 0},
};

constexpr std::string_view columnGap = "  ";
constexpr std::string_view belowMinimumMark = "L < Lmin";

std::string lengthLimitTitle(std::string_view limit) { return limit.empty() ? "" : "[" + std::string(limit) + "]"; }

}  // namespace

std::string withLineFeeds(std::string_view message)
{
    if (message.find('\r') == std::string_view::npos) {
        return std::string(message);
    }
    std::string text;
    text.reserve(message.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] == '\r') {
            text += '\n';
            if (i + 1 < message.size() && message[i + 1] == '\n') {
                ++i;
            }
        } else {
            text += message[i];
        }
    }
    return text;
}

ResultWriter::ResultWriter(std::ostream& out, OutputFormat format, Layout layout, std::string decimalSeparator)
    : out_(out)
    , format_(format)
    , layout_(layout)
    , separator_(std::move(decimalSeparator))
{
    if (format_ == OutputFormat::Csv) {
        appendCsvHeader(buffer_, caseColumns);
    } else if (format_ == OutputFormat::Json && layout_ != Layout::OneCase) {
        buffer_ += '[';
    } else if (format_ == OutputFormat::Text && layout_ == Layout::Batch) {
        std::string line;
        for (const TextColumn& column : batchColumns) {
            appendPadded(line, column.heading, column.width);
            line += columnGap;
        }
        buffer_ += line.substr(0, line.find_last_not_of(' ') + 1) + '\n';
    }
}

ResultWriter::~ResultWriter()
{
    if (!finished_) {
        finish();
    }
}

void ResultWriter::write(const CaseReport& report)
{
    switch (format_) {
    case OutputFormat::Csv: writeCsv(report); break;
    case OutputFormat::Json: writeJson(report); break;
    case OutputFormat::Text: writeText(report); break;
    }
    ++written_;
    flushIfFull();
}

void ResultWriter::writeCsv(const CaseReport& report)
{
    fillCaseValues(report, separator_, values_);
    appendCsvLine(buffer_, caseColumns, values_);
}

void ResultWriter::writeJson(const CaseReport& report)
{
    if (layout_ != Layout::OneCase) {
        buffer_ += written_ == 0 ? "\n" : ",\n";
    }
    fillCaseValues(report, separator_, values_);
    buffer_ += jsonText(jsonObject(caseColumns, values_));
    if (layout_ == Layout::OneCase) {
        buffer_ += '\n';
    }
}

void ResultWriter::writeText(const CaseReport& report)
{
    fillCaseValues(report, separator_, values_);
    const std::vector<std::string>& values = values_;
    const std::string maxDiameter = localForm(values[11], separator_);
    const std::string minLength = localForm(values[13], separator_);
    const std::string minDiameter
        = values[21] == "true" ? std::string(belowMinimumMark) : localForm(values[19], separator_);
    const std::string message = joinedMessages(report, "\n");

    if (layout_ == Layout::OneCase) {
        const CaseOutcome* outcome = report.outcome;
        if (outcome == nullptr) {
            return;
        }
        for (const std::string& line : {outcome->maxDiameterLine, outcome->minLengthLine}) {
            if (!line.empty()) {
                buffer_ += line + '\n';
            }
        }
        if (!outcome->minDiameter.empty()) {
            buffer_ += "минимальный диаметр = " + outcome->minDiameter + " мм\n";
        }
        return;
    }

    // In a table a message keeps to its line: its line breaks become " / ".
    std::string oneLine;
    for (const char c : message) {
        if (c != '\n') {
            oneLine += c;
        } else if (!oneLine.ends_with(" / ")) {
            oneLine += " / ";
        }
    }
    if (layout_ == Layout::MaterialTable) {
        const MaterialRecord& material = catalogue().row(report.row);
        table_.push_back({values[4], values[5], std::string(groupTitle(groupOfRow(report.row))),
            formatTextBoxNumber(material.maxPressure, separator_), formatTextBoxNumber(material.maxSpeed, separator_),
            formatTextBoxNumber(material.maxPV, separator_), formatTextBoxNumber(material.maxTemperature), maxDiameter,
            minLength, lengthLimitTitle(values[18]), minDiameter, oneLine});
        return;
    }
    const std::array<std::string, batchColumns.size()> cells{std::to_string(written_ + 1), forTerminal(values[0]),
        forTerminal(values[1]), forTerminal(values[2]), forTerminal(values[3]), maxDiameter, minLength,
        lengthLimitTitle(values[18]), minDiameter, forTerminal(oneLine, oneLine.size())};
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        appendPadded(line, cells[i], batchColumns[i].width);
        line += columnGap;
    }
    buffer_ += line.substr(0, line.find_last_not_of(' ') + 1) + '\n';
}

void ResultWriter::finish()
{
    finished_ = true;
    if (format_ == OutputFormat::Json && layout_ != Layout::OneCase) {
        buffer_ += written_ == 0 ? "]\n" : "\n]\n";
    }
    if (format_ == OutputFormat::Text && layout_ == Layout::MaterialTable) {
        // The diameter for a length has a column only when a length was given.
        const bool withLength
            = std::any_of(table_.begin(), table_.end(), [](const auto& row) { return !row[10].empty(); });
        std::array<std::size_t, tableColumns.size()> widths{};
        for (std::size_t i = 0; i < tableColumns.size(); ++i) {
            widths[i] = codePoints(tableColumns[i].heading);
            for (const std::vector<std::string>& row : table_) {
                widths[i] = std::max(widths[i], codePoints(row[i]));
            }
        }
        const auto appendLine = [&](const auto& cellOf) {
            std::string line;
            for (std::size_t i = 0; i < tableColumns.size(); ++i) {
                if (i != 10 || withLength) {
                    appendPadded(line, cellOf(i), widths[i]);
                    line += columnGap;
                }
            }
            buffer_ += line.substr(0, line.find_last_not_of(' ') + 1) + '\n';
        };
        appendLine([](std::size_t i) { return std::string(tableColumns[i].heading); });
        for (const std::vector<std::string>& row : table_) {
            appendLine([&row](std::size_t i) { return row[i]; });
        }
        table_.clear();
    }
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    out_.flush();
}

void ResultWriter::flushIfFull()
{
    if (buffer_.size() >= flushBytes) {
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }
}

void writeMaterials(std::ostream& out, OutputFormat format, std::string_view decimalSeparator)
{
    std::string text;
    const auto values = [](int row) {
        const MaterialValues& material = materialValues().at(static_cast<std::size_t>(row));
        return std::vector<std::string>(material.begin(), material.end());
    };
    switch (format) {
    case OutputFormat::Csv:
        appendCsvHeader(text, materialColumns);
        for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
            appendCsvLine(text, materialColumns, values(row));
        }
        break;
    case OutputFormat::Json: {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
            rows.push_back(jsonObject(materialColumns, values(row)));
        }
        text = rows.dump(2) + '\n';
        break;
    }
    case OutputFormat::Text: {
        // The reference window's headings over its layout: each group under its header.
        constexpr std::array<std::string_view, 6> headings{"№", "Материал подшипника", "Max давление, МПа",
            "Max скорость, м/с", "[pv], МПАхм/с", "Мах температура, град C"};
        std::vector<std::array<std::string, headings.size()>> lines;
        lines.push_back({});
        std::transform(headings.begin(), headings.end(), lines.back().begin(), [](auto h) { return std::string(h); });
        for (const MaterialListItem& item : materialListItems) {
            std::array<std::string, headings.size()> line{};
            if (item.isMaterial()) {
                const MaterialRecord& material = catalogue().row(item.row);
                line = {std::to_string(rowNumber(item.row)), std::string(material.name),
                    formatTextBoxNumber(material.maxPressure, decimalSeparator),
                    formatTextBoxNumber(material.maxSpeed, decimalSeparator),
                    formatTextBoxNumber(material.maxPV, decimalSeparator),
                    formatTextBoxNumber(material.maxTemperature)};
            } else {
                line[1] = item.header;
            }
            lines.push_back(line);
        }
        std::array<std::size_t, headings.size()> widths{};
        for (const auto& line : lines) {
            for (std::size_t i = 0; i < line.size(); ++i) {
                widths[i] = std::max(widths[i], codePoints(line[i]));
            }
        }
        for (const auto& line : lines) {
            std::string padded;
            for (std::size_t i = 0; i < line.size(); ++i) {
                appendPadded(padded, line[i], widths[i]);
                padded += columnGap;
            }
            text += padded.substr(0, padded.find_last_not_of(' ') + 1) + '\n';
        }
        break;
    }
    }
    out << text;
    out.flush();
}

}  // namespace bearing::cli
