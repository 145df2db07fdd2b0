#include "oilfilm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace bearing {
namespace {

constexpr double pi = 3.14159265358979323846;

// The short bearing (the circumferential flow neglected) in closed form:
// S = (d/L)²·(1 − ε²)² / (π·ε·√(π²·(1 − ε²) + 16·ε²)), tan φ = π·√(1 − ε²) / (4·ε).
// Its error falls as (L/d)².
double shortBearingSommerfeld(double lengthRatio, double e)
{
    const double q = 1 - e * e;
    return q * q / (lengthRatio * lengthRatio * pi * e * std::sqrt(pi * pi * q + 16 * e * e));
}

double shortBearingAttitude(double e) { return std::atan(pi * std::sqrt(1 - e * e) / (4 * e)) * 180 / pi; }

// The infinitely long bearing (the axial flow neglected), integrated here on its own in
// one dimension: p = 0 at the thickest film, H³·p' = 6·(H − H(θc)), and θc where p
// returns to zero (its gradient is then zero too). Trapezoids over 20000 steps.
struct LongBearing {
    double sommerfeld = 0;
    double attitudeAngle = 0;
};

LongBearing longBearing(double e)
{
    constexpr int steps = 20000;
    const auto film = [e](double t) { return 1 + e * std::cos(t); };
    const auto slope = [&](double t, double rupture) {
        const double h = film(t);
        return 6 * (h - film(rupture)) / (h * h * h);
    };
    const auto integrate = [&](double rupture, double& along, double& across) {
        const double dt = rupture / steps;
        double p = 0;
        along = 0;
        across = 0;
        for (int k = 1; k <= steps; ++k) {
            const double t = k * dt;
            const double next = p + 0.5 * dt * (slope(t - dt, rupture) + slope(t, rupture));
            along -= 0.5 * dt * (p * std::cos(t - dt) + next * std::cos(t));
            across += 0.5 * dt * (p * std::sin(t - dt) + next * std::sin(t));
            p = next;
        }
        return p;
    };
    double low = pi;
    double high = 2 * pi;
    double along = 0;
    double across = 0;
    for (int k = 0; k < 50; ++k) {
        const double middle = 0.5 * (low + high);
        (integrate(middle, along, across) > 0 ? low : high) = middle;
    }
    integrate(0.5 * (low + high), along, across);
    // Per unit of ζ from −1 to 1: twice the one-dimensional load.
    const double load = 2 * std::hypot(along, across);
    return {.sommerfeld = 2 / (pi * load), .attitudeAngle = std::atan2(across, along) * 180 / pi};
}

struct EccentricityCase {
    const char* name;
    double eccentricity;
};
// ctest lists a case by its name, not by its bytes.
void PrintTo(const EccentricityCase& c, std::ostream* os) { *os << c.name; }

class FilmLimits : public testing::TestWithParam<EccentricityCase> { };

TEST_P(FilmLimits, ShortBearingFormIsReachedAsTheBearingShortens)
{
    const double e = GetParam().eccentricity;
    const FilmSolution tenth = solveFilmAt(0.1, e);
    const FilmSolution fifth = solveFilmAt(0.2, e);
    // What the short-bearing form promises at L/d = 0.1: a few per cent.
    EXPECT_NEAR(tenth.sommerfeld / shortBearingSommerfeld(0.1, e), 1, 0.04);
    // The limit itself, from the two lengths with an error that falls as (L/d)².
    const double limit = (4 * tenth.sommerfeld * 0.01 - fifth.sommerfeld * 0.04) / 3;
    EXPECT_NEAR(limit / shortBearingSommerfeld(1, e), 1, 0.005);
    EXPECT_NEAR((4 * tenth.attitudeAngle - fifth.attitudeAngle) / 3, shortBearingAttitude(e), 0.3);
}

TEST_P(FilmLimits, LongBearingFormIsReachedAsTheBearingLengthens)
{
    const double e = GetParam().eccentricity;
    // Long bearings need rows near the ends, where the pressure falls to ambient.
    const FilmGrid grid{.circumferential = 96, .axial = 80};
    const FilmSolution sixteen = solveFilmAt(16, e, grid);
    const FilmSolution thirtyTwo = solveFilmAt(32, e, grid);
    const LongBearing limit = longBearing(e);
    // The ends' leakage falls as d/L: the limit from the two lengths.
    EXPECT_NEAR((2 * thirtyTwo.sommerfeld - sixteen.sommerfeld) / limit.sommerfeld, 1, 0.005);
    EXPECT_NEAR(2 * thirtyTwo.attitudeAngle - sixteen.attitudeAngle, limit.attitudeAngle, 0.3);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilmLimits,
    testing::Values(EccentricityCase{"Light", 0.2}, EccentricityCase{"Middle", 0.5}, EccentricityCase{"Heavy", 0.8}),
    [](const auto& info) { return info.param.name; });

struct GridCase {
    const char* name;
    double lengthRatio;
    double eccentricity;
};
// ctest lists a case by its name, not by its bytes.
void PrintTo(const GridCase& c, std::ostream* os) { *os << c.name; }

const std::vector<GridCase> gridCases{
    {"ShortLight", 0.25, 0.3},
    {"ShortHeavy", 0.25, 0.9},
    {"SquareLight", 1, 0.1},
    {"SquareMiddle", 1, 0.6},
    {"SquareAtTheModelsReach", 1, 0.95},
    {"LongMiddle", 4, 0.5},
    {"LongHeavy", 4, 0.9},
};

class FilmSolutions : public testing::TestWithParam<GridCase> { };

TEST_P(FilmSolutions, FlowIntoTheFilmLeavesThroughTheRuptureLineAndTheEnds)
{
    const FilmSolution s = solveFilmAt(GetParam().lengthRatio, GetParam().eccentricity);
    ASSERT_TRUE(s.converged);
    EXPECT_NEAR((s.ruptureFlowVariable + s.sideFlowVariable) / s.flowVariable, 1, 0.005);
}

TEST_P(FilmSolutions, StandardGridIsWithinHalfAPercentOfOneFourTimesFiner)
{
    const GridCase& c = GetParam();
    const FilmSolution standard = solveFilmAt(c.lengthRatio, c.eccentricity);
    const FilmGrid fine{.circumferential = 4 * standardFilmGrid.circumferential, .axial = 4 * standardFilmGrid.axial};
    EXPECT_NEAR(standard.sommerfeld / solveFilmAt(c.lengthRatio, c.eccentricity, fine).sommerfeld, 1, 0.005);
    // The eccentricity found for the standard grid's S: the standard grid returns its own
    // ε, the finer one an ε within half a per cent.
    const std::optional<FilmSolution> back = solveFilmFor(c.lengthRatio, standard.sommerfeld);
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->eccentricity, c.eccentricity, 1e-8);
    const std::optional<FilmSolution> fineBack = solveFilmFor(c.lengthRatio, standard.sommerfeld, fine);
    ASSERT_TRUE(fineBack);
    EXPECT_NEAR(fineBack->eccentricity / c.eccentricity, 1, 0.005);
}

TEST_P(FilmSolutions, PressureIsEvenAboutTheMiddlePlaneAndAtAmbientOnItsEdges)
{
    const FilmSolution s = solveFilmAt(GetParam().lengthRatio, GetParam().eccentricity);
    const std::size_t columns = s.angles.size();
    const std::size_t rows = s.positions.size();
    const auto p = [&](std::size_t i, std::size_t j) { return s.pressure[j * columns + i]; };
    const double z1 = s.positions[1];
    const double z2 = s.positions[2];
    for (std::size_t i = 0; i < columns; ++i) {
        EXPECT_EQ(p(i, rows - 1), 0.0);
        // The slope at ζ = 0 of the parabola through the three rows nearest the middle:
        // nothing beside the rounding of an even profile.
        const double slope
            = p(i, 1) * z2 / (z1 * (z2 - z1)) - p(i, 2) * z1 / (z2 * (z2 - z1)) - p(i, 0) * (z1 + z2) / (z1 * z2);
        EXPECT_LE(std::abs(slope) * z1, 0.02 * s.maxPressureNumber) << "column " << i;
    }
    for (std::size_t j = 0; j < rows; ++j) {
        EXPECT_EQ(p(0, j), 0.0);
        EXPECT_EQ(p(columns - 1, j), 0.0);
    }
    // The film ruptures past the thinnest film and before it would reform.
    EXPECT_GT(s.filmEndAngle, 180);
    EXPECT_LT(s.filmEndAngle, 270);
    EXPECT_LT(s.maxPressureAngle, 180);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilmSolutions, testing::ValuesIn(gridCases), [](const auto& info) { return info.param.name; });

TEST(FilmSolution, ShortBearingsPressureFallsAlongAsAParabola)
{
    // At L/d = 0.1 the axial flow rules: p(ζ) = p(0)·(1 − ζ²) to the short form's error.
    const FilmSolution s = solveFilmAt(0.1, 0.5);
    const std::size_t columns = s.angles.size();
    for (std::size_t i = 1; i + 1 < columns; ++i) {
        const double middle = s.pressure[i];
        for (std::size_t j = 1; j < s.positions.size(); ++j) {
            const double z = s.positions[j];
            EXPECT_NEAR(s.pressure[j * columns + i], middle * (1 - z * z), 0.01 * s.maxPressureNumber);
        }
    }
}

// A case's texts: load, frequency, diameter, length, clearance, viscosity.
FilmTexts texts(const char* load, const char* frequency, const char* diameter, const char* length,
    const char* clearance, const char* viscosity)
{
    return {load, frequency, diameter, length, clearance, viscosity, {}, {}, {}};
}

// The worked example: 10 kN at 1500 rpm on d = L = 80 mm, Δ = 120 µm, µ = 0.02 Pa·s.
// ψ = 0.12/80 = 0.0015; r/c = 40/0.06 = 666.67; P = 10000/(0.08·0.08) = 1.5625 MPa;
// N = 25 rev/s; S = 666.67²·0.02·25/1.5625e6 = 0.142222; Φ = 1/(2π·S) = 1.119058.
const FilmTexts workedExample = texts("10000", "1500", "80", "80", "120", "0.02");

TEST(OilFilm, WorkedExampleRunsOnAFilmTwiceTheRoughnesses)
{
    const OilFilm film = solveOilFilm(workedExample);
    ASSERT_EQ(film.fault, FilmFault::None);
    EXPECT_EQ(film.limit, FilmLimit::None);
    EXPECT_NEAR(film.relativeClearance, 0.0015, 1e-15);
    EXPECT_NEAR(film.sommerfeld, 0.1422222, 1e-7);
    EXPECT_NEAR(film.loadCoefficient, 1.119058, 1e-6);
    EXPECT_NEAR(film.meanPressure, 1.5625, 1e-12);
    EXPECT_TRUE(film.journalRoughnessDefaulted && film.boreRoughnessDefaulted && film.marginDefaulted);
    EXPECT_EQ(film.roughnessSum, defaultJournalRoughness + defaultBoreRoughness);
    EXPECT_NEAR(film.minFilmThickness, 60 * (1 - film.eccentricity), 1e-12);
    EXPECT_GT(film.filmMargin, 2);
    EXPECT_TRUE(film.passes);
    // The pressure in the middle plane peaks at the peak pressure and its angle.
    double peak = 0;
    for (const FilmPressurePoint& point : film.midPlanePressure) {
        peak = std::max(peak, point.pressure);
    }
    EXPECT_NEAR(peak / film.maxPressure, 1, 0.01);
    // The case lies on the design chart's curve for its L/d.
    const std::vector<FilmCurvePoint> curve = filmDesignCurve(film.lengthRatio);
    const double ratio = 1 - film.eccentricity;
    for (std::size_t k = 1; k < curve.size(); ++k) {
        EXPECT_GT(curve[k].sommerfeld, curve[k - 1].sommerfeld);
        if (curve[k - 1].minFilmRatio < ratio && ratio <= curve[k].minFilmRatio) {
            const double share
                = (ratio - curve[k - 1].minFilmRatio) / (curve[k].minFilmRatio - curve[k - 1].minFilmRatio);
            const double logS = std::log(curve[k - 1].sommerfeld)
                + share * (std::log(curve[k].sommerfeld) - std::log(curve[k - 1].sommerfeld));
            EXPECT_NEAR(std::exp(logS) / film.sommerfeld, 1, 0.01);
        }
    }
}

struct LightLoad {
    const char* name;
    const char* load;
};
// ctest lists a case by its name, not by its bytes.
void PrintTo(const LightLoad& c, std::ostream* os) { *os << c.name; }

class LightLoads : public testing::TestWithParam<LightLoad> { };

TEST_P(LightLoads, LosePetroffsTorqueAndDragHalfTheClearanceAlong)
{
    // d = L = 100 mm, Δ = 100 µm, µ = 0.05 Pa·s, 3000 rpm: at 10 N S ≈ 2500 and ε ≈ 10⁻⁴;
    // at 1 mN ε lies below what the grid holds, and the film is scaled down from there.
    // Petroff: T = 2π·µ·ω·r³·L/c; the flow U·c·L/2 = ω·r·c·L/2.
    const OilFilm film = solveOilFilm(texts(GetParam().load, "3000", "100", "100", "100", "0.05"));
    ASSERT_TRUE(film.solved);
    const double omega = 2 * pi * 50;
    const double r = 0.05;
    const double c = 50e-6;
    EXPECT_NEAR(film.frictionTorque / (2 * pi * 0.05 * omega * r * r * r * 0.1 / c), 1, 1e-3);
    EXPECT_NEAR(film.frictionPower / (film.frictionTorque * omega), 1, 1e-12);
    EXPECT_NEAR(film.flow / (omega * r * c * 0.1 / 2 * 1e6), 1, 1e-3);
    EXPECT_NEAR(film.minFilmThickness / 50, 1, 1e-3);
    // Not 90°: the film that ruptures carries no load before the line of centres, even
    // at the lightest load; the 1958 tables give 85° for L/d = 1 in this limit.
    EXPECT_NEAR(film.attitudeAngle, 85, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, LightLoads,
    testing::Values(LightLoad{"TenNewtons", "10"}, LightLoad{"OneMillinewton", "0.001"}),
    [](const auto& info) { return info.param.name; });

struct CaseRow {
    const char* name;
    FilmTexts texts;
    FilmFault fault;
    FilmLimit limit;
    bool solved;
    bool passes;
};
// ctest lists a case by its name, not by its bytes.
void PrintTo(const CaseRow& c, std::ostream* os) { *os << c.name; }

FilmTexts withSurfaces(FilmTexts t, const char* journal, const char* bore, const char* margin)
{
    t.journalRoughness = journal;
    t.boreRoughness = bore;
    if (margin != nullptr) {
        t.margin = margin;
    }
    return t;
}

const std::vector<CaseRow> caseRows{
    {"WorkedExample", workedExample, FilmFault::None, FilmLimit::None, true, true},
    // h_min ≈ 27 µm is 2.8 times the default roughnesses, not 3.
    {"MarginAboveTheRuleFails", withSurfaces(workedExample, "3.2", "6,3", "3"), FilmFault::None, FilmLimit::None, true,
        false},
    {"RougherThanTheFilm", withSurfaces(workedExample, "20", "20", nullptr), FilmFault::None,
        FilmLimit::FilmThinnerThanRoughness, true, false},
    // S = 0.00569 at 250 kN: ε ≈ 0.965, on smooth surfaces.
    {"BeyondTheModel", withSurfaces(texts("250000", "1500", "80", "80", "120", "0.02"), "0", "-0", nullptr),
        FilmFault::None, FilmLimit::EccentricityBeyondModel, true, false},
    {"LoadBeyondTheFilm", texts("2e6", "1500", "80", "80", "120", "0.02"), FilmFault::None, FilmLimit::LoadBeyondFilm,
        false, false},
    {"EmptyLoad", texts("", "1500", "80", "80", "120", "0.02"), FilmFault::LoadNotANumber, FilmLimit::None, false,
        false},
    {"FrequencyZero", texts("10000", "0", "80", "80", "120", "0.02"), FilmFault::FrequencyNotPositive, FilmLimit::None,
        false, false},
    {"DiameterBeyondTheDoubles", texts("10000", "1500", "1e999", "80", "120", "0.02"), FilmFault::DiameterOutOfRange,
        FilmLimit::None, false, false},
    {"LengthNegative", texts("10000", "1500", "80", "-80", "120", "0.02"), FilmFault::LengthNotPositive,
        FilmLimit::None, false, false},
    {"ClearanceWithItsUnit", texts("10000", "1500", "80", "80", "120 мкм", "0.02"), FilmFault::ClearanceNotANumber,
        FilmLimit::None, false, false},
    {"ClearanceZero", texts("10000", "1500", "80", "80", "0", "0.02"), FilmFault::ClearanceNotPositive, FilmLimit::None,
        false, false},
    {"ClearanceBelowTheDoubles", texts("10000", "1500", "80", "80", "1e-400", "0.02"), FilmFault::ClearanceOutOfRange,
        FilmLimit::None, false, false},
    {"ViscosityInWords", texts("10000", "1500", "80", "80", "120", "масло"), FilmFault::ViscosityNotANumber,
        FilmLimit::None, false, false},
    {"ViscosityNegative", texts("10000", "1500", "80", "80", "120", "-0.02"), FilmFault::ViscosityNotPositive,
        FilmLimit::None, false, false},
    {"ViscosityBeyondTheDoubles", texts("10000", "1500", "80", "80", "120", "1e400"), FilmFault::ViscosityOutOfRange,
        FilmLimit::None, false, false},
    {"JournalRoughnessEmpty", withSurfaces(workedExample, "", "6.3", nullptr), FilmFault::JournalRoughnessNotANumber,
        FilmLimit::None, false, false},
    {"JournalRoughnessNegative", withSurfaces(workedExample, "-1", "6.3", nullptr), FilmFault::JournalRoughnessNegative,
        FilmLimit::None, false, false},
    {"BoreRoughnessBeyondTheDoubles", withSurfaces(workedExample, "3.2", "1e309", nullptr),
        FilmFault::BoreRoughnessOutOfRange, FilmLimit::None, false, false},
    {"BoreRoughnessNegative", withSurfaces(workedExample, "3.2", "-6.3", nullptr), FilmFault::BoreRoughnessNegative,
        FilmLimit::None, false, false},
    {"MarginZero", withSurfaces(workedExample, "3.2", "6.3", "0"), FilmFault::MarginNotPositive, FilmLimit::None, false,
        false},
    {"MarginTwoPoints", withSurfaces(workedExample, "3.2", "6.3", "2.0.0"), FilmFault::MarginNotANumber,
        FilmLimit::None, false, false},
    // Δ given in mm instead of µm: 120 mm on an 80 mm journal.
    {"ClearanceAboveTheDiameter", texts("10000", "1500", "80", "80", "120000", "0.02"), FilmFault::ClearanceTooLarge,
        FilmLimit::None, false, false},
    {"ClearanceJustAboveOneHundredth", texts("10000", "1500", "80", "80", "801", "0.02"), FilmFault::ClearanceTooLarge,
        FilmLimit::None, false, false},
    {"ClearanceAtOneHundredthIsAnswered", texts("10000", "1500", "80", "80", "800", "0.2"), FilmFault::None,
        FilmLimit::None, true, true},
    {"NarrowerThanTheGridHolds", texts("10000", "1500", "80", "7.9", "120", "0.02"), FilmFault::LengthRatioOutOfRange,
        FilmLimit::None, false, false},
    {"LongerThanTheGridHolds", texts("10000", "1500", "80", "321", "120", "0.02"), FilmFault::LengthRatioOutOfRange,
        FilmLimit::None, false, false},
    // d = L = 10¹⁵⁰ mm under 10³⁰⁰ N: S = 0.5, but the torque is beyond the doubles.
    {"TorqueBeyondTheDoubles", texts("1e300", "1500", "1e150", "1e150", "1e150", "0.02"), FilmFault::ResultOutOfRange,
        FilmLimit::None, false, false},
    {"ViscosityVanishingBelowTheDoubles", texts("10000", "1500", "80", "80", "120", "1e-320"),
        FilmFault::ResultOutOfRange, FilmLimit::None, false, false},
};

class OilFilmCases : public testing::TestWithParam<CaseRow> { };

TEST_P(OilFilmCases, EndInTheirFaultLimitAndVerdict)
{
    const CaseRow& c = GetParam();
    const OilFilm film = solveOilFilm(c.texts);
    EXPECT_EQ(filmFaultCode(film.fault), filmFaultCode(c.fault));
    EXPECT_EQ(filmLimitCode(film.limit), filmLimitCode(c.limit));
    EXPECT_EQ(film.solved, c.solved);
    EXPECT_EQ(film.passes, c.passes);
    if (film.solved) {
        EXPECT_TRUE(std::isfinite(film.eccentricity) && film.eccentricity > 0 && film.eccentricity < 1);
        EXPECT_NEAR(film.loadCoefficient * 2 * pi * film.sommerfeld, 1, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OilFilmCases, testing::ValuesIn(caseRows), [](const auto& info) { return info.param.name; });

TEST(OilFilm, EveryFaultAndLimitHasItsOwnCodeAndARussianMessage)
{
    std::set<std::string_view> codes;
    const auto russian = [](std::string_view message) {
        return message.size() > 20 && message.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string_view::npos;
    };
    for (int i = 1; i <= static_cast<int>(FilmFault::ResultOutOfRange); ++i) {
        const auto fault = static_cast<FilmFault>(i);
        EXPECT_TRUE(codes.insert(filmFaultCode(fault)).second) << filmFaultCode(fault);
        EXPECT_TRUE(russian(filmFaultMessage(fault))) << filmFaultCode(fault);
    }
    for (int i = 1; i <= static_cast<int>(FilmLimit::EccentricityBeyondModel); ++i) {
        const auto limit = static_cast<FilmLimit>(i);
        EXPECT_TRUE(codes.insert(filmLimitCode(limit)).second) << filmLimitCode(limit);
        EXPECT_TRUE(russian(filmLimitMessage(limit))) << filmLimitCode(limit);
    }
    EXPECT_EQ(filmFaultCode(FilmFault::ClearanceNotANumber), "clearance_not_a_number");
    EXPECT_EQ(filmFaultMessage(FilmFault::None), "");
}

}  // namespace
}  // namespace bearing
