#pragma once

// The oil film's charts, as SVG elements, in the form of bearingcharts.h: pure functions
// (identical input gives identical bytes), Russian labels, units and legends, marks with
// ids and ticks with their value (data-value), for tests.
//
//   filmPressureSvg()     the pressure around the bearing in its middle plane against
//                         the angle from the thickest film (linear axes): the peak with
//                         its value and angle, the thinnest film, the load line, the
//                         film's end and the ruptured part after it
//   filmDesignChartSvg()  the classic design chart for the case's L/d: the thinnest film
//                         over the clearance against the Sommerfeld number (S on a
//                         logarithmic axis), the region beyond the model and the case's
//                         operating point
//
// Each takes the figures as numbers; filmPressureChartOf() and filmDesignChartOf() take
// them from a solved case. standaloneSvg() (svgwriter.h) turns an element into a file.

#include "oilfilm.h"

#include <optional>
#include <string>
#include <vector>

namespace bearing {

struct FilmPressureChart {
    std::vector<FilmPressurePoint> pressure;  // the middle plane, 0° to 360°; empty: no curve drawn
    double maxPressure = 0;                   // MPa
    double maxPressureAngle = 0;              // degrees from the thickest film, as every angle here
    double filmEndAngle = 0;
    double attitudeAngle = 0;  // φ: the load line lies at 180° − φ
    double meanPressure = 0;   // P = F/(L·d), MPa; not positive: no line drawn
    double eccentricity = 0;
    double sommerfeld = 0;
    double lengthRatio = 0;
    std::string decimalSeparator = ",";
};

[[nodiscard]] std::string filmPressureSvg(const FilmPressureChart& chart);

struct FilmDesignChart {
    double lengthRatio = 1;  // L/d; outside [filmMinLengthRatio, filmMaxLengthRatio]: no curve drawn
    // The case's S; none: no mark. With an ε in (0, 1) the case is a point (S, 1 − ε);
    // without one (no ε carries the load), a line at S.
    std::optional<double> sommerfeld;
    double eccentricity = 0;
    double minFilmThickness = 0;  // h_min, µm, for the legend
    std::string decimalSeparator = ",";
};

// Solves the design curve (filmDesignCurve()) for the chart's L/d.
[[nodiscard]] std::string filmDesignChartSvg(const FilmDesignChart& chart);

// The charts of one case. A case that is not solved (a fault, or a load beyond the film)
// gives a pressure chart without a curve and a design chart without a point.
[[nodiscard]] FilmPressureChart filmPressureChartOf(const OilFilm& film, std::string decimalSeparator);
[[nodiscard]] FilmDesignChart filmDesignChartOf(const OilFilm& film, std::string decimalSeparator);

}  // namespace bearing
