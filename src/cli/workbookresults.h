#pragma once

#include "checkwriter.h"
#include "filmjob.h"
#include "resultwriter.h"

#include <memory>

namespace bearing::cli {

// The cases as an .xlsx workbook in the file setup.outputPath (workbookwriter.h): each
// record's fields as cells, the figures as numbers. Throws OutputError when the file
// cannot be written; the file appears only when finish() has written it whole.
[[nodiscard]] std::unique_ptr<ResultWriter> makeWorkbookResults(const WriterSetup& setup);
// The design checks likewise, on a sheet «Проверка» with the fields of checkColumns().
[[nodiscard]] std::unique_ptr<CheckWriter> makeWorkbookChecks(const WriterSetup& setup);
// The oil film likewise, on a sheet «Масляный слой» with the fields of filmColumns().
[[nodiscard]] std::unique_ptr<FilmWriter> makeWorkbookFilms(const WriterSetup& setup);

}  // namespace bearing::cli
