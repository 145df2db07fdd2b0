#pragma once

#include "casecharts.h"
#include "materialchoice.h"
#include "resultwriter.h"
#include "sizingcase.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace bearing::cli {

enum class Mode { OneCase, AllMaterials, Batch, ListMaterials };

// The command line as the user gave it.
struct Options {
    Mode mode = Mode::OneCase;
    CaseTexts texts;    // --material, --load, --frequency, --length
    std::string batch;  // --batch: a file, or "-"
    std::optional<Group> group;
    OutputFormat format = OutputFormat::Text;
    bool wide = false;              // --wide: every column of a text table, however wide
    bool strict = false;            // --strict: numbers written out in full, or no calculation
    std::string output;             // --output: the file a workbook is written to
    CsvDialect csvDialect;          // --csv-dialect
    std::optional<char> separator;  // --separator of a batch; none: found from its header
    std::string encoding;           // --encoding of a batch; empty: found from its bytes
    std::size_t jobs = 1;           // --jobs: the workers of a batch; by default the machine's cores
    // --check: the design check of a proposed d × L instead of the sizing.
    bool check = false;
    std::string diameter;                    // --diameter
    std::optional<std::string> temperature;  // --temperature
    bool sortByUse = false;                  // --sort utilisation
    std::optional<std::string> chart;        // --chart FILE.svg
    ChartKind chartKind = ChartKind::PV;     // --chart-kind
    std::optional<std::string> report;       // --report FILE.html
    // --film: the oil film of a journal bearing d × L, with --load, --frequency,
    // --diameter, --length and these.
    bool film = false;
    std::string clearance;                        // --clearance
    std::string viscosity;                        // --viscosity
    std::optional<std::string> journalRoughness;  // --roughness RZJ,RZB
    std::optional<std::string> boreRoughness;
    std::optional<std::string> filmMargin;  // --film-margin
};

// Reads the options in `arguments` (without the program's name). Returns them, or the
// exit status when the run ends here: after --help or --version on `out`, or a usage
// error on `err`. A repeated option takes its last value; "--length=" is "--length ''".
[[nodiscard]] std::variant<Options, int> parseOptions(
    const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// Writes `problem` and the short usage text to `err`; returns the usage error's status.
int usageError(std::ostream& err, std::string_view problem);

}  // namespace bearing::cli
