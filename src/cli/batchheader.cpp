#include "batchheader.h"

#include "caserecord.h"
#include "terminaltext.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace bearing::cli {

namespace {

constexpr std::array<std::string_view, 5> knownColumns{"material", "load", "frequency", "length", "group"};

// The edits (a letter added, dropped, changed, or two neighbours swapped) that turn one
// name into the other, letters compared without case.
std::size_t editDistance(std::string_view a, std::string_view b)
{
    const auto same = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    };
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        for (std::size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = i + j;
                continue;
            }
            d[i][j]
                = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1])) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

std::optional<std::size_t>* knownColumn(std::string_view name, BatchColumns& columns)
{
    const std::array<std::optional<std::size_t>*, knownColumns.size()> slots{
        &columns.material, &columns.load, &columns.frequency, &columns.length, &columns.group};
    const auto* found = std::find(knownColumns.begin(), knownColumns.end(), name);
    return found == knownColumns.end() ? nullptr : slots.at(static_cast<std::size_t>(found - knownColumns.begin()));
}

bool isOutputField(std::string_view name)
{
    const auto fields = caseColumns();
    return std::any_of(fields.begin(), fields.end(), [name](const auto& column) { return column.name == name; });
}

std::optional<std::string> takeColumn(std::string_view name, std::size_t at, BatchColumns& columns)
{
    const std::string quoted = "«" + masked(name) + "»";
    if (std::optional<std::size_t>* column = knownColumn(name, columns)) {
        if (*column) {
            return "столбец " + quoted + " повторяется в заголовке пакета";
        }
        *column = at;
        return std::nullopt;
    }
    if (const std::optional<std::string_view> meant = misspeltColumn(name)) {
        return "неизвестный столбец пакета " + quoted + ": может быть, " + std::string(*meant)
            + "? Столбцы расчета: material, load, frequency, length, group";
    }
    if (isOutputField(name)
        || std::find(columns.carriedNames.begin(), columns.carriedNames.end(), name) != columns.carriedNames.end()) {
        return "столбец " + quoted + " пакета совпадает с полем вывода или повторяется: переименуйте его";
    }
    columns.carried.push_back(at);
    columns.carriedNames.emplace_back(name);
    return std::nullopt;
}

}  // namespace

std::optional<std::string_view> misspeltColumn(std::string_view name)
{
    const auto startsWithout = [name](std::string_view known) {
        return name.size() >= 3 && name.size() < known.size() && editDistance(name, known.substr(0, name.size())) == 0;
    };
    for (const std::string_view known : knownColumns) {
        // One slip in a short name, two in a long one, or a name cut short.
        if (editDistance(name, known) <= (known.size() > 5 ? 2U : 1U) || startsWithout(known)) {
            return known;
        }
    }
    return std::nullopt;
}

std::optional<std::string> readHeader(const CsvRecord& header, BatchColumns& columns)
{
    columns.count = header.fieldCount;
    if (header.tooLong || header.fieldCount > header.fields.size()) {
        return "заголовок пакета слишком длинный";
    }
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        if (std::optional<std::string> problem = takeColumn(header.fields[i], i, columns)) {
            return problem;
        }
    }
    if (!columns.material || !columns.load || !columns.frequency) {
        return "в заголовке пакета нужны столбцы material, load и frequency";
    }
    return std::nullopt;
}

}  // namespace bearing::cli
