// Runs a fuzz target over files and directories of inputs without libFuzzer, so that
// every build (GCC included) replays the committed corpus as a test. Arguments that
// start with '-' are libFuzzer options and are skipped.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (const std::string argument : std::span(argv, static_cast<std::size_t>(argc)).subspan(1)) {
        if (argument.starts_with('-')) {
            continue;
        }
        if (std::filesystem::is_directory(argument)) {
            for (const auto& entry : std::filesystem::directory_iterator(argument)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
        } else {
            files.emplace_back(argument);
        }
    }
    if (files.empty()) {
        std::cerr << "no inputs given\n";
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        replay(file);
    }
    std::cout << "replayed " << files.size() << " inputs\n";
    return 0;
}
