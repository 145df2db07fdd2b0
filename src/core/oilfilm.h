#pragma once

// The oil film: a full (360°) plain journal bearing running on a film of oil. Given the
// load, the speed, the geometry, the clearance and the oil's viscosity, how eccentric
// does the journal run, how thin is the film at its thinnest, how much power does the
// film eat and how much oil does it need?
//
// The model: an aligned rigid journal under a steady load, one viscosity throughout the
// film, an incompressible oil, no supply groove, ambient pressure at both ends. The film
// starts at its thickest section at ambient pressure and ends where it ruptures under the
// Reynolds condition (pressure nowhere below ambient, zero gradient at the rupture line).
// The Reynolds equation is solved in dimensionless form on a grid (finite volumes,
// projected successive over-relaxation), and the eccentricity is found for the load;
// no table is interpolated. docs/oil-film.md gives the equations, the grid and its error.
//
// Angles: every angle (the attitude angle aside) is measured from the line of centres
// at the thickest film, in the direction of rotation, in degrees: the thinnest film lies
// at 180°. The attitude angle is the angle between the load line and the line of
// centres. The angles of the peak pressure and of the rupture are also given from the
// load line, in the direction of rotation, as the 1958 design tables measure them.
//
// Texts flow one way, as in the design check: FilmTexts -> readFilmInput() ->
// solveOilFilm() -> OilFilm, which holds either an input fault or the figures, and, when
// the figures lie outside what the model holds, a limit with its code and message.

#include "resultfield.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// What stops the calculation before its figures: a value the user gave. The order is
// the order of the checks.
enum class FilmFault : std::uint8_t {
    None,
    LoadNotANumber,
    LoadNotPositive,
    LoadOutOfRange,
    FrequencyNotANumber,
    FrequencyNotPositive,
    FrequencyOutOfRange,
    DiameterNotANumber,
    DiameterNotPositive,
    DiameterOutOfRange,
    LengthNotANumber,
    LengthNotPositive,
    LengthOutOfRange,
    ClearanceNotANumber,
    ClearanceNotPositive,
    ClearanceOutOfRange,
    ViscosityNotANumber,
    ViscosityNotPositive,
    ViscosityOutOfRange,
    JournalRoughnessNotANumber,
    JournalRoughnessNegative,
    JournalRoughnessOutOfRange,
    BoreRoughnessNotANumber,
    BoreRoughnessNegative,
    BoreRoughnessOutOfRange,
    MarginNotANumber,
    MarginNotPositive,
    MarginOutOfRange,
    ClearanceTooLarge,      // Δ/d above filmMaxRelativeClearance: not a thin film (nor a fit, for Δ ≥ d)
    LengthRatioOutOfRange,  // L/d outside what the grid resolves
    ResultOutOfRange,       // the inputs are numbers, but S or Φ lies beyond the doubles
};

// A stable machine code ("clearance_not_a_number") and the Russian message, line breaks
// CR LF as in the check's messages; empty message for None.
[[nodiscard]] std::string_view filmFaultCode(FilmFault fault);
[[nodiscard]] std::string_view filmFaultMessage(FilmFault fault);

// Where a solved case lies outside what the model holds. Unlike a fault, a limit keeps
// the figures the solution reached (see OilFilm::solved); a case with a limit never passes.
// When several hold, the first in this order is given.
enum class FilmLimit : std::uint8_t {
    None,
    LoadBeyondFilm,            // no eccentricity up to filmSolverReach carries the load: no solution figures
    NotConverged,              // the iteration stopped before it converged: no solution figures
    FilmThinnerThanRoughness,  // h_min below Rz_journal + Rz_bore: mixed friction, figures given
    EccentricityBeyondModel,   // ε above filmModelReach: figures given, the grid's error grows
};

[[nodiscard]] std::string_view filmLimitCode(FilmLimit limit);
[[nodiscard]] std::string_view filmLimitMessage(FilmLimit limit);

// ε above which a solution is outside the model (figures still given, with a limit) and
// the largest ε the solver tries before it says that the film cannot carry the load.
inline constexpr double filmModelReach = 0.95;
inline constexpr double filmSolverReach = 0.98;
// The L/d that the grid resolves to its stated error.
inline constexpr double filmMinLengthRatio = 0.1;
inline constexpr double filmMaxLengthRatio = 4.0;
// Δ/d above which the film is no longer thin against the journal.
inline constexpr double filmMaxRelativeClearance = 0.01;
// Defaults when the user gives none: a ground journal, a fine-bored bush, and the usual
// design rule of a film twice the roughnesses.
inline constexpr double defaultJournalRoughness = 3.2;  // Rz, µm
inline constexpr double defaultBoreRoughness = 6.3;     // Rz, µm
inline constexpr double defaultFilmMargin = 2.0;

// The texts of one case as the user gave them.
struct FilmTexts {
    std::string_view load;                             // F, N
    std::string_view frequency;                        // n, rpm
    std::string_view diameter;                         // d, mm
    std::string_view length;                           // L, mm
    std::string_view clearance;                        // Δ, diametral, µm
    std::string_view viscosity;                        // µ, dynamic, Pa·s
    std::optional<std::string_view> journalRoughness;  // Rz, µm; none: defaultJournalRoughness
    std::optional<std::string_view> boreRoughness;     // Rz, µm; none: defaultBoreRoughness
    std::optional<std::string_view> margin;            // K; none: defaultFilmMargin
};

// The texts of a case kept as strings by a face (members named as FilmTexts's, the
// optional ones std::optional<std::string>), as FilmTexts.
template <class Owned> [[nodiscard]] FilmTexts filmTextsOf(const Owned& owned)
{
    const auto optional = [](const std::optional<std::string>& text) {
        return text ? std::optional<std::string_view>(*text) : std::nullopt;
    };
    return {.load = owned.load,
        .frequency = owned.frequency,
        .diameter = owned.diameter,
        .length = owned.length,
        .clearance = owned.clearance,
        .viscosity = owned.viscosity,
        .journalRoughness = optional(owned.journalRoughness),
        .boreRoughness = optional(owned.boreRoughness),
        .margin = optional(owned.margin)};
}

// The inputs as numbers; an empty optional takes its default.
struct FilmInput {
    double load = 0;
    double frequency = 0;
    double diameter = 0;
    double length = 0;
    double clearance = 0;
    double viscosity = 0;
    std::optional<double> journalRoughness;
    std::optional<double> boreRoughness;
    std::optional<double> margin;
};

struct FilmReading {
    FilmFault fault = FilmFault::None;
    FilmInput input;
};

// Reads the texts strictly, as readDesignCheckInput() does (readCheckNumber()): load,
// frequency, diameter, length, clearance, viscosity and margin above zero, roughnesses
// at least zero; then Δ/d at most filmMaxRelativeClearance and L/d within
// [filmMinLengthRatio, filmMaxLengthRatio].
[[nodiscard]] FilmReading readFilmInput(const FilmTexts& texts);

// The grid: nodes around the circumference and along half the length (the film is
// symmetric about the middle plane).
struct FilmGrid {
    int circumferential = 0;
    int axial = 0;
};
// The grid every case is solved on: S and ε within 0.5 % of a grid four times finer.
inline constexpr FilmGrid standardFilmGrid{.circumferential = 96, .axial = 10};

// The dimensionless solution for one L/d and ε. p̄ = p·c²/(µ·ω·r²).
struct FilmSolution {
    double lengthRatio = 0;   // L/d
    double eccentricity = 0;  // ε = e/c
    bool converged = false;
    int solves = 0;  // fields solved on the way, one for each ε tried
    int sweeps = 0;  // over-relaxation sweeps of all of them

    double loadNumber = 0;           // W·c²/(µ·ω·r³·L), which is 2/(π·S) and 4·Φ
    double sommerfeld = 0;           // S
    double attitudeAngle = 0;        // φ, degrees
    double maxPressureNumber = 0;    // p̄_max
    double pressureRatio = 0;        // P / p_max
    double maxPressureAngle = 0;     // from the thickest film, degrees, in the middle plane
    double filmEndAngle = 0;         // rupture in the middle plane, from the thickest film, degrees
    double frictionVariable = 0;     // (r/c)·f
    double flowVariable = 0;         // Q / (r·c·N·L), into the film at its thickest section
    double sideFlowVariable = 0;     // Q_s / (r·c·N·L), through both ends
    double ruptureFlowVariable = 0;  // what leaves through the rupture line, the same way
    double sideFlowRatio = 0;        // Q_s / Q

    FilmGrid grid;
    std::vector<double> angles;     // the columns' θ, degrees, from 0 to 360
    std::vector<double> positions;  // the rows' ζ = 2y/L, from 0 (the middle plane) to 1 (an end)
    std::vector<double> pressure;   // p̄ at column i, row j: index j·angles.size() + i
};

// The solution at a given ε (0 < ε ≤ filmSolverReach) for L/d; the grid's counts even.
[[nodiscard]] FilmSolution solveFilmAt(double lengthRatio, double eccentricity, FilmGrid grid = standardFilmGrid);
// The solution that carries a Sommerfeld number S; empty when no ε up to filmSolverReach
// carries it (the load is beyond the film).
[[nodiscard]] std::optional<FilmSolution> solveFilmFor(
    double lengthRatio, double sommerfeld, FilmGrid grid = standardFilmGrid);

// One point of the design chart: the thinnest film over the clearance against S.
struct FilmCurvePoint {
    double eccentricity = 0;
    double sommerfeld = 0;
    double minFilmRatio = 0;  // h_min / c = 1 − ε
};
// The design curve for L/d: `points` points from h_min/c = 1 − filmSolverReach to 0.97,
// evenly in h_min/c, S rising along it.
[[nodiscard]] std::vector<FilmCurvePoint> filmDesignCurve(double lengthRatio, int points = 32);

// A point of the pressure around the bearing in its middle plane.
struct FilmPressurePoint {
    double angle = 0;     // from the thickest film, degrees
    double pressure = 0;  // MPa
};

// One case. Every figure unrounded.
struct OilFilm {
    FilmFault fault = FilmFault::None;  // when not None, no figure below is meaningful
    FilmLimit limit = FilmLimit::None;
    bool solved = false;  // the solution figures (ε onwards) are given

    // What was used: the user's values or the defaults.
    double journalRoughness = 0;  // Rz, µm
    double boreRoughness = 0;     // Rz, µm
    double requiredMargin = 0;    // K
    bool journalRoughnessDefaulted = false;
    bool boreRoughnessDefaulted = false;
    bool marginDefaulted = false;

    double relativeClearance = 0;  // ψ = Δ/d
    double radialClearance = 0;    // c = Δ/2, µm
    double lengthRatio = 0;        // L/d
    double meanPressure = 0;       // P = F/(L·d), MPa
    double angularSpeed = 0;       // ω, 1/s
    double sommerfeld = 0;         // S = (r/c)²·µ·N/P
    double loadCoefficient = 0;    // Φ = F·ψ²/(µ·ω·L·d) = 1/(2π·S)

    double eccentricity = 0;              // ε
    double attitudeAngle = 0;             // φ, degrees
    double minFilmThickness = 0;          // h_min = c·(1 − ε), µm
    double roughnessSum = 0;              // Rz_journal + Rz_bore, µm
    double filmMargin = 0;                // h_min / (Rz_journal + Rz_bore); +∞ for smooth surfaces
    double maxPressure = 0;               // MPa
    double maxPressureAngle = 0;          // degrees from the thickest film
    double filmEndAngle = 0;              // degrees from the thickest film
    double maxPressureAngleFromLoad = 0;  // degrees from the load line
    double filmEndAngleFromLoad = 0;      // degrees from the load line
    double pressureRatio = 0;             // P / p_max
    double frictionCoefficient = 0;       // f
    double frictionVariable = 0;          // (r/c)·f
    double frictionTorque = 0;            // N·m
    double frictionPower = 0;             // W
    double flow = 0;                      // Q, cm³/s
    double sideFlow = 0;                  // Q_s, cm³/s
    double flowVariable = 0;              // Q / (r·c·N·L)
    double sideFlowRatio = 0;             // Q_s / Q
    bool passes = false;                  // solved, no limit, and filmMargin ≥ requiredMargin

    std::vector<FilmPressurePoint> midPlanePressure;  // the grid's nodes, 0° to 360°
};

[[nodiscard]] OilFilm solveOilFilm(const FilmInput& input);
// Reads and solves in one step; a reading fault is the case's fault.
[[nodiscard]] OilFilm solveOilFilm(const FilmTexts& texts);

// A case as the command line's text and the web page show it: the figures rounded as the
// design check rounds them (formatCheckFigure(), four significant digits), a line each,
// the roughnesses and the required margin with "по умолчанию" where the default was used,
// the verdict last. A case that stopped at a fault has no lines; a case the film cannot
// carry has those of its inputs and the verdict. A limit's message is not among them: it
// is the case's message.
[[nodiscard]] std::vector<std::string> filmLines(const OilFilm& film, std::string_view decimalSeparator);

// The figures of a case (resultfield.h): the first ones wherever the inputs were read,
// those of the solution only where it was reached (OilFilm::solved). A limit is not a
// field: it is the case's message. Angles are from the thickest film, and again from the
// load line.
using FilmField = ResultField<OilFilm>;

namespace filmfield {

template <double OilFilm::*Figure> ResultValue read(const OilFilm& film)
{
    return film.fault == FilmFault::None ? ResultValue(film.*Figure) : ResultValue();
}

template <double OilFilm::*Figure> ResultValue solved(const OilFilm& film)
{
    return film.fault == FilmFault::None && film.solved ? ResultValue(film.*Figure) : ResultValue();
}

inline ResultValue passes(const OilFilm& film)
{
    return film.fault == FilmFault::None ? ResultValue(film.passes) : ResultValue();
}

}  // namespace filmfield

inline constexpr std::array filmFields{
    FilmField{"relative_clearance", "Относительный зазор ψ = Δ/d", ResultKind::Number,
        filmfield::read<&OilFilm::relativeClearance>},
    FilmField{"length_ratio", "Отношение L/d", ResultKind::Number, filmfield::read<&OilFilm::lengthRatio>},
    FilmField{"mean_pressure", "P = F/(L·d), МПа", ResultKind::Number, filmfield::read<&OilFilm::meanPressure>},
    FilmField{"sommerfeld", "Число Зоммерфельда S", ResultKind::Number, filmfield::read<&OilFilm::sommerfeld>},
    FilmField{"load_coefficient", "Коэффициент нагруженности Φ", ResultKind::Number,
        filmfield::read<&OilFilm::loadCoefficient>},
    FilmField{"eccentricity", "Эксцентриситет ε", ResultKind::Number, filmfield::solved<&OilFilm::eccentricity>},
    FilmField{"attitude_angle", "Угол положения φ, °", ResultKind::Number, filmfield::solved<&OilFilm::attitudeAngle>},
    FilmField{"min_film_thickness", "h_min, мкм", ResultKind::Number, filmfield::solved<&OilFilm::minFilmThickness>},
    FilmField{"roughness_sum", "Rz_ц + Rz_в, мкм", ResultKind::Number, filmfield::read<&OilFilm::roughnessSum>},
    FilmField{"film_margin", "Запас h_min/(Rz_ц + Rz_в)", ResultKind::Number, filmfield::solved<&OilFilm::filmMargin>},
    FilmField{"required_margin", "Требуемый запас", ResultKind::Number, filmfield::read<&OilFilm::requiredMargin>},
    FilmField{"max_pressure", "p_max, МПа", ResultKind::Number, filmfield::solved<&OilFilm::maxPressure>},
    FilmField{"max_pressure_angle", "Угол p_max, °", ResultKind::Number, filmfield::solved<&OilFilm::maxPressureAngle>},
    FilmField{"film_end_angle", "Конец слоя, °", ResultKind::Number, filmfield::solved<&OilFilm::filmEndAngle>},
    FilmField{"max_pressure_angle_from_load", "Угол p_max от нагрузки, °", ResultKind::Number,
        filmfield::solved<&OilFilm::maxPressureAngleFromLoad>},
    FilmField{"film_end_angle_from_load", "Конец слоя от нагрузки, °", ResultKind::Number,
        filmfield::solved<&OilFilm::filmEndAngleFromLoad>},
    FilmField{"pressure_ratio", "Отношение P/p_max", ResultKind::Number, filmfield::solved<&OilFilm::pressureRatio>},
    FilmField{"friction_coefficient", "Коэффициент трения f", ResultKind::Number,
        filmfield::solved<&OilFilm::frictionCoefficient>},
    FilmField{"friction_variable", "Параметр трения (r/c)·f", ResultKind::Number,
        filmfield::solved<&OilFilm::frictionVariable>},
    FilmField{"friction_torque", "Момент трения, Н·м", ResultKind::Number, filmfield::solved<&OilFilm::frictionTorque>},
    FilmField{"friction_power", "Мощность трения, Вт", ResultKind::Number, filmfield::solved<&OilFilm::frictionPower>},
    FilmField{"flow", "Q, см³/с", ResultKind::Number, filmfield::solved<&OilFilm::flow>},
    FilmField{"side_flow", "Q_s, см³/с", ResultKind::Number, filmfield::solved<&OilFilm::sideFlow>},
    FilmField{
        "flow_variable", "Параметр расхода Q/(r·c·N·L)", ResultKind::Number, filmfield::solved<&OilFilm::flowVariable>},
    FilmField{"side_flow_ratio", "Доля утечки Q_s/Q", ResultKind::Number, filmfield::solved<&OilFilm::sideFlowRatio>},
    FilmField{"passes", "Проходит", ResultKind::Flag, filmfield::passes},
};

}  // namespace bearing
