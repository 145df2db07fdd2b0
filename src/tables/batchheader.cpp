#include "batchheader.h"

#include "terminaltext.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace bearing {

namespace {

// Further than any slip: the distance is not counted beyond it.
constexpr std::size_t farApart = 3;

bool sameLetter(char x, char y)
{
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
}

// The edits (a letter added, dropped, changed, or two neighbours swapped) that turn one
// name into the other, letters compared without case; farApart for any more.
std::size_t editDistance(std::string_view a, std::string_view b)
{
    // A header field may be long; a known name is short, and so is anything near it.
    if (std::max(a.size(), b.size()) - std::min(a.size(), b.size()) >= farApart) {
        return farApart;
    }
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        for (std::size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = i + j;
                continue;
            }
            d[i][j] = std::min(
                {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (sameLetter(a[i - 1], b[j - 1]) ? 0 : 1)});
            if (i > 1 && j > 1 && sameLetter(a[i - 1], b[j - 2]) && sameLetter(a[i - 2], b[j - 1])) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return std::min(d[a.size()][b.size()], farApart);
}

std::string_view trimmed(std::string_view name)
{
    const std::size_t first = name.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view()
                                           : name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

std::string_view columnName(BatchColumn column) { return batchColumnNames.at(static_cast<std::size_t>(column)); }

// "a, b и c"; with `last` empty, "a, b, c".
std::string listed(std::span<const BatchColumn> columns, std::string_view last)
{
    std::string text;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) {
            text += i + 1 == columns.size() && !last.empty() ? last : ", ";
        }
        text += columnName(columns[i]);
    }
    return text;
}

// Places the header's field `given`, its `at`-th, among `columns`; the reason it cannot be.
std::optional<std::string> takeColumn(
    std::string_view given, std::size_t at, const BatchJob& job, BatchColumns& columns)
{
    const std::string_view name = trimmed(given);
    const std::string quoted = echoed(given);
    const auto* known = std::find(batchColumnNames.begin(), batchColumnNames.end(), name);
    const auto column = static_cast<BatchColumn>(known - batchColumnNames.begin());
    if (known != batchColumnNames.end() && std::ranges::find(job.columns, column) != job.columns.end()) {
        std::optional<std::size_t>& slot = columns.known.at(static_cast<std::size_t>(column));
        if (slot) {
            return "столбец " + quoted + " повторяется в заголовке пакета";
        }
        slot = at;
        return std::nullopt;
    }
    // Another job's column, named exactly, is the user's own here.
    const std::optional<std::string_view> meant = known == batchColumnNames.end() ? misspeltColumn(name) : std::nullopt;
    if (meant) {
        return "неизвестный столбец пакета " + quoted + ": может быть, " + std::string(*meant) + "? Столбцы "
            + std::string(job.columnsName) + ": " + listed(job.columns, {});
    }
    if (job.isOutputField(name) || std::ranges::any_of(columns.carriedNames, [name](const std::string& other) {
            return trimmed(other) == name;
        })) {
        return "столбец " + quoted + " пакета совпадает с полем вывода или повторяется: переименуйте его";
    }
    columns.carried.push_back(at);
    columns.carriedNames.emplace_back(given);
    return std::nullopt;
}

}  // namespace

std::string_view BatchColumns::field(const CsvRecord& record, BatchColumn column) const
{
    const std::optional<std::size_t>& at = known.at(static_cast<std::size_t>(column));
    return at && *at < record.fields.size() ? std::string_view(record.fields[*at]) : std::string_view();
}

std::string_view BatchColumns::carriedField(const CsvRecord& record, std::size_t i) const
{
    const std::size_t at = carried.at(i);
    return at < record.fields.size() ? std::string_view(record.fields[at]) : std::string_view();
}

std::optional<std::string_view> misspeltColumn(std::string_view name)
{
    std::optional<std::string_view> nearest;
    std::size_t distance = farApart;
    for (const std::string_view known : batchColumnNames) {
        if (const std::size_t edits = editDistance(name, known); edits < distance) {
            nearest = known;
            distance = edits;
        }
    }
    if (nearest) {
        return nearest;
    }
    for (const std::string_view known : batchColumnNames) {
        if (name.size() >= 3 && name.size() < known.size()
            && std::ranges::equal(name, known.substr(0, name.size()), sameLetter)) {
            return known;
        }
    }
    return std::nullopt;
}

HeaderRead readHeader(const CsvRecord& header, const BatchJob& job)
{
    HeaderRead read;
    read.columns.count = header.fieldCount;
    if (header.fieldCount > header.fields.size()) {
        read.problem = "в заголовке пакета не больше " + std::to_string(BatchReader::maxKeptFields)
            + " столбцов, а в этом " + std::to_string(header.fieldCount);
        return read;
    }
    if (header.tooLong) {
        read.problem = "в заголовке пакета поле длиннее 1 МиБ";
        return read;
    }
    for (std::size_t i = 0; i < header.fields.size() && !read.problem; ++i) {
        read.problem = takeColumn(header.fields[i], i, job, read.columns);
    }
    const std::span<const BatchColumn> required = job.columns.first(job.required);
    if (!read.problem && !std::ranges::all_of(required, [&read](BatchColumn c) { return read.columns.has(c); })) {
        read.problem = "в заголовке " + std::string(job.batchName) + " нужны столбцы " + listed(required, " и ");
    }
    return read;
}

}  // namespace bearing
