#include "materialchoice.h"

#include "materialcatalogue.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <map>
#include <system_error>

namespace bearing::cli {

namespace {

const MaterialCatalogue& listNames()
{
    static const MaterialCatalogue catalogue(CatalogueVariant::ReferenceWindow);
    return catalogue;
}

const MaterialCatalogue& bearingWindowNames()
{
    static const MaterialCatalogue catalogue(CatalogueVariant::BearingWindow);
    return catalogue;
}

// Every name a list shows, and the bearing window's own names, with the rows they name.
const std::map<std::string, std::vector<int>, std::less<>>& rowsByName()
{
    static const auto rows = [] {
        std::map<std::string, std::vector<int>, std::less<>> names;
        for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
            for (const std::string_view name : {listNames().row(row).name, bearingWindowNames().row(row).name}) {
                std::vector<int>& named = names[std::string(name)];
                if (named.empty() || named.back() != row) {
                    named.push_back(row);
                }
            }
        }
        return names;
    }();
    return rows;
}

// "7" or "007", nothing else: a name never consists of digits only.
std::optional<int> rowFromNumber(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || number < 1 || number > MaterialCatalogue::rowCount) {
        return -1;
    }
    return number - 1;
}

std::string describeRow(int row)
{
    return std::to_string(rowNumber(row)) + " (" + std::string(groupTitle(groupOfRow(row))) + ")";
}

}  // namespace

std::optional<Group> groupFromName(std::string_view name)
{
    if (name == "dry") {
        return Group::Dry;
    }
    if (name == "lubricated") {
        return Group::Lubricated;
    }
    return std::nullopt;
}

std::string_view groupName(Group group) { return group == Group::Dry ? "dry" : "lubricated"; }

std::string_view groupTitle(Group group) { return group == Group::Dry ? "без смазки" : "со смазкой"; }

Group groupOfRow(int row) { return row <= materialGroups[0].lastRow ? Group::Dry : Group::Lubricated; }

std::string_view materialName(int row) { return listNames().row(row).name; }

MaterialChoice chooseMaterial(std::string_view text, std::optional<Group> group)
{
    MaterialChoice choice;
    if (const std::optional<int> row = rowFromNumber(text)) {
        if (*row < 0) {
            return choice;
        }
        choice.row = *row;
        choice.kind
            = group && groupOfRow(*row) != *group ? MaterialChoice::Kind::OtherGroup : MaterialChoice::Kind::Found;
        return choice;
    }
    const auto found = rowsByName().find(text);
    if (found == rowsByName().end()) {
        return choice;
    }
    const std::vector<int>& named = found->second;
    const auto inGroup = [&group](int row) { return !group || groupOfRow(row) == *group; };
    // Counted first: a batch chooses a material a row, and a found one needs no list.
    switch (std::count_if(named.begin(), named.end(), inGroup)) {
    case 0:
        choice.kind = MaterialChoice::Kind::OtherGroup;
        choice.row = named.front();
        break;
    case 1:
        choice.kind = MaterialChoice::Kind::Found;
        choice.row = *std::find_if(named.begin(), named.end(), inGroup);
        break;
    default:
        choice.kind = MaterialChoice::Kind::Ambiguous;
        std::copy_if(named.begin(), named.end(), std::back_inserter(choice.candidates), inGroup);
        break;
    }
    return choice;
}

std::string MaterialChoice::problem(std::string_view text) const
{
    const std::string quoted = "«" + std::string(text) + "»";
    switch (kind) {
    case Kind::Found: break;
    case Kind::Unknown:
        return "Неизвестный материал " + quoted + ": укажите название из --list-materials или номер от 1 до 21";
    case Kind::OtherGroup:
        return "Материал " + quoted + " не из группы «"
            + std::string(groupTitle(groupOfRow(row) == Group::Dry ? Group::Lubricated : Group::Dry)) + "»: это строка "
            + describeRow(row);
    case Kind::Ambiguous: {
        std::string rows;
        for (const int candidate : candidates) {
            rows += (rows.empty() ? "" : ", ") + describeRow(candidate);
        }
        return "Название " + quoted + " носят несколько материалов: строки " + rows
            + "; укажите группу (dry или lubricated) или номер строки";
    }
    }
    return {};
}

}  // namespace bearing::cli
