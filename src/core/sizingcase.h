#pragma once

// One sizing case as the bearing window runs it on a fresh window: the press on the
// case's texts, and what it returned, kept as the faces that list cases read it.

#include "materialcatalogue.h"
#include "press.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// What the user typed for one case, exactly as given.
struct CaseTexts {
    std::string material;
    std::string load;
    std::string frequency;
    std::optional<std::string> length;  // none: only the sizing button is pressed
};

// What the bearing window shows for a case, and the figures behind it.
struct CaseOutcome {
    std::string maxDiameterLine;        // the largest diameter's result line after the press
    std::string minLengthLine;          // the smallest length's result line
    std::string minDiameter;            // the box of the diameter for the length
    ShownNumbers numbers;               // the numbers in those three texts
    std::vector<std::string> messages;  // the messages, in order, as the core wrote them
    std::vector<ShownEvent> events;     // every text set and message, in order
    // Present when the run reached its results (the state's resultValid).
    std::optional<SizingFigures> figures;
    // Present with a length, when the run reached its results.
    std::optional<DiameterForLength> forLength;
};

// Runs one case as the bearing window does on a fresh window: the material `row` (0 to 20)
// of `catalogue` (the bearing window's variant) selected, the three texts typed, then the
// sizing button pressed, or without it the diameter button when a length is given (which
// sizes first). `decimalSeparator` is the one the window would use.
[[nodiscard]] CaseOutcome evaluateCase(
    const MaterialCatalogue& catalogue, int row, const CaseTexts& texts, std::string_view decimalSeparator);

// The same for case after case: `outcome` receives the case, its message list keeping
// its memory from the last one.
void evaluateCase(const MaterialCatalogue& catalogue, int row, const CaseTexts& texts,
    std::string_view decimalSeparator, CaseOutcome& outcome);

}  // namespace bearing
