#pragma once

// The sizing formulas behind the bearing window's buttons, what the window remembers
// between presses, and the texts of the messages; press.h runs them for a press.

#include "materialcatalogue.h"

#include <cstdint>
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

// Every message a press can show, for a face that names it to scripts; the window shows
// only its text. The order is that of the table in sizing.cpp.
enum class SizingMessage : std::uint8_t {
    None,
    ChooseMaterial,
    LoadOrFrequencyMissing,
    ZeroDiameter,
    LengthBelowMinimum,
    LoadOutOfRange,
    FrequencyOutOfRange,
    LengthOutOfRange,
    ResultOutOfRange,
};

// A code that never changes between versions ("choose_material"), for scripts.
[[nodiscard]] std::string_view sizingMessageCode(SizingMessage message);
// Its text, from `messages` above; empty for None.
[[nodiscard]] std::string_view sizingMessageText(SizingMessage message);

// π as the formulas use it: the single nearest π, widened to a double
// (3.1415927410125732).
inline constexpr double sizingPi = static_cast<double>(3.14159265358979323846F);
// Converts mm·rpm into m/s: v = π·d·n / 60000.
inline constexpr double mmRpmPerMetrePerSecond = 60000.0;

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
// stored as singles. pressSizing() shows what this gives and returns these figures.
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

}  // namespace bearing
