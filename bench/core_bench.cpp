// Per-call cost of the two button presses of the bearing window and of the three number
// conversions they are built from.

#include "materialcatalogue.h"
#include "numbertext.h"
#include "press.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>

namespace bearing {
namespace {

// The worked example: bronze, 5000 N at 300 rpm, a proposed length of 20 mm.
constexpr PressInput workedExample{.material = "Бронза БрО10Ф1", .load = "5000", .frequency = "300", .length = "20"};

bool endsInMessage(const PressResult& press)
{
    return !press.events.empty() && press.events.back().kind == ShownEvent::Kind::Message;
}

void pressSizingPerCall(benchmark::State& benchState)
{
    const MaterialCatalogue catalogue(CatalogueVariant::BearingWindow);
    PressResult press;
    for (auto _ : benchState) {
        press = pressSizing(catalogue, workedExample, press.state);
        benchmark::DoNotOptimize(press);
        benchmark::ClobberMemory();
    }
    // A message would mean the benchmark times the error path instead of the results.
    if (!press.state.resultValid || endsInMessage(press)) {
        benchState.SkipWithError("the worked example did not reach its results");
    }
}
BENCHMARK(pressSizingPerCall);

void pressDiameterForLengthPerCall(benchmark::State& benchState)
{
    const MaterialCatalogue catalogue(CatalogueVariant::BearingWindow);
    PressResult press;
    for (auto _ : benchState) {
        press = pressDiameterForLength(catalogue, workedExample, press.state, ",");
        benchmark::DoNotOptimize(press);
        benchmark::ClobberMemory();
    }
    if (press.numbers.minDiameter != "16,7" || endsInMessage(press)) {
        benchState.SkipWithError("the worked example did not give 16,7");
    }
}
BENCHMARK(pressDiameterForLengthPerCall);

void parseNumberPerCall(benchmark::State& benchState, std::string_view text)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(parseNumber(text));
    }
}
BENCHMARK_CAPTURE(parseNumberPerCall, load, std::string_view("5000"));
BENCHMARK_CAPTURE(parseNumberPerCall, fraction, std::string_view("16.7"));
BENCHMARK_CAPTURE(parseNumberPerCall, exponent, std::string_view("1.5E+3"));

// One benchmark per overload: each numeric kind takes its own formatting path.
void formatResultLineNumberSinglePerCall(benchmark::State& benchState, float value)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatResultLineNumber(value));
    }
}
BENCHMARK_CAPTURE(formatResultLineNumberSinglePerCall, maxDiameter, 636.6F);

void formatResultLineNumberDoublePerCall(benchmark::State& benchState, double value)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatResultLineNumber(value));
    }
}
BENCHMARK_CAPTURE(formatResultLineNumberDoublePerCall, minLength, 5.235987755982989);

void formatTextBoxNumberSinglePerCall(benchmark::State& benchState, float value)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatTextBoxNumber(value, ","));
    }
}
BENCHMARK_CAPTURE(formatTextBoxNumberSinglePerCall, minDiameter, 16.7F);

void formatTextBoxNumberDoublePerCall(benchmark::State& benchState, double value)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatTextBoxNumber(value, ","));
    }
}
BENCHMARK_CAPTURE(formatTextBoxNumberDoublePerCall, minDiameter, 16.666666666666668);

void formatTextBoxNumberShortPerCall(benchmark::State& benchState)
{
    std::int16_t value = 250;
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatTextBoxNumber(value));
    }
}
BENCHMARK(formatTextBoxNumberShortPerCall);

}  // namespace
}  // namespace bearing

BENCHMARK_MAIN();
