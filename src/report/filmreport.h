#pragma once

// The oil film's section of the calculation report: one case worked out in full, in
// Russian, for a checker reading on paper. The inputs as given and as read (the defaults
// said so), each formula of the dimensioned figures with its numbers put in, then what the
// solution of the Reynolds equation gave and how each figure follows from it, the verdict
// with its limit's message beside it, and the two charts of filmcharts.h inline.
//
// The section is an XHTML fragment (a <section> in the XHTML namespace, well-formed XML)
// that uses the calculation report's style classes (table cells "n" and "f", "verdict",
// "message", "pass", "fail"), so that it reads the same as the report around it. Like the
// report, it depends on nothing but its input: the same case gives the same bytes.

#include "oilfilm.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// One oil-film case: the texts as the user gave them, and what the core made of them.
struct FilmReportCase {
    std::string load;  // F, N
    std::string frequency;
    std::string diameter;
    std::string length;
    std::string clearance;
    std::string viscosity;
    std::optional<std::string> journalRoughness;  // none: not given, the default used
    std::optional<std::string> boreRoughness;
    std::optional<std::string> margin;
    OilFilm film;                         // solveOilFilm() of the texts above
    std::vector<std::string> messages{};  // messages other than the film's own (a batch's record refused)
    std::vector<std::string> carried{};   // a batch's own columns, as given (CalculationReport::carriedNames)

    [[nodiscard]] FilmTexts texts() const;
};

// The case of `texts`, solved.
[[nodiscard]] FilmReportCase filmReportCase(const FilmTexts& texts);

// The case worked out in full as a <section>; `decimalSeparator` in every number shown.
[[nodiscard]] std::string filmReportSectionHtml(const FilmReportCase& c, std::string_view decimalSeparator);

}  // namespace bearing
