#include "messagecodes.h"

#include "sizing.h"

#include <array>
#include <utility>

namespace bearing::cli {

std::string_view messageCode(std::string_view message)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> known{{
        {messages::chooseMaterial, codes::chooseMaterial},
        {messages::enterLoadAndFrequency, codes::loadOrFrequencyMissing},
        {messages::zeroDiameter, codes::zeroDiameter},
        {messages::lengthBelowMinimum, codes::lengthBelowMinimum},
        {messages::loadOutOfRange, codes::loadOverflow},
        {messages::frequencyOutOfRange, codes::frequencyOverflow},
        {messages::lengthOutOfRange, codes::lengthOverflow},
        {messages::resultOutOfRange, codes::resultOverflow},
    }};
    for (const auto& [text, code] : known) {
        if (text == message) {
            return code;
        }
    }
    return "message";
}

}  // namespace bearing::cli
