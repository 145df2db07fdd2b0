#include "tablewriter.h"

#include "terminaltext.h"

namespace bearing {

namespace {

constexpr std::string_view moreNotesMark = "*";

}  // namespace

std::string localForm(std::string_view number, std::string_view separator)
{
    std::string text(number);
    if (const auto at = text.find('.'); at != std::string::npos) {
        text.replace(at, 1, separator);
    }
    return text;
}

std::string TableNotes::refer(std::span<const std::string> messages)
{
    std::string cell;
    for (const std::string& message : messages) {
        auto found = numbers_.find(message);
        if (found == numbers_.end() && numbers_.size() < mostNotes) {
            found = numbers_.emplace(message, numbers_.size() + 1).first;
            texts_.push_back(&found->first);
        }
        cell.append(cell.empty() ? "" : ", ");
        if (found == numbers_.end()) {
            ++unlisted_;
            cell += moreNotesMark;
        } else {
            cell += std::to_string(found->second);
        }
    }
    return cell;
}

void TableNotes::append(std::string& out, std::size_t width) const
{
    if (texts_.empty()) {
        return;
    }
    out += "\nПримечания:\n";
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const std::string number = std::to_string(i + 1) + ". ";
        appendWrapped(out, masked(*texts_[i], true), width == noWidthLimit ? std::string::npos : width, number,
            std::string(number.size(), ' '));
    }
    if (unlisted_ > 0) {
        out += std::string(moreNotesMark) + " ещё " + std::to_string(unlisted_)
            + " сообщений: все сообщения полностью выводятся с --format csv или json\n";
    }
}

}  // namespace bearing
