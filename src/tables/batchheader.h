#pragma once

#include "batchreader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// A column that some job reads from a batch.
enum class BatchColumn : std::uint8_t {
    Material,
    Load,
    Frequency,
    Diameter,
    Length,
    Temperature,
    Group,
    Clearance,
    Viscosity,
    JournalRoughness,
    BoreRoughness,
    FilmMargin,
};

// The names of every job's columns, in the order of BatchColumn. A misspelling of any of
// them is refused in every job's batch, so that no slip is carried as a user's own column.
inline constexpr std::array<std::string_view, 12> batchColumnNames{"material", "load", "frequency", "diameter",
    "length", "temperature", "group", "clearance", "viscosity", "roughness_journal", "roughness_bore", "film_margin"};

// What a job reads from a batch: its columns, the required ones first; the words its
// messages name it by; and its output fields, which a user's own column must not repeat.
struct BatchJob {
    std::span<const BatchColumn> columns;
    std::size_t required = 0;
    std::string_view batchName;  // "пакета", "пакета проверки": «в заголовке пакета нужны …»
    std::string_view columnsName;  // "расчета", "проверки": «Столбцы расчета: …»
    bool (*isOutputField)(std::string_view name) = nullptr;
};

// One input of a job: the batch's column it comes from and its text in the job's Texts,
// either one every case has or one that an empty field leaves out.
template <class Texts> struct JobInput {
    BatchColumn column = BatchColumn::Material;
    std::string Texts::*text = nullptr;
    std::optional<std::string> Texts::*optional = nullptr;
    bool number = true;  // read in the batch's dialect
};

// Which field of a batch's records holds which of the job's columns. The columns the job
// does not read (an id, a note) are carried through to the output unchanged, before its own.
struct BatchColumns {
    std::size_t count = 0;
    std::array<std::optional<std::size_t>, batchColumnNames.size()> known;
    std::vector<std::size_t> carried;
    std::vector<std::string> carriedNames;  // as given

    [[nodiscard]] bool has(BatchColumn column) const { return known.at(static_cast<std::size_t>(column)).has_value(); }
    // The record's field in `column`; empty when the batch has no such column or the record
    // is short of it.
    [[nodiscard]] std::string_view field(const CsvRecord& record, BatchColumn column) const;
    // The record's field in the `i`-th carried column, likewise.
    [[nodiscard]] std::string_view carriedField(const CsvRecord& record, std::size_t i) const;
};

// Reads the header of a batch for `job`; the columns, or the reason the header is
// unusable. A name is matched after trimming blanks; a name within a typing slip of
// any job's column ("lenght", "Load", "temprature") is refused with the name meant.
struct HeaderRead {
    BatchColumns columns;
    std::optional<std::string> problem;
};
[[nodiscard]] HeaderRead readHeader(const CsvRecord& header, const BatchJob& job);

// The known column that `name` misspells, if any: the nearest within two edits (a letter
// added, dropped or changed, or two neighbours swapped; letters compared without case), or
// the one it is the start of, cut short to no fewer than three letters.
[[nodiscard]] std::optional<std::string_view> misspeltColumn(std::string_view name);

}  // namespace bearing
