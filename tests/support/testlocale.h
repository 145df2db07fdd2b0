#pragma once

namespace bearing::test {

// True when the tests run under a Russian locale (LC_ALL=ru_RU.UTF-8), which writes ","
// as the decimal separator; false under a point locale. CTest runs every widget test
// under both.
[[nodiscard]] bool underRussianLocale();

}  // namespace bearing::test
