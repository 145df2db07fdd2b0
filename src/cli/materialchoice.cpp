#include "materialchoice.h"

#include "materialcatalogue.h"
#include "terminaltext.h"

namespace bearing::cli {

namespace {

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

std::string_view groupTitle(Group group) { return materialGroups.at(group == Group::Dry ? 0 : 1).title; }

Group groupOfRow(int row) { return row <= materialGroups[0].lastRow ? Group::Dry : Group::Lubricated; }

CaseProblem MaterialChoice::problem(std::string_view text) const
{
    const std::string quoted = echoed(text);
    switch (kind) {
    case Kind::Found: break;
    case Kind::Unknown:
        return {codes::unknownMaterial,
            "Неизвестный материал " + quoted + ": укажите название из --list-materials или номер от 1 до 21"};
    case Kind::OtherGroup:
        return {codes::materialOfOtherGroup,
            "Материал " + quoted + " не из группы «"
                + std::string(groupTitle(groupOfRow(row) == Group::Dry ? Group::Lubricated : Group::Dry))
                + "»: это строка " + describeRow(row)};
    case Kind::Ambiguous: {
        std::string rows;
        for (const int candidate : candidates) {
            rows += (rows.empty() ? "" : ", ") + describeRow(candidate);
        }
        return {codes::ambiguousMaterial,
            "Название " + quoted + " носят несколько материалов: строки " + rows
                + "; укажите группу (dry или lubricated) или номер строки"};
    }
    }
    return {};
}

}  // namespace bearing::cli
