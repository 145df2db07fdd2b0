#include "catalogue.h"

#include "numbertext.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <system_error>

namespace bearing::cli {

namespace {

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

MaterialChoice chooseNumbered(int row, std::optional<Group> group)
{
    MaterialChoice choice;
    if (row >= 0) {
        choice.row = row;
        choice.kind
            = group && groupOfRow(row) != *group ? MaterialChoice::Kind::OtherGroup : MaterialChoice::Kind::Found;
    }
    return choice;
}

}  // namespace

std::string fullSingle(float value)
{
    std::string text;
    assignShortestSingle(text, value);
    return text;
}

Catalogue::Catalogue()
    : listed_(CatalogueVariant::ReferenceWindow)
    , bearingWindow_(CatalogueVariant::BearingWindow)
{
    for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
        for (const std::string_view name : {listed_.row(row).name, bearingWindow_.row(row).name}) {
            std::vector<int>& named = rowsByName_[std::string(name)];
            if (named.empty() || named.back() != row) {
                named.push_back(row);
            }
        }
    }
    for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
        const MaterialRecord& material = listed_.row(row);
        fields_.at(static_cast<std::size_t>(row)) = {.row = std::to_string(rowNumber(row)),
            .name = std::string(material.name),
            .group = std::string(groupName(groupOfRow(row))),
            .shownName = rowsByName_.find(material.name)->second.size() > 1
                ? nameWithGroup(material.name, groupTitle(groupOfRow(row)))
                : std::string(material.name),
            .maxPressure = fullSingle(material.maxPressure),
            .maxSpeed = fullSingle(material.maxSpeed),
            .maxPV = fullSingle(material.maxPV),
            .maxTemperature = std::to_string(material.maxTemperature)};
    }
}

MaterialChoice Catalogue::choose(std::string_view text, std::optional<Group> group) const
{
    if (const std::optional<int> row = rowFromNumber(text)) {
        return chooseNumbered(*row, group);
    }
    MaterialChoice choice;
    const auto found = rowsByName_.find(text);
    if (found == rowsByName_.end()) {
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

const MaterialChoice& MaterialChooser::choose(std::string_view text, std::optional<Group> group)
{
    if (!lastChoice_ || text != lastText_ || group != lastGroup_) {
        lastChoice_ = catalogue_.choose(text, group);
        lastText_ = text;
        lastGroup_ = group;
    }
    return *lastChoice_;
}

}  // namespace bearing::cli
