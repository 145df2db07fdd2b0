// plain-bearings-calc: the bearing calculations from the command line, one case, every
// material at once, or a batch; see docs/command-line.md.

#include "commandline.h"
#include "decimalseparator.h"

#include <exception>
#include <iostream>
#include <span>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    try {
        const std::span<char*> given(argv, static_cast<std::size_t>(argc));
        const std::vector<std::string> arguments(given.begin() + (given.empty() ? 0 : 1), given.end());
        return bearing::cli::runCommandLine(
            arguments, std::cin, std::cout, std::cerr, bearing::cli::decimalSeparatorFromEnvironment());
    } catch (const std::exception& error) {
        // Out of memory, or an output that can no longer be written.
        std::cerr << "plain-bearings-calc: " << error.what() << '\n';
        return bearing::cli::exitUsage;
    }
}
