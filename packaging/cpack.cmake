# A Debian package from the install rules: `cpack -G DEB` in the build directory.
set(CPACK_PACKAGE_NAME "plain-bearings")
set(CPACK_PACKAGE_VENDOR "plain-bearings developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Plain (sliding) bearing calculator with a Russian interface")
set(CPACK_PACKAGE_CONTACT "plain-bearings developers <plain-bearings@users.noreply.github.com>")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
# dpkg-shlibdeps finds the libraries the programs link (Qt; libcsv and ICU for
# plain-bearings-calc) and names their packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The fonts the windows are laid out for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra")
include(CPack)
