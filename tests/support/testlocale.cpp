#include "testlocale.h"

#include <cstdlib>
#include <string_view>

namespace bearing::test {

bool underRussianLocale()
{
    const char* locale = std::getenv("LC_ALL");
    return locale != nullptr && std::string_view(locale).starts_with("ru");
}

}  // namespace bearing::test
