// Start-up benchmark driver: starts two programs in turn under the X server named by
// DISPLAY, the calculator and the floor, and for each run measures the time from the
// process start to its first top-level window with the expected title being mapped and
// then drawn, the CPU time the process had used when it was drawn and after a short
// settle, and its peak resident memory after the settle.
// It prints every run, then the medians, minima and maxima of both and their ratios.
//
//   plain-bearings-startup [--runs N] [--warmup N] [--settle-ms MS] [--timeout-ms MS]
//                          PROGRAM TITLE FLOOR FLOOR-TITLE

#include "windowwatch.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;  // NOLINT(readability-redundant-declaration)

namespace bearing::bench {
namespace {

using Milliseconds = std::chrono::duration<double, std::milli>;

struct Subject {
    std::string path;
    std::string title;
};

struct Options {
    int runs = 15;
    int warmup = 1;
    std::chrono::milliseconds settle{300};
    std::chrono::milliseconds timeout{20000};
    std::array<Subject, 2> subjects;  // the program, then the floor
};

struct Sample {
    double mappedMs = 0;      // process start to the window being mapped with its title
    double drawnMs = 0;       // process start to the first drawing into it after that
    double cpuMs = 0;         // CPU time of all its threads when it was drawn
    double cpuSettledMs = 0;  // and after the settle
    double peakMiB = 0;       // VmHWM after the settle
};

[[noreturn]] void usage()
{
    std::fputs("usage: plain-bearings-startup [--runs N] [--warmup N] [--settle-ms MS] [--timeout-ms MS]\n"
               "                              PROGRAM TITLE FLOOR FLOOR-TITLE\n",
        stderr);
    std::exit(2);  // NOLINT(concurrency-mt-unsafe)
}

int positiveNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        usage();
    }
    return value;
}

Options parseOptions(std::span<char*> arguments)
{
    Options options;
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const auto value = [&] { return i + 1 < arguments.size() ? positiveNumber(arguments[++i]) : (usage(), 0); };
        if (argument == "--runs") {
            options.runs = std::max(1, value());
        } else if (argument == "--warmup") {
            options.warmup = value();
        } else if (argument == "--settle-ms") {
            options.settle = std::chrono::milliseconds(value());
        } else if (argument == "--timeout-ms") {
            options.timeout = std::chrono::milliseconds(value());
        } else if (argument.starts_with("--")) {
            usage();
        } else {
            positional.emplace_back(argument);
        }
    }
    if (positional.size() != 4) {
        usage();
    }
    options.subjects = {Subject{positional[0], positional[1]}, Subject{positional[2], positional[3]}};
    return options;
}

// The program's own output would mix with the table; it goes to /dev/null.
pid_t start(const std::string& path)
{
    posix_spawn_file_actions_t actions{};
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = path;
    std::array<char*, 2> argv{program.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("cannot start " + path);
    }
    return pid;
}

double cpuMilliseconds(pid_t pid)
{
    clockid_t clock{};
    timespec used{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &used) != 0) {
        return 0;
    }
    return Milliseconds(std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec)).count();
}

double peakResidentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:")) {
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
        }
    }
    return 0;
}

void stop(pid_t pid)
{
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

std::optional<Sample> measure(WindowWatch& watch, const Subject& subject, const Options& options)
{
    const auto started = Clock::now();
    const pid_t pid = start(subject.path);
    const auto shown = watch.waitForWindow(pid, subject.title, started + options.timeout);
    if (!shown) {
        stop(pid);
        return std::nullopt;
    }
    Sample sample;
    sample.cpuMs = cpuMilliseconds(pid);
    sample.mappedMs = Milliseconds(shown->mapped - started).count();
    sample.drawnMs = Milliseconds(shown->drawn - started).count();
    watch.idleUntil(Clock::now() + options.settle);
    sample.cpuSettledMs = cpuMilliseconds(pid);
    sample.peakMiB = peakResidentMiB(pid);
    stop(pid);
    return sample;
}

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
};

Summary summarise(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    const double median = values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return {median, values.front(), values.back()};
}

// The tables are laid out with printf's fixed-width fields.
// NOLINTBEGIN(cppcoreguidelines-pro-type-vararg)
void printRow(const char* name, const char* unit, const std::vector<Sample>& program, const std::vector<Sample>& floor,
    double Sample::*field)
{
    std::vector<double> a;
    std::vector<double> b;
    std::vector<double> pairRatios;
    for (std::size_t i = 0; i < program.size(); ++i) {
        a.push_back(program[i].*field);
        b.push_back(floor[i].*field);
        pairRatios.push_back(program[i].*field / floor[i].*field);
    }
    const Summary p = summarise(a);
    const Summary f = summarise(b);
    std::printf("%-22s %-4s %9.1f [%7.1f..%7.1f] %9.1f [%7.1f..%7.1f]  %5.2f  %5.2f\n", name, unit, p.median, p.min,
        p.max, f.median, f.min, f.max, p.median / f.median, summarise(pairRatios).median);
}

int run(const Options& options)
{
    // The programs draw on the X server, not on an offscreen surface.
    setenv("QT_QPA_PLATFORM", "xcb", 1);  // NOLINT(concurrency-mt-unsafe)
    WindowWatch watch;
    const auto latency = watch.observationLatency(21);

    std::array<std::vector<Sample>, 2> samples;
    const int total = options.warmup + options.runs;
    for (int run = 0; run < total; ++run) {
        // Alternate which program goes first, so that neither always follows the other.
        const std::array<std::size_t, 2> order
            = run % 2 == 0 ? std::array<std::size_t, 2>{0, 1} : std::array<std::size_t, 2>{1, 0};
        std::array<Sample, 2> pair;
        for (const std::size_t which : order) {
            const auto sample = measure(watch, options.subjects.at(which), options);
            if (!sample) {
                std::cerr << options.subjects.at(which).path << ": no window titled \""
                          << options.subjects.at(which).title << "\" within " << options.timeout.count() << " ms\n";
                return 1;
            }
            pair.at(which) = *sample;
        }
        const bool warmup = run < options.warmup;
        std::printf("%s %2d  program %6.1f / %6.1f ms  cpu %6.1f ms  %5.1f MiB   floor %6.1f / %6.1f ms  cpu %6.1f "
                    "ms  %5.1f MiB\n",
            warmup ? "warm-up" : "run    ", warmup ? run + 1 : run - options.warmup + 1, pair[0].mappedMs,
            pair[0].drawnMs, pair[0].cpuMs, pair[0].peakMiB, pair[1].mappedMs, pair[1].drawnMs, pair[1].cpuMs,
            pair[1].peakMiB);
        std::fflush(stdout);
        if (!warmup) {
            samples[0].push_back(pair[0]);
            samples[1].push_back(pair[1]);
        }
    }

    std::printf("\n%d runs each, alternating (per run: mapped / drawn, CPU when drawn, peak memory)\n"
                "an event is seen %.3f ms after the server acts (median of 21 maps of a window of our own)\n\n",
        options.runs, Milliseconds(latency).count());
    std::printf("%-27s %-31s %-31s %s\n", "", "program median [min..max]", "floor median [min..max]", "ratio  paired");
    printRow("start-up to mapped", "ms", samples[0], samples[1], &Sample::mappedMs);
    printRow("start-up to drawn", "ms", samples[0], samples[1], &Sample::drawnMs);
    printRow("CPU time to drawn", "ms", samples[0], samples[1], &Sample::cpuMs);
    printRow("CPU time after settle", "ms", samples[0], samples[1], &Sample::cpuSettledMs);
    printRow("peak resident memory", "MiB", samples[0], samples[1], &Sample::peakMiB);
    std::puts("ratio: program median / floor median; paired: median of the per-run ratios");
    return 0;
}

// NOLINTEND(cppcoreguidelines-pro-type-vararg)

}  // namespace
}  // namespace bearing::bench

int main(int argc, char* argv[])
{
    try {
        return bearing::bench::run(
            bearing::bench::parseOptions(std::span<char*>(argv, static_cast<std::size_t>(argc))));
    } catch (const std::exception& error) {
        std::cerr << "plain-bearings-startup: " << error.what() << '\n';
        return 1;
    }
}
