# A Debian package from the install rules: scripts/package builds it with Debian's
# hardening flags and checks it; `cpack` in a configured build directory makes it too.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME "plain-bearings")
set(CPACK_PACKAGE_VENDOR "plain-bearings developers")
set(CPACK_PACKAGE_CONTACT "plain-bearings developers <plain-bearings@users.noreply.github.com>")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plain (sliding) bearing calculator with a Russian interface")
# CPack indents each line and marks the empty one between paragraphs as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A mechanical engineer sizes a plain bearing from the permissible values of
its material. Pick one of 21 bearing materials, type the radial load and the
shaft speed, and get the largest journal diameter and the smallest bearing
length that keep the material within its permissible pressure [p], sliding
speed [v] and pressure-speed product [pv].

A second calculation checks a proposed bearing length and gives the smallest
diameter for it; a reference window shows the whole material table.

The same calculator is also installed as one self-contained web page,
/usr/share/plain-bearings/plain-bearings.html, which works in any browser.")
# dpkg-shlibdeps finds the libraries the programs link (Qt; libcsv and ICU for
# plain-bearings-calc) and names their packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The fonts the windows are laid out for, and Qt's Russian texts for its own dialogs and
# menus (the program starts without them, in English, but the interface is Russian).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra, qt6-translations-l10n")

# /usr/share/doc/plain-bearings: the licence in Debian's machine-readable form and the
# changelog, compressed as Debian expects.
set(package_doc "${PROJECT_BINARY_DIR}/packaging/doc")
file(STRINGS "${PROJECT_SOURCE_DIR}/LICENSE" licence_lines)
list(SUBLIST licence_lines 4 -1 licence_lines)  # the text after the title and copyright line
set(LICENSE_PARAGRAPHS "")
foreach(line IN LISTS licence_lines)
  if(line STREQUAL "")
    string(APPEND LICENSE_PARAGRAPHS " .\n")
  else()
    string(APPEND LICENSE_PARAGRAPHS " ${line}\n")
  endif()
endforeach()
string(STRIP "${LICENSE_PARAGRAPHS}" LICENSE_PARAGRAPHS)
string(PREPEND LICENSE_PARAGRAPHS " ")
configure_file("${CMAKE_CURRENT_LIST_DIR}/copyright.in" "${package_doc}/copyright" @ONLY)

execute_process(COMMAND date --utc --date "${PLAIN_BEARINGS_RELEASE_DATE} 12:00" --rfc-email
  OUTPUT_VARIABLE PLAIN_BEARINGS_RELEASE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file("${CMAKE_CURRENT_LIST_DIR}/changelog.in" "${package_doc}/changelog" @ONLY)
find_program(GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT "${package_doc}/changelog.gz"
  COMMAND ${GZIP} -9nc "${package_doc}/changelog" > "${package_doc}/changelog.gz"
  DEPENDS "${package_doc}/changelog"
  VERBATIM)
add_custom_target(package-changelog ALL DEPENDS "${package_doc}/changelog.gz")
install(FILES "${package_doc}/copyright" "${package_doc}/changelog.gz"
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
