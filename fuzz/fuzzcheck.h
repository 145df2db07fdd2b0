#pragma once

#include <cstdlib>
#include <iostream>
#include <string_view>

namespace bearing::check {

// A broken property ends the run at once: libFuzzer keeps the input as a crash, and the
// corpus replay fails.
inline void require(bool holds, std::string_view property, std::string_view detail = {})
{
    if (!holds) {
        std::cerr << "property broken: " << property << " [" << detail << "]" << std::endl;
        std::abort();
    }
}

}  // namespace bearing::check
