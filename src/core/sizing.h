#pragma once

// The calculation core of the plain-bearing calculator: standard C++ only, no window code.
//
//   numbertext.h         text <-> number: parseNumber, formatStr, formatLocale
//   materialcatalogue.h  the built-in materials and their limits [p], [v], [pv], [t]
//   calculationwindow.h  what the calculations read from and write to a window
//   sizing.h             the two calculations behind the bearing window's buttons
//
// A button press flows one way: the window hands its CalculationWindow, its catalogue
// and its SizingState to calculateSizing() or calculateDiameterForLength(); they read
// the list and input texts, compute in double from single operands, store singles in
// SizingState, and write the result texts or show a message through the window.

#include "calculationwindow.h"
#include "materialcatalogue.h"

#include <optional>
#include <string_view>

namespace bearing {

// What the bearing window remembers of its last sizing run. Zeroed with the window.
struct SizingState {
    float maxPV = 0;           // [pv] of the material of the last run that passed its checks
    float maxPressure = 0;     // [p] of that material
    float maxSpeed = 0;        // [v] of that material
    float maxTemperature = 0;  // [t] of that material (kept, used by no formula)
    float maxDiameter = 0;     // largest journal diameter, mm, rounded to 0.1 mm
    float minArea = 0;         // F / [p], the smallest product d·L, mm², unrounded
    float minLength = 0;       // smallest bearing length, mm, unrounded
    float pressureLength = 0;  // minArea / maxDiameter, mm, unrounded
    bool resultValid = false;  // the last run reached its results
};

// The texts of the messages; line breaks are CR LF as the message box receives them.
namespace messages {
inline constexpr std::string_view errorTitle = "Ошибка";
inline constexpr std::string_view chooseMaterial = "Выберите материал";
inline constexpr std::string_view enterLoadAndFrequency = "Задайте радиальное усилие на подшипник и частоту вращения";
inline constexpr std::string_view zeroDiameter
    = "Ошибка: деление на ноль\r\n\r\nСлишком мал расчетный максимальный диаметр\r\nЗадайте меньшую частоту вращения";
inline constexpr std::string_view lengthBelowMinimum
    = "Введенная длина подшипника меньше расчитанной минимально допустимой длины";
inline constexpr std::string_view loadOutOfRange
    = "Ошибка: переполнение\r\n\r\nРадиальное усилие выходит за пределы допустимого диапазона чисел";
inline constexpr std::string_view frequencyOutOfRange
    = "Ошибка: переполнение\r\n\r\nЧастота вращения выходит за пределы допустимого диапазона чисел";
inline constexpr std::string_view lengthOutOfRange
    = "Ошибка: переполнение\r\n\r\nДлина выходит за пределы допустимого диапазона чисел";
inline constexpr std::string_view resultOutOfRange
    = "Ошибка: переполнение\r\n\r\nРезультат расчета выходит за пределы допустимого диапазона чисел\r\n"
      "Проверьте радиальное усилие, частоту вращения и длину";
}  // namespace messages

// Half-up rounding to 0.1 mm, as every shown length and diameter is rounded.
[[nodiscard]] double roundToTenth(double millimetres);

// How far a sizing got. Each stop keeps the figures reached before it.
enum class SizingStop {
    None,                      // every figure was reached
    LoadOrFrequencyInvalid,    // load negative or frequency not positive: no figure
    DiameterOutOfRange,        // the largest diameter lies beyond the single range: no figure
    LengthOutOfRange,          // the [pv] length or F/[p] lies beyond it: maxDiameter only
    PressureLengthOutOfRange,  // F/[p] / maxDiameter lies beyond it: all but pressureLength and minLength
};

// The figures of one sizing, in the kinds that SizingState stores them.
struct SizingFigures {
    SizingStop stop = SizingStop::None;
    float maxDiameter = 0;         // largest journal diameter, mm, rounded to 0.1 mm
    float pvLength = 0;            // the length that [pv] requires, mm, unrounded
    float minArea = 0;             // F / [p], mm², unrounded
    float pressureLength = 0;      // minArea / maxDiameter, mm, unrounded; 0 with no diameter
    float minLength = 0;           // the larger of the two lengths, mm, unrounded
    bool pressureGoverns = false;  // the pressure length is strictly the larger one
};

// The sizing formulas for one material, load F (N) and frequency n (rpm), both already
// stored as singles. calculateSizing() shows what this gives; the command line reads the
// same figures, so that the two can never disagree.
[[nodiscard]] SizingFigures sizeBearing(const MaterialRecord& material, float load, float frequency);

enum class LengthCheck {
    Accepted,            // diameter holds the smallest diameter for the length
    BelowMinimum,        // the length is below the unrounded minimum length
    DiameterOutOfRange,  // minArea / length lies beyond the single range
};

struct DiameterForLength {
    LengthCheck check = LengthCheck::Accepted;
    float diameter = 0;  // mm, unrounded
};

// The smallest diameter that keeps [p] at a proposed length, after a sizing that gave
// `minLength` and `minArea`.
[[nodiscard]] DiameterForLength diameterForLength(float minLength, float minArea, float length);

// The figures behind what a button press showed, for a caller that reports them beside
// the window's texts. Both are empty when the run ended in a message that left no results
// (the state's resultValid false).
struct PressFigures {
    std::optional<SizingFigures> sizing;
    std::optional<DiameterForLength> forLength;  // the length's check, after the diameter button
};

// "Расчет характеристик подшипника": the largest diameter that keeps the sliding speed
// within [v], and the smallest length that keeps both [pv] and [p] at that diameter.
PressFigures calculateSizing(const MaterialCatalogue& catalogue, SizingState& state, CalculationWindow& window);

// "Расчет минимального диаметра в зависимости от длины": runs calculateSizing(), checks
// the proposed length against the minimum length and writes the smallest diameter that
// keeps [p] at that length, with the user's decimal separator.
PressFigures calculateDiameterForLength(const MaterialCatalogue& catalogue, SizingState& state,
    CalculationWindow& window, std::string_view decimalSeparator);

}  // namespace bearing
