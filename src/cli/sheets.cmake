# Spreadsheets, both ways: the .xlsx workbook (Debian's libxlsxwriter, found through
# pkg-config), the Russian CSV dialect, and the reading of what spreadsheets write
# (ICU for code pages). Its own library until the command line takes it in.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
find_package(ICU REQUIRED COMPONENTS uc)

add_library(bearing_sheets STATIC
  ${CMAKE_CURRENT_LIST_DIR}/batchdecoder.cpp ${CMAKE_CURRENT_LIST_DIR}/batchdecoder.h
  ${CMAKE_CURRENT_LIST_DIR}/csvdialect.cpp ${CMAKE_CURRENT_LIST_DIR}/csvdialect.h
  ${CMAKE_CURRENT_LIST_DIR}/workbookwriter.cpp ${CMAKE_CURRENT_LIST_DIR}/workbookwriter.h
)
target_include_directories(bearing_sheets PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(bearing_sheets
  PUBLIC bearing_cli bearing_core
  PRIVATE PkgConfig::XLSXWRITER ICU::uc bearing_warnings)
