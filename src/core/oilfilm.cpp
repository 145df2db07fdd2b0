#include "oilfilm.h"

#include "designcheck.h"
#include "inputfield.h"
#include "sizing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace bearing {

namespace {

// The solver's own π: the double nearest π. The check's single-precision π belongs to the
// sizing's formulas, not to the film.
constexpr double pi = 3.14159265358979323846;
constexpr double degreesPerRadian = 180.0 / pi;

// One row a fault, in the order of FilmFault. The four fields that the check also reads
// keep the check's codes and messages.
constexpr std::array<FaultText, 32> faultTexts{{
    {"none", ""},
    {"load_not_a_number", "Радиальное усилие задано не числом"},
    {"load_not_positive", "Радиальное усилие должно быть больше нуля"},
    {"load_overflow", messages::loadOutOfRange},
    {"frequency_not_a_number", "Частота вращения задана не числом"},
    {"frequency_not_positive", "Частота вращения должна быть больше нуля"},
    {"frequency_overflow", messages::frequencyOutOfRange},
    {"diameter_not_a_number", "Диаметр задан не числом"},
    {"diameter_not_positive", "Диаметр должен быть больше нуля"},
    {"diameter_overflow", "Ошибка: переполнение\r\n\r\nДиаметр выходит за пределы допустимого диапазона чисел"},
    {"length_not_a_number", "Длина задана не числом"},
    {"length_not_positive", "Длина должна быть больше нуля"},
    {"length_overflow", messages::lengthOutOfRange},
    {"clearance_not_a_number", "Диаметральный зазор задан не числом"},
    {"clearance_not_positive", "Диаметральный зазор должен быть больше нуля"},
    {"clearance_overflow",
        "Ошибка: переполнение\r\n\r\nДиаметральный зазор выходит за пределы допустимого диапазона чисел"},
    {"viscosity_not_a_number", "Динамическая вязкость масла задана не числом"},
    {"viscosity_not_positive", "Динамическая вязкость масла должна быть больше нуля"},
    {"viscosity_overflow",
        "Ошибка: переполнение\r\n\r\nДинамическая вязкость масла выходит за пределы допустимого диапазона чисел"},
    {"journal_roughness_not_a_number", "Шероховатость цапфы задана не числом"},
    {"journal_roughness_negative", "Шероховатость цапфы не может быть меньше нуля"},
    {"journal_roughness_overflow",
        "Ошибка: переполнение\r\n\r\nШероховатость цапфы выходит за пределы допустимого диапазона чисел"},
    {"bore_roughness_not_a_number", "Шероховатость вкладыша задана не числом"},
    {"bore_roughness_negative", "Шероховатость вкладыша не может быть меньше нуля"},
    {"bore_roughness_overflow",
        "Ошибка: переполнение\r\n\r\nШероховатость вкладыша выходит за пределы допустимого диапазона чисел"},
    {"film_margin_not_a_number", "Требуемый запас толщины масляного слоя задан не числом"},
    {"film_margin_not_positive", "Требуемый запас толщины масляного слоя должен быть больше нуля"},
    {"film_margin_overflow",
        "Ошибка: переполнение\r\n\r\nТребуемый запас толщины масляного слоя выходит за пределы допустимого "
        "диапазона чисел"},
    {"clearance_too_large",
        "Диаметральный зазор слишком велик: он должен быть не больше одной сотой диаметра\r\n"
        "(зазор задаётся в микрометрах, диаметр — в миллиметрах)"},
    {"length_ratio_out_of_range", "Отношение длины к диаметру должно быть от 0,1 до 4"},
    {"film_result_overflow",
        "Ошибка: переполнение\r\n\r\nРезультат расчёта масляного слоя выходит за пределы допустимого диапазона "
        "чисел\r\nПроверьте радиальное усилие, частоту вращения, размеры, зазор и вязкость"},
}};

// One row a limit, in the order of FilmLimit.
constexpr std::array<FaultText, 5> limitTexts{{
    {"none", ""},
    {"load_beyond_film",
        "Масляный слой не несёт эту нагрузку: даже при относительном эксцентриситете 0,98 "
        "его несущая способность меньше\r\nУвеличьте зазор не меньше чем до нужного, вязкость, частоту "
        "вращения или размеры подшипника"},
    {"film_not_converged", "Решение уравнения Рейнольдса не сошлось: результаты не приводятся"},
    {"film_thinner_than_roughness",
        "Наименьшая толщина масляного слоя меньше суммы шероховатостей цапфы и вкладыша: жидкостного трения "
        "нет, результаты расчёта масляного слоя недостоверны"},
    {"eccentricity_beyond_model",
        "Относительный эксцентриситет больше 0,95: масляный слой слишком тонок для принятой модели, "
        "результаты недостоверны"},
}};

const FaultText& faultText(FilmFault fault) { return faultTexts.at(static_cast<std::size_t>(fault)); }

// cos and sin from + − × ÷ alone: the grid's coefficients must come out bit for bit the
// same in the program and in the web page, whose mathematical libraries differ in the
// last place. The argument is reduced to |r| ≤ π/4 and the Taylor series taken to the
// term below 10^-17.
struct CosSin {
    double cos = 1;
    double sin = 0;
};

constexpr double inverseFactorial(int k)
{
    double product = 1;
    for (int i = 2; i <= k; ++i) {
        product *= i;
    }
    return 1 / product;
}

CosSin cosSin(double angle)
{
    constexpr double halfPiHigh = 1.5707963267948966;
    constexpr double halfPiLow = 6.123233995736766e-17;
    const double quadrant = std::floor(angle / halfPiHigh + 0.5);
    const double r = (angle - quadrant * halfPiHigh) - quadrant * halfPiLow;
    const double r2 = r * r;
    double c = inverseFactorial(16);
    double s = inverseFactorial(17);
    for (int k = 14; k >= 2; k -= 2) {
        c = inverseFactorial(k) - r2 * c;
        s = inverseFactorial(k + 1) - r2 * s;
    }
    c = 1.0 - r2 * c;
    s = r * (1.0 - r2 * s);
    switch (static_cast<int>(quadrant - 4.0 * std::floor(quadrant / 4.0))) {
    case 0: return {c, s};
    case 1: return {-s, c};
    case 2: return {-c, -s};
    default: return {s, -c};
    }
}

// The angle of the point (x, y), y ≥ 0, in radians from 0 to π, in the same arithmetic
// alone: atan t for 0 ≤ t ≤ 1 is reduced by atan t = π/6 + atan((√3·t − 1)/(√3 + t)) to
// |t| ≤ tan 15° and taken from its series to the term below 10^-17.
double angleOf(double y, double x)
{
    constexpr double sqrt3 = 1.7320508075688772;
    constexpr double tan15 = 0.2679491924311227;
    const double ax = std::abs(x);
    if (y == 0 && ax == 0) {
        return 0;
    }
    const bool steep = y > ax;
    double t = steep ? ax / y : y / ax;
    double base = 0;
    if (t > tan15) {
        t = (sqrt3 * t - 1) / (sqrt3 + t);
        base = pi / 6;
    }
    const double t2 = t * t;
    double series = 0;
    for (int k = 27; k >= 3; k -= 2) {
        series = 1.0 / k - t2 * series;
    }
    double angle = base + t * (1 - t2 * series);
    if (steep) {
        angle = pi / 2 - angle;
    }
    return x < 0 ? pi - angle : angle;
}

// The grid's circumferential coordinate: the nodes are even in s, and θ = s + a·sin s
// gathers them towards the thinnest film (θ = 180°), where the pressure peaks and the
// film ruptures, the more so the larger ε.
double circumferentialStretch(double eccentricity) { return 0.75 * eccentricity; }

// The axial coordinate: the nodes are even in η, and ζ = η + b·η·(1 − η²) gathers them
// towards the end, where a long bearing's pressure falls to ambient in a narrow band.
double axialStretch(double lengthRatio) { return std::min(0.4, 0.1 * lengthRatio); }

// Simpson's weights over an even number of equal steps.
double simpsonWeight(std::size_t k, std::size_t last, double step)
{
    if (k == 0 || k == last) {
        return step / 3;
    }
    return (k % 2 == 1 ? 4 : 2) * step / 3;
}

// The dimensionless Reynolds equation on the half film (0 ≤ ζ ≤ 1 from the middle plane
// to an end, ζ = 2y/L), with λ = (d/L)² and H = h/c = 1 + ε·cos θ:
//
//   ∂/∂θ (H³ ∂p̄/∂θ) + λ ∂/∂ζ (H³ ∂p̄/∂ζ) = 6 ∂H/∂θ,   p̄ ≥ 0
//
// with p̄ = 0 at θ = 0 (= 360°) and at ζ = 1, ∂p̄/∂ζ = 0 at ζ = 0. Finite volumes about
// each node, projected successive over-relaxation for the rupture condition; integrals
// by Simpson's rule in s and η.
class FilmSolver {
public:
    FilmSolver(double lengthRatio, FilmGrid grid);

    void solve(double eccentricity);
    void scalePressure(double factor)
    {
        for (double& p : m_pressure) {
            p *= factor;
        }
    }
    [[nodiscard]] double loadNumber() const { return m_loadNumber; }
    [[nodiscard]] double lengthRatio() const { return m_lengthRatio; }
    [[nodiscard]] FilmSolution solution() const;

private:
    void setUpCoefficients(double eccentricity);
    void relax();
    void integrateLoad();
    [[nodiscard]] double at(std::size_t i, std::size_t j) const { return m_pressure[j * m_columns + i]; }
    // Where the film of row j ruptures, in s; from the last two nodes under pressure, p
    // falling as the square of the distance to the rupture line (its gradient is zero there).
    [[nodiscard]] double ruptureS(std::size_t j) const;
    [[nodiscard]] double thetaOf(double s) const { return s + m_stretch * cosSin(s).sin; }
    [[nodiscard]] double filmAt(double s) const { return 1 + m_eccentricity * cosSin(thetaOf(s)).cos; }
    [[nodiscard]] double zetaOf(double eta) const { return eta + m_axialStretch * eta * (1 - eta * eta); }
    // Simpson's weight of row j for an integral over ζ from the middle plane to the end.
    [[nodiscard]] double rowWeight(std::size_t j) const
    {
        const double eta = static_cast<double>(j) * m_deta;
        return simpsonWeight(j, m_rows - 1, m_deta) * (1 + m_axialStretch * (1 - 3 * eta * eta));
    }

    double m_lengthRatio;
    FilmGrid m_grid;
    std::size_t m_columns;  // nodes around, 0 and the last both θ = 0, both at ambient pressure
    std::size_t m_rows;     // nodes along, 0 the middle plane, the last an end at ambient pressure
    double m_ds;
    double m_deta;
    double m_axialStretch;
    double m_eccentricity = -1;
    double m_stretch = 0;
    std::vector<double> m_theta, m_thetaPerS, m_film, m_cos, m_sin;
    std::vector<double> m_east, m_west, m_axial, m_source;
    std::vector<double> m_north, m_south;  // a row's axial factors towards the end and the middle
    std::vector<double> m_inverseCentre;   // per node
    std::vector<double> m_pressure;
    double m_loadNumber = 0;
    double m_loadAlong = 0;   // the film's force along the line of centres, towards the thickest film
    double m_loadAcross = 0;  // across it, against the rotation
    int m_sweeps = 0;         // over every solve so far
    int m_solves = 0;
    bool m_converged = false;
};

FilmSolver::FilmSolver(double lengthRatio, FilmGrid grid)
    : m_lengthRatio(lengthRatio)
    , m_grid(grid)
    , m_columns(static_cast<std::size_t>(grid.circumferential) + 1)
    , m_rows(static_cast<std::size_t>(grid.axial) + 1)
    , m_ds(2 * pi / grid.circumferential)
    , m_deta(1.0 / grid.axial)
    , m_axialStretch(axialStretch(lengthRatio))
    , m_theta(m_columns)
    , m_thetaPerS(m_columns)
    , m_film(m_columns)
    , m_cos(m_columns)
    , m_sin(m_columns)
    , m_east(m_columns)
    , m_west(m_columns)
    , m_axial(m_columns)
    , m_source(m_columns)
    , m_north(m_rows)
    , m_south(m_rows)
    , m_inverseCentre(m_columns * m_rows)
    , m_pressure(m_columns * m_rows, 0.0)
{
    const auto zetaAt = [this](double j) { return zetaOf(j * m_deta); };
    for (std::size_t j = 0; j + 1 < m_rows; ++j) {
        const auto row = static_cast<double>(j);
        // The middle row's volume reaches as far below the middle plane as above it.
        const double width = j == 0 ? 2 * zetaAt(0.5) : zetaAt(row + 0.5) - zetaAt(row - 0.5);
        m_north[j] = 1 / ((zetaAt(row + 1) - zetaAt(row)) * width);
        m_south[j] = j == 0 ? m_north[j] : 1 / ((zetaAt(row) - zetaAt(row - 1)) * width);
    }
}

void FilmSolver::setUpCoefficients(double eccentricity)
{
    m_eccentricity = eccentricity;
    m_stretch = circumferentialStretch(eccentricity);
    const double lambda = 1.0 / (m_lengthRatio * m_lengthRatio);
    const std::size_t n = m_columns - 1;
    for (std::size_t i = 0; i <= n; ++i) {
        const double s = static_cast<double>(i) * m_ds;
        const CosSin cs = cosSin(s);
        m_theta[i] = s + m_stretch * cs.sin;
        m_thetaPerS[i] = 1 + m_stretch * cs.cos;
        const CosSin at = cosSin(m_theta[i]);
        m_cos[i] = at.cos;
        m_sin[i] = at.sin;
        m_film[i] = 1 + eccentricity * at.cos;
    }
    for (std::size_t i = 1; i < n; ++i) {
        // The faces halfway between nodes in s; the volume is the node's share of θ.
        const double west = thetaOf((static_cast<double>(i) - 0.5) * m_ds);
        const double east = thetaOf((static_cast<double>(i) + 0.5) * m_ds);
        const double hWest = 1 + eccentricity * cosSin(west).cos;
        const double hEast = 1 + eccentricity * cosSin(east).cos;
        const double width = east - west;
        const double h = m_film[i];
        m_east[i] = hEast * hEast * hEast / ((m_theta[i + 1] - m_theta[i]) * width);
        m_west[i] = hWest * hWest * hWest / ((m_theta[i] - m_theta[i - 1]) * width);
        m_axial[i] = lambda * h * h * h;
        m_source[i] = 6 * (hEast - hWest) / width;
        for (std::size_t j = 0; j + 1 < m_rows; ++j) {
            m_inverseCentre[j * m_columns + i] = 1 / (m_east[i] + m_west[i] + m_axial[i] * (m_north[j] + m_south[j]));
        }
    }
}

void FilmSolver::relax()
{
    // The factor that suits the grid's slowest mode, the film between the thickest
    // section and the rupture taken as 1.2π long at H = 1.
    const double lambda = 1.0 / (m_lengthRatio * m_lengthRatio);
    const double around = 1.0 / (m_ds * m_ds);
    const double along = lambda / (m_deta * m_deta);
    const double jacobi
        = (around * cosSin(pi / (0.6 * m_grid.circumferential)).cos + along * cosSin(pi / (2.0 * m_grid.axial)).cos)
        / (around + along);
    const double omega = 2 / (1 + std::sqrt(1 - jacobi * jacobi));
    constexpr double tolerance = 1e-11;
    constexpr int maxSweeps = 20000;
    const std::size_t last = m_columns - 1;
    ++m_solves;
    // Beyond the thinnest film the source keeps a node at zero until a neighbour takes
    // pressure: each sweep goes two columns past the last node under pressure, and at
    // least to the thinnest film.
    std::size_t converging = 1;
    while (converging + 1 < last && m_source[converging] < 0) {
        ++converging;
    }
    std::size_t reach = last - 1;
    m_converged = false;
    for (int sweep = 1; sweep <= maxSweeps; ++sweep) {
        ++m_sweeps;
        double largestChange = 0;
        double largest = 0;
        std::size_t lastUnderPressure = converging;
        for (std::size_t j = 0; j + 1 < m_rows; ++j) {
            double* row = &m_pressure[j * m_columns];
            const double* up = row + m_columns;
            const double* down = j == 0 ? up : row - m_columns;
            const double* inverseCentre = &m_inverseCentre[j * m_columns];
            const double north = m_north[j];
            const double south = m_south[j];
            for (std::size_t i = 1; i <= reach; ++i) {
                const double seidel = (m_east[i] * row[i + 1] + m_west[i] * row[i - 1]
                                          + m_axial[i] * (north * up[i] + south * down[i]) - m_source[i])
                    * inverseCentre[i];
                const double relaxed = std::max(0.0, row[i] + omega * (seidel - row[i]));
                largestChange = std::max(largestChange, std::abs(relaxed - row[i]));
                largest = std::max(largest, relaxed);
                if (relaxed > 0) {
                    lastUnderPressure = std::max(lastUnderPressure, i);
                }
                row[i] = relaxed;
            }
        }
        reach = std::min(last - 1, lastUnderPressure + 2);
        if (largestChange <= tolerance * largest) {
            m_converged = true;
            return;
        }
    }
}

void FilmSolver::integrateLoad()
{
    // The end row and the columns at θ = 0 hold no pressure.
    const std::size_t last = m_columns - 1;
    double along = 0;
    double across = 0;
    for (std::size_t j = 0; j + 1 < m_rows; ++j) {
        const double weight = rowWeight(j);
        for (std::size_t i = 1; i < last; ++i) {
            const double p = at(i, j) * m_thetaPerS[i] * simpsonWeight(i, last, m_ds) * weight;
            along -= p * m_cos[i];
            across += p * m_sin[i];
        }
    }
    // Both halves of the length.
    m_loadAlong = 2 * along;
    m_loadAcross = 2 * across;
    m_loadNumber = std::sqrt(m_loadAlong * m_loadAlong + m_loadAcross * m_loadAcross);
}

void FilmSolver::solve(double eccentricity)
{
    if (eccentricity != m_eccentricity) {
        setUpCoefficients(eccentricity);
    }
    if (eccentricity == 0) {
        std::fill(m_pressure.begin(), m_pressure.end(), 0.0);
        m_converged = true;
    } else {
        relax();
    }
    integrateLoad();
}

double FilmSolver::ruptureS(std::size_t j) const
{
    std::size_t peak = 1;
    for (std::size_t i = 1; i + 1 < m_columns; ++i) {
        if (at(i, j) > at(peak, j)) {
            peak = i;
        }
    }
    std::size_t lastUnderPressure = peak;
    while (lastUnderPressure + 2 < m_columns && at(lastUnderPressure + 1, j) > 0) {
        ++lastUnderPressure;
    }
    const double rootLast = std::sqrt(at(lastUnderPressure, j));
    const double rootBefore = std::sqrt(at(lastUnderPressure - 1, j));
    double beyond = 1;
    if (rootBefore > rootLast) {
        beyond = std::min(1.0, rootLast / (rootBefore - rootLast));
    }
    return (static_cast<double>(lastUnderPressure) + beyond) * m_ds;
}

FilmSolution FilmSolver::solution() const
{
    FilmSolution solution;
    solution.lengthRatio = m_lengthRatio;
    solution.eccentricity = m_eccentricity;
    solution.converged = m_converged;
    solution.sweeps = m_sweeps;
    solution.solves = m_solves;
    solution.grid = m_grid;
    solution.loadNumber = m_loadNumber;
    solution.sommerfeld = 2 / (pi * m_loadNumber);
    solution.attitudeAngle = angleOf(m_loadAcross, m_loadAlong) * degreesPerRadian;

    // The peak lies in the middle plane; a parabola in s through the largest node and its
    // neighbours places it between nodes.
    std::size_t peak = 1;
    for (std::size_t i = 1; i + 1 < m_columns; ++i) {
        if (at(i, 0) > at(peak, 0)) {
            peak = i;
        }
    }
    const double before = at(peak - 1, 0);
    const double top = at(peak, 0);
    const double after = at(peak + 1, 0);
    const double curvature = before - 2 * top + after;
    double shift = 0;
    if (curvature < 0) {
        shift = 0.5 * (before - after) / curvature;
    }
    solution.maxPressureNumber = top - 0.25 * (before - after) * shift;
    solution.maxPressureAngle = thetaOf((static_cast<double>(peak) + shift) * m_ds) * degreesPerRadian;
    solution.pressureRatio = m_loadNumber / (4 * solution.maxPressureNumber);
    solution.filmEndAngle = thetaOf(ruptureS(0)) * degreesPerRadian;

    // (r/c)·f: the journal's shear µU/h + (h/2)·∂p/∂x over the whole circumference. The
    // first term integrates to 2π/√(1 − ε²) exactly; the second, by parts, to ε/2 times
    // the load across the line of centres.
    const double epsilon = m_eccentricity;
    solution.frictionVariable = 2 * pi * pi * solution.sommerfeld / std::sqrt(1 - epsilon * epsilon)
        + 0.5 * epsilon * m_loadAcross / m_loadNumber;

    // The flows over r·c·N·L: across the thickest section, 2π ∫₀¹ (H/2 − H³·∂p̄/∂θ / 12) dζ;
    // through both ends, −(π/6)·λ ∫ H³·∂p̄/∂ζ dθ at ζ = 1; through the rupture line,
    // π ∫₀¹ H(θ_rupture) dζ. Derivatives one-sided to second order.
    const double h0 = m_film[0];
    const std::size_t end = m_rows - 1;
    double inflow = 0;
    double rupture = 0;
    // ∂p̄/∂θ at θ = 0 from the cubic through it and the next three columns: the derivative
    // at θ = 0 of column k's Lagrange polynomial is Π(−θ_m) / Π(θ_k − θ_m), m ≠ 0, k.
    std::array<double, 4> weights{};
    for (std::size_t k = 1; k <= 3; ++k) {
        double numerator = 1;
        double denominator = m_theta[k];
        for (std::size_t m = 1; m <= 3; ++m) {
            if (m != k) {
                numerator *= -m_theta[m];
                denominator *= m_theta[k] - m_theta[m];
            }
        }
        weights.at(k) = numerator / denominator;
    }
    for (std::size_t j = 0; j <= end; ++j) {
        const double gradient = weights[1] * at(1, j) + weights[2] * at(2, j) + weights[3] * at(3, j);
        inflow += rowWeight(j) * (h0 / 2 - h0 * h0 * h0 * gradient / 12);
        // The end row is at ambient pressure throughout: the rows below it continue the
        // rupture line to the end by a straight line in η.
        const double film = j < end ? filmAt(ruptureS(j)) : 2 * filmAt(ruptureS(end - 1)) - filmAt(ruptureS(end - 2));
        rupture += rowWeight(j) * film;
    }
    const std::size_t last = m_columns - 1;
    // ∂p̄/∂ζ at the end from the parabola through the end and the two rows below it.
    const double zetaBelow = zetaOf(static_cast<double>(end - 1) * m_deta);
    const double zetaFurther = zetaOf(static_cast<double>(end - 2) * m_deta);
    const double weightBelow = (1 - zetaFurther) / ((zetaBelow - 1) * (zetaBelow - zetaFurther));
    const double weightFurther = (1 - zetaBelow) / ((zetaFurther - 1) * (zetaFurther - zetaBelow));
    double endGradient = 0;
    for (std::size_t i = 1; i < last; ++i) {
        const double gradient = weightBelow * at(i, end - 1) + weightFurther * at(i, end - 2);
        const double h = m_film[i];
        endGradient += h * h * h * gradient * m_thetaPerS[i] * simpsonWeight(i, last, m_ds);
    }
    solution.flowVariable = 2 * pi * inflow;
    solution.sideFlowVariable = -(pi / 6) / (m_lengthRatio * m_lengthRatio) * endGradient;
    solution.ruptureFlowVariable = pi * rupture;
    solution.sideFlowRatio = solution.sideFlowVariable / solution.flowVariable;

    solution.angles.resize(m_columns);
    std::transform(
        m_theta.begin(), m_theta.end(), solution.angles.begin(), [](double theta) { return theta * degreesPerRadian; });
    for (std::size_t j = 0; j < m_rows; ++j) {
        solution.positions.push_back(zetaOf(static_cast<double>(j) * m_deta));
    }
    solution.pressure = m_pressure;
    return solution;
}

// The load number of the closed forms: the short bearing's and the long bearing's with
// the film cut off at the thinnest section, joined as springs in series. It lies within
// some tens of per cent of the solution over ε and L/d, and only guides the search.
double approximateLoadNumber(double lengthRatio, double epsilon)
{
    const double e2 = epsilon * epsilon;
    const double q = 1 - e2;
    const double shortBearing = 2 * lengthRatio * lengthRatio * epsilon / (q * q) * std::sqrt(16 * e2 + pi * pi * q);
    const double along = 12 * e2 / ((2 + e2) * q);
    const double across = 6 * pi * epsilon / ((2 + e2) * std::sqrt(q));
    const double longBearing = 2 * std::sqrt(along * along + across * across);
    return 1 / (1 / shortBearing + 1 / longBearing);
}

// The solution's load number over the closed forms' is nearly a straight line in ε: the
// ε where that line times the closed forms gives the load sought, by bisection; the
// reach itself when even there the load is not reached.
double guidedEccentricity(double lengthRatio, double target, double ratio, double slope, double at)
{
    const auto carried = [&](double epsilon) {
        const double line = std::max(0.5 * ratio, ratio + slope * (epsilon - at));
        return line * approximateLoadNumber(lengthRatio, epsilon);
    };
    if (carried(filmSolverReach) <= target) {
        return filmSolverReach;
    }
    double low = 0;
    double high = filmSolverReach;
    for (int step = 0; step < 60; ++step) {
        const double middle = 0.5 * (low + high);
        (carried(middle) < target ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

// Below this ε the film is linear in ε to the grid's error and beyond: a lighter load is
// the solution at this ε scaled down (a grid cannot hold an ε near the rounding of 1 + ε).
constexpr double linearEccentricity = 1e-6;

enum class LoadSearch : std::uint8_t { Found, Lighter, Beyond };

// Finds ε for a load number: each step corrects the closed forms by the solution's ratio
// to them, a secant in that ratio once there are two steps; each solve starts from the
// last field, scaled to the load sought.
LoadSearch solveForLoad(FilmSolver& solver, double target)
{
    const double lengthRatio = solver.lengthRatio();
    double epsilon = std::max(linearEccentricity, guidedEccentricity(lengthRatio, target, 1, 0, 0));
    double lastEpsilon = -1;
    double lastRatio = 0;
    for (int step = 0; step < 50; ++step) {
        if (solver.loadNumber() > 0) {
            solver.scalePressure(target / solver.loadNumber());
        }
        solver.solve(epsilon);
        const double load = solver.loadNumber();
        if (std::abs(load - target) <= 1e-9 * target) {
            return LoadSearch::Found;
        }
        if (epsilon == filmSolverReach && load < target) {
            return LoadSearch::Beyond;
        }
        if (epsilon == linearEccentricity && load > target) {
            return LoadSearch::Lighter;
        }
        const double ratio = load / approximateLoadNumber(lengthRatio, epsilon);
        const double slope = lastEpsilon < 0 ? 0 : (ratio - lastRatio) / (epsilon - lastEpsilon);
        lastEpsilon = epsilon;
        lastRatio = ratio;
        const double next
            = std::max(linearEccentricity, guidedEccentricity(lengthRatio, target, ratio, slope, epsilon));
        if (next == epsilon) {
            return LoadSearch::Found;
        }
        epsilon = next;
    }
    return LoadSearch::Found;
}

// The solution at linearEccentricity carried over to a lighter load: pressure, ε and the
// load scale together; the angles stay; the flows keep their Couette part and scale the rest.
void scaleToLighterLoad(FilmSolution& s, double target)
{
    const double factor = target / s.loadNumber;
    const double reference = s.eccentricity;
    const double epsilon = reference * factor;
    const double couette = pi * (1 + reference);
    const double ruptureShift = (s.ruptureFlowVariable / pi - 1) / reference;
    s.eccentricity = epsilon;
    s.loadNumber = target;
    s.sommerfeld = 2 / (pi * target);
    s.maxPressureNumber *= factor;
    for (double& p : s.pressure) {
        p *= factor;
    }
    s.frictionVariable = 2 * pi * pi * s.sommerfeld / std::sqrt(1 - epsilon * epsilon)
        + 0.5 * epsilon * cosSin(s.attitudeAngle / degreesPerRadian).sin;
    s.flowVariable = pi * (1 + epsilon) + factor * (s.flowVariable - couette);
    s.sideFlowVariable *= factor;
    s.ruptureFlowVariable = pi * (1 + epsilon * ruptureShift);
    s.sideFlowRatio = s.sideFlowVariable / s.flowVariable;
}

FilmFault checkCombination(const FilmInput& input)
{
    if (!(input.clearance / 1000 <= filmMaxRelativeClearance * input.diameter)) {
        return FilmFault::ClearanceTooLarge;
    }
    const double lengthRatio = input.length / input.diameter;
    if (!(lengthRatio >= filmMinLengthRatio && lengthRatio <= filmMaxLengthRatio)) {
        return FilmFault::LengthRatioOutOfRange;
    }
    return FilmFault::None;
}

}  // namespace

std::string_view filmFaultCode(FilmFault fault) { return faultText(fault).code; }

std::string_view filmFaultMessage(FilmFault fault) { return faultText(fault).message; }

std::string_view filmLimitCode(FilmLimit limit) { return limitTexts.at(static_cast<std::size_t>(limit)).code; }

std::string_view filmLimitMessage(FilmLimit limit) { return limitTexts.at(static_cast<std::size_t>(limit)).message; }

FilmReading readFilmInput(const FilmTexts& texts)
{
    FilmReading reading;
    FilmInput& input = reading.input;
    const std::array<std::pair<std::string_view, std::pair<FieldFaults<FilmFault>, double*>>, 6> fields{{
        {texts.load, {{FilmFault::LoadNotANumber, FilmFault::LoadNotPositive, FilmFault::LoadOutOfRange}, &input.load}},
        {texts.frequency,
            {{FilmFault::FrequencyNotANumber, FilmFault::FrequencyNotPositive, FilmFault::FrequencyOutOfRange},
                &input.frequency}},
        {texts.diameter,
            {{FilmFault::DiameterNotANumber, FilmFault::DiameterNotPositive, FilmFault::DiameterOutOfRange},
                &input.diameter}},
        {texts.length,
            {{FilmFault::LengthNotANumber, FilmFault::LengthNotPositive, FilmFault::LengthOutOfRange}, &input.length}},
        {texts.clearance,
            {{FilmFault::ClearanceNotANumber, FilmFault::ClearanceNotPositive, FilmFault::ClearanceOutOfRange},
                &input.clearance}},
        {texts.viscosity,
            {{FilmFault::ViscosityNotANumber, FilmFault::ViscosityNotPositive, FilmFault::ViscosityOutOfRange},
                &input.viscosity}},
    }};
    for (const auto& [text, field] : fields) {
        reading.fault = readField(text, field.first, *field.second);
        if (reading.fault != FilmFault::None) {
            return reading;
        }
    }
    const std::array<
        std::pair<std::optional<std::string_view>, std::pair<FieldFaults<FilmFault>, std::optional<double>*>>, 3>
        optionalFields{{
            {texts.journalRoughness,
                {{FilmFault::JournalRoughnessNotANumber, FilmFault::JournalRoughnessNegative,
                     FilmFault::JournalRoughnessOutOfRange, FieldRange::NotNegative},
                    &input.journalRoughness}},
            {texts.boreRoughness,
                {{FilmFault::BoreRoughnessNotANumber, FilmFault::BoreRoughnessNegative,
                     FilmFault::BoreRoughnessOutOfRange, FieldRange::NotNegative},
                    &input.boreRoughness}},
            {texts.margin,
                {{FilmFault::MarginNotANumber, FilmFault::MarginNotPositive, FilmFault::MarginOutOfRange},
                    &input.margin}},
        }};
    for (const auto& [text, field] : optionalFields) {
        if (text) {
            double value = 0;
            reading.fault = readField(*text, field.first, value);
            if (reading.fault != FilmFault::None) {
                return reading;
            }
            *field.second = value;
        }
    }
    reading.fault = checkCombination(input);
    return reading;
}

FilmSolution solveFilmAt(double lengthRatio, double eccentricity, FilmGrid grid)
{
    FilmSolver solver(lengthRatio, grid);
    solver.solve(eccentricity);
    return solver.solution();
}

std::optional<FilmSolution> solveFilmFor(double lengthRatio, double sommerfeld, FilmGrid grid)
{
    FilmSolver solver(lengthRatio, grid);
    const double target = 2 / (pi * sommerfeld);
    const LoadSearch search = solveForLoad(solver, target);
    if (search == LoadSearch::Beyond) {
        return std::nullopt;
    }
    FilmSolution solution = solver.solution();
    if (search == LoadSearch::Lighter) {
        scaleToLighterLoad(solution, target);
    }
    return solution;
}

std::vector<FilmCurvePoint> filmDesignCurve(double lengthRatio, int points)
{
    std::vector<FilmCurvePoint> curve;
    if (points < 2) {
        return curve;
    }
    constexpr double thinnest = 1 - filmSolverReach;
    constexpr double thickest = 0.97;
    FilmSolver solver(lengthRatio, standardFilmGrid);
    // From the light load down, each solve starting from the last field.
    for (int k = points - 1; k >= 0; --k) {
        const double ratio = thinnest + (thickest - thinnest) * k / (points - 1);
        solver.solve(1 - ratio);
        curve.push_back(
            {.eccentricity = 1 - ratio, .sommerfeld = 2 / (pi * solver.loadNumber()), .minFilmRatio = ratio});
    }
    std::reverse(curve.begin(), curve.end());
    return curve;
}

OilFilm solveOilFilm(const FilmInput& input)
{
    OilFilm film;
    film.fault = checkCombination(input);
    if (film.fault != FilmFault::None) {
        return film;
    }
    film.journalRoughnessDefaulted = !input.journalRoughness;
    film.boreRoughnessDefaulted = !input.boreRoughness;
    film.marginDefaulted = !input.margin;
    film.journalRoughness = input.journalRoughness.value_or(defaultJournalRoughness);
    film.boreRoughness = input.boreRoughness.value_or(defaultBoreRoughness);
    film.requiredMargin = input.margin.value_or(defaultFilmMargin);
    film.roughnessSum = film.journalRoughness + film.boreRoughness;

    // SI units throughout: m, N, Pa, s.
    const double d = input.diameter / 1000;
    const double L = input.length / 1000;
    const double r = d / 2;
    const double c = input.clearance / 2e6;
    const double mu = input.viscosity;
    const double revolutions = input.frequency / 60;
    film.angularSpeed = 2 * pi * revolutions;
    film.relativeClearance = input.clearance / 1000 / input.diameter;
    film.radialClearance = input.clearance / 2;
    film.lengthRatio = input.length / input.diameter;
    const double meanPressure = input.load / (L * d);
    film.meanPressure = meanPressure / 1e6;
    film.sommerfeld = (r / c) * (r / c) * mu * revolutions / meanPressure;
    film.loadCoefficient
        = input.load * film.relativeClearance * film.relativeClearance / (mu * film.angularSpeed * L * d);
    for (const double figure : {meanPressure, film.sommerfeld, film.loadCoefficient, film.angularSpeed}) {
        if (!std::isnormal(figure) || !(figure > 0)) {
            OilFilm stopped;
            stopped.fault = FilmFault::ResultOutOfRange;
            return stopped;
        }
    }

    const std::optional<FilmSolution> found = solveFilmFor(film.lengthRatio, film.sommerfeld);
    if (!found) {
        film.limit = FilmLimit::LoadBeyondFilm;
        return film;
    }
    if (!found->converged) {
        film.limit = FilmLimit::NotConverged;
        return film;
    }
    const FilmSolution& s = *found;
    film.solved = true;
    film.eccentricity = s.eccentricity;
    film.attitudeAngle = s.attitudeAngle;
    film.minFilmThickness = film.radialClearance * (1 - s.eccentricity);
    film.filmMargin
        = film.roughnessSum > 0 ? film.minFilmThickness / film.roughnessSum : std::numeric_limits<double>::infinity();
    film.pressureRatio = s.pressureRatio;
    film.maxPressure = film.meanPressure / s.pressureRatio;
    film.maxPressureAngle = s.maxPressureAngle;
    film.filmEndAngle = s.filmEndAngle;
    // The load line lies φ before the thinnest film, that is at 180° − φ.
    const double loadLine = 180 - s.attitudeAngle;
    film.maxPressureAngleFromLoad = s.maxPressureAngle - loadLine;
    film.filmEndAngleFromLoad = s.filmEndAngle - loadLine;
    film.frictionVariable = s.frictionVariable;
    film.frictionCoefficient = s.frictionVariable * film.relativeClearance;
    film.frictionTorque = film.frictionCoefficient * input.load * r;
    film.frictionPower = film.frictionTorque * film.angularSpeed;
    film.flowVariable = s.flowVariable;
    film.sideFlowRatio = s.sideFlowRatio;
    film.flow = s.flowVariable * r * c * revolutions * L * 1e6;
    film.sideFlow = s.sideFlowVariable * r * c * revolutions * L * 1e6;
    // A dimensioned figure that overflowed, or vanished below the smallest double, is no answer.
    for (const double figure :
        {film.minFilmThickness, film.maxPressure, film.frictionTorque, film.frictionPower, film.flow}) {
        if (!std::isnormal(figure) || !(figure > 0)) {
            OilFilm stopped;
            stopped.fault = FilmFault::ResultOutOfRange;
            return stopped;
        }
    }

    if (film.filmMargin < 1) {
        film.limit = FilmLimit::FilmThinnerThanRoughness;
    } else if (s.eccentricity > filmModelReach) {
        film.limit = FilmLimit::EccentricityBeyondModel;
    }
    film.passes = film.limit == FilmLimit::None && film.filmMargin >= film.requiredMargin;

    const std::size_t columns = s.angles.size();
    film.midPlanePressure.reserve(columns);
    const double scale = film.meanPressure / (s.loadNumber / 4);
    for (std::size_t i = 0; i < columns; ++i) {
        film.midPlanePressure.push_back({.angle = s.angles[i], .pressure = s.pressure[i] * scale});
    }
    return film;
}

OilFilm solveOilFilm(const FilmTexts& texts)
{
    const FilmReading reading = readFilmInput(texts);
    if (reading.fault != FilmFault::None) {
        OilFilm stopped;
        stopped.fault = reading.fault;
        return stopped;
    }
    return solveOilFilm(reading.input);
}

std::vector<std::string> filmLines(const OilFilm& film, std::string_view decimalSeparator)
{
    std::vector<std::string> lines;
    if (film.fault != FilmFault::None) {
        return lines;
    }
    const auto n = [decimalSeparator](double value) { return formatCheckFigure(value, decimalSeparator); };
    const auto given = [](bool defaulted) { return defaulted ? std::string(" (по умолчанию)") : std::string(); };
    lines.push_back("относительный зазор ψ = Δ/d = " + n(film.relativeClearance) + ", L/d = " + n(film.lengthRatio));
    lines.push_back("среднее давление P = F/(L·d) = " + n(film.meanPressure) + " МПа");
    lines.push_back(
        "число Зоммерфельда S = " + n(film.sommerfeld) + ", коэффициент нагруженности Φ = " + n(film.loadCoefficient));
    lines.push_back("шероховатость Rz_ц = " + n(film.journalRoughness) + " мкм" + given(film.journalRoughnessDefaulted)
        + ", Rz_в = " + n(film.boreRoughness) + " мкм" + given(film.boreRoughnessDefaulted));
    if (film.solved) {
        lines.push_back("относительный эксцентриситет ε = " + n(film.eccentricity)
            + ", угол положения φ = " + n(film.attitudeAngle) + "°");
        lines.push_back("наименьшая толщина слоя h_min = " + n(film.minFilmThickness)
            + " мкм, запас h_min/(Rz_ц + Rz_в) = " + n(film.filmMargin) + ", требуется " + n(film.requiredMargin)
            + given(film.marginDefaulted));
        lines.push_back("наибольшее давление p_max = " + n(film.maxPressure) + " МПа при " + n(film.maxPressureAngle)
            + "° от наибольшего зазора (" + n(film.maxPressureAngleFromLoad)
            + "° от линии нагрузки), P/p_max = " + n(film.pressureRatio));
        lines.push_back("слой кончается при " + n(film.filmEndAngle) + "° от наибольшего зазора ("
            + n(film.filmEndAngleFromLoad) + "° от линии нагрузки)");
        lines.push_back(
            "коэффициент трения f = " + n(film.frictionCoefficient) + ", (r/c)·f = " + n(film.frictionVariable));
        lines.push_back(
            "момент трения = " + n(film.frictionTorque) + " Н·м, мощность трения = " + n(film.frictionPower) + " Вт");
        lines.push_back("расход масла в слой Q = " + n(film.flow)
            + " см³/с, утечка через торцы Q_s = " + n(film.sideFlow) + " см³/с");
        lines.push_back("Q/(r·c·N·L) = " + n(film.flowVariable) + ", Q_s/Q = " + n(film.sideFlowRatio));
    } else {
        lines.push_back(
            "требуемый запас h_min/(Rz_ц + Rz_в) = " + n(film.requiredMargin) + given(film.marginDefaulted));
    }
    lines.push_back("итог: " + std::string(verdictWord(film.passes)));
    return lines;
}

}  // namespace bearing
