#pragma once

// The calculation report: one self-contained Russian HTML file (CSS and SVG inline, no
// script, nothing fetched) that a checker reads in a browser and prints on A4. The
// command line fills the cases from what the core gave it; the report only renders
// them, so that it shows the same figures as every other face of the program.
//
// One case is worked out in full: the inputs as given, the material and its limits,
// each formula with its numbers put in, the results as shown and unrounded, the
// messages and the charts. Several cases (every material, a batch) work out the first
// case that reached its results, then list every case in one table.
//
// The output is well-formed XML as well as HTML, and depends on nothing but its input:
// the date is a parameter (reportDate() writes one from a time stamp), so that the same
// calculation gives the same bytes.

#include "designcheck.h"
#include "filmreport.h"
#include "materialcatalogue.h"
#include "press.h"
#include "sizing.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// One sizing, as the bearing window's buttons ran it.
struct SizingReportCase {
    std::string materialText;                // the material as the user gave it
    std::optional<MaterialRecord> material;  // none: it was not found (the messages say why)
    std::string groupName;                   // "без смазки" or "со смазкой"; may be empty
    std::string load;                        // texts as given
    std::string frequency;
    std::optional<std::string> length;     // none: only the sizing ran
    std::vector<std::string> shownLines;   // the window's result texts, in order, as shown
    std::vector<std::string> messages;     // every message of the case, in order
    std::optional<SizingFigures> figures;  // present when the run reached its results
    std::optional<DiameterForLength> forLength;
    std::vector<std::string> carried{};  // a batch's own columns, as given (CalculationReport::carriedNames)
};

// The case of one press of the bearing window's buttons, for `input`: the result texts
// as the press left them ("Минимальный диаметр: " before the box's text, as the window's
// label reads), its messages in order and its figures.
[[nodiscard]] SizingReportCase sizingReportCase(std::string materialText, std::optional<MaterialRecord> material,
    std::string groupName, const PressInput& input, bool withLength, const PressResult& press);

// One design check.
struct CheckReportCase {
    std::string materialText;
    std::optional<MaterialRecord> material;
    std::string groupName;
    std::string load;
    std::string frequency;
    std::string diameter;
    std::string length;
    std::optional<std::string> temperature;
    DesignCheck check;                   // its fault, or its figures
    std::vector<std::string> messages;   // messages other than the check's fault (material not found)
    std::vector<std::string> carried{};  // a batch's own columns, as given (CalculationReport::carriedNames)
};

// The case of a check of `catalogue`'s row `row` with the inputs as the report shows them
// and the check they gave; with no row (-1), the material was not found and `messages`
// say why.
[[nodiscard]] CheckReportCase checkReportCase(std::string materialText, const MaterialCatalogue& catalogue, int row,
    const DesignCheckTexts& texts, const DesignCheck& check, std::vector<std::string> messages);

struct CalculationReport {
    std::string programName;  // "plain-bearings-calc"
    std::string version;      // programVersion
    std::string date;         // as it is to be shown, from reportDate()
    std::string decimalSeparator = ",";
    std::vector<SizingReportCase> sizings;  // the report holds cases of one kind
    std::vector<CheckReportCase> checks;
    std::vector<FilmReportCase> films{};
    // The names of a batch's own columns ("id", a note): shown with the inputs and, after
    // the number, in the table of every case.
    std::vector<std::string> carriedNames{};
};

[[nodiscard]] std::string calculationReportHtml(const CalculationReport& report);

// A case's material as a chart's panel and the report's tables name it: its name, and
// its group after it when another case's material of the other group has the same name
// ("Текстолит, со смазкой").
template <class Case> [[nodiscard]] std::string panelHeading(const Case& c, std::span<const Case> cases)
{
    std::string heading(c.material ? c.material->name : std::string_view(c.materialText));
    const bool namesake = c.material && std::any_of(cases.begin(), cases.end(), [&c](const Case& other) {
        return other.material && other.material->name == c.material->name && other.groupName != c.groupName;
    });
    return namesake && !c.groupName.empty() ? nameWithGroup(heading, c.groupName) : heading;
}

// "07.12.2026 21:04:14 UTC" for seconds since 1970-01-01 00:00 UTC.
[[nodiscard]] std::string reportDate(std::int64_t unixSeconds);

}  // namespace bearing
