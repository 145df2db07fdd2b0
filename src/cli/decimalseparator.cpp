#include "decimalseparator.h"

#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/utypes.h>

#include <cstdlib>
#include <cstring>

namespace bearing::cli {

namespace {

// For a language it has no data for ("C", "POSIX", "xx"), ICU takes the process's default
// locale, which is the environment's own; the windows write the neutral point instead.
bool hasLanguage(const icu::Locale& locale)
{
    int32_t count = 0;
    const icu::Locale* available = icu::Locale::getAvailableLocales(count);
    for (int32_t i = 0; i < count; ++i) {
        if (std::strcmp(available[i].getLanguage(), locale.getLanguage()) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

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
    // The codeset and the modifier ("ru_RU.UTF-8", "sr_RS@latin") do not choose the
    // separator, and ICU would take them for part of the territory.
    const std::string name(localeName.substr(0, localeName.find_first_of(".@")));
    const icu::Locale locale(name.c_str());
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(locale, status);
    if (locale.isBogus() != 0 || U_FAILURE(status) != 0 || !hasLanguage(locale)) {
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
