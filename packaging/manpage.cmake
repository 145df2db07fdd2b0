# Manual pages made from a program's own --help and --version by help2man, so that the
# page and the program cannot drift apart. The program answers both without a display.
#
#   add_manual_page(TARGET INCLUDE h2m-file)
#
# makes man1/TARGET.1.gz in the build tree (part of `all`) and installs it. The include
# file gives the NAME line and any text that --help leaves out (see help2man(1)).

find_program(HELP2MAN help2man)
find_program(GZIP gzip)

function(add_manual_page target)
  if(NOT HELP2MAN OR NOT GZIP)
    message(FATAL_ERROR "The manual page of ${target} needs help2man and gzip (scripts/setup installs them)")
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 page "" "INCLUDE" "")
  include(GNUInstallDirs)
  set(page "${CMAKE_CURRENT_BINARY_DIR}/man1/${target}.1")
  add_custom_command(
    OUTPUT "${page}.gz"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/man1"
    # The locale tells help2man that the texts are UTF-8; under plain C it writes "?".
    COMMAND ${HELP2MAN} --no-info --locale=C.UTF-8 --section=1 "--include=${page_INCLUDE}" "--output=${page}"
            $<TARGET_FILE:${target}>
    # -n leaves the time out of the archive, so the same page gives the same bytes.
    COMMAND ${GZIP} -9nf "${page}"
    DEPENDS ${target} "${page_INCLUDE}"
    COMMENT "Manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}-manpage ALL DEPENDS "${page}.gz")
  install(FILES "${page}.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
