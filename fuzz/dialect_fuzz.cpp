// Fuzzes how a batch is read before any calculation: its bytes decoded in any encoding it
// may be given in, split into records at its separator, its header read for each job and
// its numbers read in its dialect. Whatever the bytes:
// - decoding gives the same text, or the same problem, whole and a few bytes at a time,
//   and the text is UTF-8;
// - a record holds at most maxKeptFields fields of at most maxFieldBytes each;
// - a header either gives a problem or places every field once: a column of the job
//   (all its required ones among them) or a carried one that is no slip of a known
//   column, no output field and no name given twice;
// - a number field read in the Russian dialect loses only spaces and turns commas into
//   points, and reads the same when read again.
//
// An input is a settings byte (its low three bits the encoding: found, utf-8,
// windows-1251, koi8-r, cp866; the next two the separator: found, ';', ','), a byte
// giving the size of the decoder's chunks, then the batch.

#include "batchdecoder.h"
#include "batchheader.h"
#include "batchreader.h"
#include "batchrun.h"
#include "caserunner.h"
#include "checkruns.h"
#include "csvdialect.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using bearing::check::require;
using namespace bearing;
using namespace bearing::cli;

constexpr std::array<std::string_view, 5> encodings{"", "utf-8", "windows-1251", "koi8-r", "cp866"};

// The decoded text of `bytes` in chunks of `chunk`, or the problem that stopped it.
struct Decoded {
    std::string text;
    std::string problem;
    bool operator==(const Decoded&) const = default;
};

Decoded decoded(std::string_view bytes, std::string_view encoding, std::size_t chunk)
{
    Decoded result;
    try {
        BatchDecoder decoder(encoding);
        do {
            const std::string_view part = bytes.substr(0, chunk);
            bytes.remove_prefix(part.size());
            decoder.decode(part, bytes.empty(), result.text);
        } while (!bytes.empty());
    } catch (const InputError& error) {
        return {.text = {}, .problem = error.what()};
    }
    return result;
}

bool isUtf8(std::string_view text)
{
    while (!text.empty()) {
        const Utf8Lead lead = utf8Lead(text);
        if (lead.kind != Utf8Lead::Kind::Whole) {
            return false;
        }
        text.remove_prefix(lead.length);
    }
    return true;
}

std::string_view trimmed(std::string_view name)
{
    const std::size_t first = name.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view()
                                           : name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

void checkHeader(const CsvRecord& header, const BatchJob& job)
{
    const HeaderRead read = readHeader(header, job);
    if (read.problem) {
        require(!read.problem->empty(), "a header's problem is said");
        return;
    }
    const BatchColumns& columns = read.columns;
    require(
        header.fieldCount == header.fields.size() && columns.count == header.fieldCount, "a usable header is whole");
    std::string placed(header.fields.size(), 0);
    for (std::size_t i = 0; i < columns.known.size(); ++i) {
        const auto column = static_cast<BatchColumn>(i);
        const bool ownColumn = std::ranges::find(job.columns, column) != job.columns.end();
        require(ownColumn || !columns.known[i], "only the job's own columns are read");
        if (const std::optional<std::size_t> at = columns.known[i]) {
            require(trimmed(header.fields[*at]) == bearing::batchColumnNames.at(i), "a column is its name");
            ++placed.at(*at);
        }
    }
    for (const BatchColumn column : job.columns.first(job.required)) {
        require(columns.has(column), "every required column is found");
    }
    for (std::size_t i = 0; i < columns.carried.size(); ++i) {
        const std::string_view name = trimmed(header.fields[columns.carried[i]]);
        ++placed.at(columns.carried[i]);
        const bool knownExactly = std::ranges::find(batchColumnNames, name) != batchColumnNames.end();
        require(knownExactly || !misspeltColumn(name), "no slip is carried", name);
        require(!job.isOutputField(name), "no output field is carried", name);
        for (std::size_t j = 0; j < i; ++j) {
            require(trimmed(columns.carriedNames[j]) != name, "no carried name is given twice", name);
        }
    }
    require(std::ranges::all_of(placed, [](char count) { return count == 1; }), "every field is placed once");
}

void checkNumber(std::string_view field)
{
    std::string buffer;
    const std::string read(numberField(field, ',', buffer));
    // Without any space and with points for commas, the field and its reading are one text.
    const auto bare = [](std::string_view text) {
        std::string kept;
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (text.substr(at).starts_with("\xC2\xA0")) {
                ++at;
            } else if (text.substr(at).starts_with("\xE2\x80\xAF")) {
                at += 2;
            } else if (text[at] != ' ') {
                kept += text[at] == ',' ? '.' : text[at];
            }
        }
        return kept;
    };
    require(bare(read) == bare(field), "only spaces are dropped and commas made points", field);
    require(read.find(',') == std::string::npos, "a decimal comma is a point", field);
    require(numberField(read, ',', buffer) == read, "a number read is read the same again", field);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);  // NOLINT(*-reinterpret-cast)
    const auto settings = static_cast<unsigned char>(input[0]);
    const std::string_view encoding = encodings.at((settings & 7U) % encodings.size());
    const unsigned separatorBits = (settings >> 3U) & 3U;
    const std::optional<char> separator = separatorBits == 1 ? std::optional(';')
        : separatorBits == 2                                 ? std::optional(',')
                                                             : std::nullopt;
    const std::size_t chunk = 1 + static_cast<unsigned char>(input[1]) % 16;
    const std::string_view bytes = input.substr(2);

    const Decoded whole = decoded(bytes, encoding, bytes.size() + 1);
    require(decoded(bytes, encoding, chunk) == whole, "a chunk's end changes nothing", whole.problem);
    require(!whole.problem.empty() || isUtf8(whole.text), "the text is UTF-8");

    BatchReader reader(
        [](const CsvRecord& record) {
            require(record.fields.size() <= BatchReader::maxKeptFields, "a record keeps its first fields");
            for (const std::string& field : record.fields) {
                require(field.size() <= BatchReader::maxFieldBytes, "a field is bounded");
                checkNumber(field);
            }
            if (record.number == 0) {
                checkHeader(record, SizingJob::batchJob());
                checkHeader(record, CheckJob::batchJob());
            }
            return true;
        },
        {.encoding = std::string(encoding), .separator = separator});
    const BatchReader::End end = reader.read(bytes);
    require(whole.problem.empty() || !end.complete, "a text that cannot be decoded is not read whole");
    require(end.assumedEncoding.empty() || (encoding.empty() && end.complete), "only a found encoding is told");
    return 0;
}
