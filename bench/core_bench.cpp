// Per-call cost of the two calculations behind the bearing window's buttons and of the
// three number conversions they are built from.

#include "materialcatalogue.h"
#include "numbertext.h"
#include "sizing.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bearing {
namespace {

// A window of plain strings that keeps only the last text of each control, so that a
// benchmark measures the calculation rather than the bookkeeping of a test fake.
class BenchWindow : public CalculationWindow {
public:
    [[nodiscard]] std::string text(Control control) const override { return texts_.at(index(control)); }
    void setText(Control control, std::string_view text) override { texts_.at(index(control)).assign(text); }
    void showMessage(std::string_view text, std::string_view /*title*/, MessageIcon /*icon*/) override
    {
        lastMessage_.assign(text);
    }

    [[nodiscard]] const std::string& lastMessage() const { return lastMessage_; }

private:
    static std::size_t index(Control control) { return static_cast<std::size_t>(control); }

    std::array<std::string, 7> texts_;
    std::string lastMessage_;
};

// The worked example: bronze, 5000 N at 300 rpm, a proposed length of 20 mm.
void enterWorkedExample(BenchWindow& window)
{
    window.setText(Control::MaterialList, "Бронза БрО10Ф1");
    window.setText(Control::Load, "5000");
    window.setText(Control::Frequency, "300");
    window.setText(Control::Length, "20");
}

void calculateSizingPerCall(benchmark::State& benchState)
{
    const MaterialCatalogue catalogue(CatalogueVariant::BearingWindow);
    SizingState sizing;
    BenchWindow window;
    enterWorkedExample(window);
    for (auto _ : benchState) {
        calculateSizing(catalogue, sizing, window);
        benchmark::DoNotOptimize(sizing);
        benchmark::ClobberMemory();
    }
    // A message would mean the benchmark times the error path instead of the results.
    if (!sizing.resultValid || !window.lastMessage().empty()) {
        benchState.SkipWithError("the worked example did not reach its results");
    }
}
BENCHMARK(calculateSizingPerCall);

void calculateDiameterForLengthPerCall(benchmark::State& benchState)
{
    const MaterialCatalogue catalogue(CatalogueVariant::BearingWindow);
    SizingState sizing;
    BenchWindow window;
    enterWorkedExample(window);
    for (auto _ : benchState) {
        calculateDiameterForLength(catalogue, sizing, window, ",");
        benchmark::DoNotOptimize(sizing);
        benchmark::ClobberMemory();
    }
    if (window.text(Control::MinDiameterOnLength) != "16,7" || !window.lastMessage().empty()) {
        benchState.SkipWithError("the worked example did not give 16,7");
    }
}
BENCHMARK(calculateDiameterForLengthPerCall);

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
void formatStrSinglePerCall(benchmark::State& benchState, float value)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatStr(value));
    }
}
BENCHMARK_CAPTURE(formatStrSinglePerCall, maxDiameter, 636.6F);

void formatStrDoublePerCall(benchmark::State& benchState, double value)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatStr(value));
    }
}
BENCHMARK_CAPTURE(formatStrDoublePerCall, minLength, 5.235987755982989);

void formatLocaleSinglePerCall(benchmark::State& benchState, float value)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatLocale(value, ","));
    }
}
BENCHMARK_CAPTURE(formatLocaleSinglePerCall, minDiameter, 16.7F);

void formatLocaleDoublePerCall(benchmark::State& benchState, double value)
{
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatLocale(value, ","));
    }
}
BENCHMARK_CAPTURE(formatLocaleDoublePerCall, minDiameter, 16.666666666666668);

void formatLocaleShortPerCall(benchmark::State& benchState)
{
    std::int16_t value = 250;
    for (auto _ : benchState) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(formatLocale(value));
    }
}
BENCHMARK(formatLocaleShortPerCall);

}  // namespace
}  // namespace bearing

BENCHMARK_MAIN();
