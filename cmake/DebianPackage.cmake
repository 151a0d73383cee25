# The Debian package of the program (`cpack` in the build folder) and the
# files that only it installs: the manual pages, the copyright file and the
# changelog.
set(debian_source ${PROJECT_SOURCE_DIR}/data/debian)
set(debian_build ${PROJECT_BINARY_DIR}/debian)

# Manual pages and changelog gzipped as Debian has them: best compression,
# no name or time stamp, so that the package is the same at every build.
find_program(GZIP gzip REQUIRED)
set(debian_gzipped)
foreach(source_and_output kakemaru.1:man/kakemaru.1 kakemaru.ja.1:man/ja/kakemaru.1
                          changelog:doc/changelog)
  string(REPLACE ":" ";" pair ${source_and_output})
  list(GET pair 0 source)
  list(GET pair 1 output)
  add_custom_command(OUTPUT ${debian_build}/${output}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${debian_source}/${source} ${debian_build}/${output}
    COMMAND ${GZIP} -9nf ${debian_build}/${output}
    DEPENDS ${debian_source}/${source} VERBATIM)
  list(APPEND debian_gzipped ${debian_build}/${output}.gz)
endforeach()
add_custom_target(debian_files ALL DEPENDS ${debian_gzipped})

install(FILES ${debian_build}/man/kakemaru.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${debian_build}/man/ja/kakemaru.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
# A package without a version suffix is native: its changelog is changelog.gz.
install(FILES ${debian_source}/copyright ${debian_build}/doc/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# A stripped install (cpack, `cmake --install --strip`) also drops the
# compiler's notes, as dh_strip does.
if(CMAKE_STRIP)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:kakemaru>\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kakemaru)
# The version of project() in CMakeLists.txt, which the window title shows too.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kakemaru developers")
set(CPACK_PACKAGE_CONTACT "The Kakemaru developers <kakemaru@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Multiplication-table drill sheets for children (九九)")
# The long description, at most 79 columns a line (CPack adds a space before
# each); CJK characters take two columns.
set(CPACK_PACKAGE_DESCRIPTION [=[
Kakemaru For Kuku (ｶｹﾏﾙ For 九九) is for parents and teachers in Japan: it
makes drill sheets of the multiplication tables (九九: the tables 0 to 9
with multipliers 0 to 9) for children.

Choose the tables to practise, how many questions go on a sheet, their
order and a few variations; preview the sheet, then print the questions
alone or followed by the answer sheet. Every sheet carries a number that
counts up with each print, so the sheets of a class or a week can be told
apart.

The window and the sheets are in Japanese. Sheets print through CUPS on the
default printer and its default paper, or to PDF files.]=])
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kakemaru/kakemaru)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, but needed: Japanese faces for the page and the window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
# Without qt6-wayland the program cannot open its window on a Wayland desktop
# that has no X server (XWayland) as well.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, sound-theme-freedesktop, cups")
include(CPack)
