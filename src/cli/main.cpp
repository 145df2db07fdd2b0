// plain-bearings-calc: the bearing calculations from the command line, one case, every
// material at once, or a batch; see docs/command-line.md.

#include "commandline.h"
#include "decimalseparator.h"
#include "terminalwidth.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    try {
        const std::span<char*> given(argv, static_cast<std::size_t>(argc));
        const std::vector<std::string> arguments(given.begin() + (given.empty() ? 0 : 1), given.end());
        // NOLINTNEXTLINE(concurrency-mt-unsafe): read once, before anything else runs
        bearing::cli::Environment environment{.decimalSeparator = bearing::cli::decimalSeparatorFromEnvironment(),
            .width = bearing::cli::terminalWidth(std::getenv("COLUMNS"), STDOUT_FILENO),
            .outputIsTerminal = ::isatty(STDOUT_FILENO) != 0,
            .errorIsTerminal = ::isatty(STDERR_FILENO) != 0,
            .sourceDateEpoch = std::nullopt,
            .now = static_cast<std::int64_t>(std::time(nullptr)),
            .inputFile = bearing::openFileIdentity(STDIN_FILENO),
            .outputFile = bearing::openFileIdentity(STDOUT_FILENO)};
        // NOLINTNEXTLINE(concurrency-mt-unsafe): read once, before anything else runs
        if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
            environment.sourceDateEpoch = epoch;
        }
        return bearing::cli::runCommandLine(arguments, std::cin, std::cout, std::cerr, environment);
    } catch (const std::bad_alloc&) {
        std::cerr << "plain-bearings-calc: не хватает памяти\n";
        return bearing::cli::exitUsage;
    } catch (const std::exception&) {
        // A fault of the program; its text would be the library's English.
        std::cerr << "plain-bearings-calc: внутренняя ошибка программы\n";
        return bearing::cli::exitUsage;
    }
}
