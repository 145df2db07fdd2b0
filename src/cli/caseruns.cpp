#include "caseruns.h"

#include "exitstatus.h"
#include "messagelog.h"

namespace bearing::cli {

int runOneCase(const RunSettings& settings, const CaseTexts& texts, std::ostream& out, std::ostream& err,
    const std::function<void(const CaseRecord&)>& onCase)
{
    CaseRunner runner(settings);
    CaseRecord record;
    runner.run(texts, settings.group, record);
    const std::unique_ptr<ResultWriter> writer
        = makeResultWriter(out, settings.format, settings.writerSetup(Layout::OneCase));
    writer->write(record);
    writer->finish();
    if (onCase) {
        onCase(record);
    }
    MessageLog log(err);
    log.add("", record.messages);
    log.flush();
    return record.endedInMessage() ? exitMessage : exitResults;
}

int runAllMaterials(const RunSettings& settings, const CaseTexts& texts, std::ostream& out, std::ostream& err,
    const std::function<void(const CaseRecord&)>& onCase)
{
    CaseRunner runner(settings);
    CaseRecord record;
    CaseTexts material = texts;
    const std::unique_ptr<ResultWriter> writer
        = makeResultWriter(out, settings.format, settings.writerSetup(Layout::MaterialTable));
    MessageLog log(err);
    bool anyMessage = false;
    for (int row = 0; row < MaterialCatalogue::rowCount; ++row) {
        // By number: two materials share a name.
        material.material = settings.catalogue->fields(row).row;
        runner.run(material, std::nullopt, record);
        material.material = settings.catalogue->name(row);
        writer->write(record);
        if (onCase) {
            onCase(record);
        }
        anyMessage = anyMessage || record.endedInMessage();
        if (!writer->showsMessages()) {
            log.add(record.material->row + " " + record.material->name + ": ", record.messages);
        }
    }
    writer->finish();
    log.flush();
    return anyMessage ? exitMessage : exitResults;
}

}  // namespace bearing::cli
