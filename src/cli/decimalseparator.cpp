#include "decimalseparator.h"

#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/utypes.h>

#include <cstdlib>

namespace bearing::cli {

std::string numericLocaleName(const char* lcAll, const char* lcNumeric, const char* lang)
{
    for (const char* name : {lcAll, lcNumeric, lang}) {
        if (name != nullptr && *name != '\0') {
            return name;
        }
    }
    return "C";
}

std::string decimalSeparatorOf(std::string_view localeName)
{
    // The codeset and modifier ("ru_RU.UTF-8", "sr_RS@latin") do not choose the digits'
    // separator; ICU reads the name up to them.
    const std::string name(localeName);
    const icu::Locale locale(name.c_str());
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(locale, status);
    if (locale.isBogus() || U_FAILURE(status)) {
        return ".";
    }
    std::string separator;
    symbols.getConstSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol).toUTF8String(separator);
    return separator.empty() ? "." : separator;
}

std::string decimalSeparatorFromEnvironment()
{
    // NOLINTNEXTLINE(concurrency-mt-unsafe): read once, before anything else runs
    return decimalSeparatorOf(numericLocaleName(std::getenv("LC_ALL"), std::getenv("LC_NUMERIC"), std::getenv("LANG")));
}

}  // namespace bearing::cli
