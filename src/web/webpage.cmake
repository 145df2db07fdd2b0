# The web page inside a native build: emscripten builds this same source tree in a tree
# of its own (<build>/web), on every build of this one, so that the page follows every
# change of the core. The page is installed beside the program's other data.

include(ExternalProject)
include(GNUInstallDirs)

# em++ is a link into emscripten's own folder, which holds its CMake toolchain.
get_filename_component(emscripten_root "${PLAIN_BEARINGS_EMXX}" REALPATH)
get_filename_component(emscripten_root "${emscripten_root}" DIRECTORY)
find_file(PLAIN_BEARINGS_EMSCRIPTEN_TOOLCHAIN Emscripten.cmake
  PATHS "${emscripten_root}/cmake/Modules/Platform" NO_DEFAULT_PATH REQUIRED)

set(PLAIN_BEARINGS_WEB_DIR "${PROJECT_BINARY_DIR}/web/src/web")
ExternalProject_Add(web_page_tree
  SOURCE_DIR "${PROJECT_SOURCE_DIR}"
  BINARY_DIR "${PROJECT_BINARY_DIR}/web"
  CMAKE_ARGS
    "-DCMAKE_TOOLCHAIN_FILE=${PLAIN_BEARINGS_EMSCRIPTEN_TOOLCHAIN}"
    -DCMAKE_BUILD_TYPE=MinSizeRel
    # The native build's flags (a package build's hardening, taken by CMake from CXXFLAGS
    # and LDFLAGS in the environment) are for the native toolchain: stack protector and
    # RELRO have no WebAssembly counterpart and break the link.
    -DCMAKE_CXX_FLAGS=
    -DCMAKE_EXE_LINKER_FLAGS=
    "-DPLAIN_BEARINGS_WERROR=${PLAIN_BEARINGS_WERROR}"
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS "${PLAIN_BEARINGS_WEB_DIR}/plain-bearings.html" "${PLAIN_BEARINGS_WEB_DIR}/bearing-core.js"
    "${PLAIN_BEARINGS_WEB_DIR}/bearing-core.wasm"
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

install(FILES "${PLAIN_BEARINGS_WEB_DIR}/plain-bearings.html" DESTINATION "${CMAKE_INSTALL_DATADIR}/plain-bearings")
