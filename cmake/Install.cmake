# Installing like a desktop program: the two executables in bin/, their data in
# share/nodeloom/, and what the desktop needs to offer the program (menu entry, icon, file
# type, software-centre entry, manual page). CPack turns the same rules into a .deb.
include(GNUInstallDirs)

install(TARGETS nodeloom nodeloom-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${LANG_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/nodeloom/local)
install(FILES ${EXAMPLE_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/nodeloom/examples)
# The manuals are built beside the program when their tools are there.
install(FILES ${CMAKE_BINARY_DIR}/help.pdf ${CMAKE_BINARY_DIR}/help-en.pdf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/nodeloom OPTIONAL)

set(NODELOOM_APP_ID org.nodeloom.Nodeloom)
install(FILES packaging/${NODELOOM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${NODELOOM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/${NODELOOM_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${NODELOOM_APP_ID}.xml)
install(FILES packaging/nodeloom.1 packaging/nodeloom-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The icon: the SVG itself and bitmaps drawn from it.
install(FILES packaging/nodeloom.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${NODELOOM_APP_ID}.svg)
add_executable(nodeloom_render_icon packaging/RenderIcon.cpp)
target_link_libraries(nodeloom_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(NODELOOM_ICON_PNGS)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${NODELOOM_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND nodeloom_render_icon ${CMAKE_SOURCE_DIR}/packaging/nodeloom.svg ${size} ${png}
    DEPENDS nodeloom_render_icon ${CMAKE_SOURCE_DIR}/packaging/nodeloom.svg
    VERBATIM)
  list(APPEND NODELOOM_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(nodeloom_icons ALL DEPENDS ${NODELOOM_ICON_PNGS})

# scripts/package.sh: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nodeloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Nodeloom developers")
set(CPACK_PACKAGE_CONTACT "The Nodeloom developers <feedback@nodeloom.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and analyser for graphs of graph theory")
# One string: a list here would reach the control file with its separators.
set(CPACK_PACKAGE_DESCRIPTION "Nodeloom draws graphs (vertices, arcs, labels) and runs twenty-two \
classic algorithms on them: shortest paths, Euler and Hamilton routes, colouring, spanning trees, \
flows, planarity and cliques, with step-by-step playback. nodeloom-cli runs the same algorithms \
on many graph files at once.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to the library scan: the platform plugins (windows, and
# the off-screen one the command-line tool uses) and a font for the drawings.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)

if(NODELOOM_TESTS)
  # The install test installs this build folder into a temporary root.
  add_dependencies(nodeloom_tests nodeloom nodeloom_icons)
  target_compile_definitions(nodeloom_tests PRIVATE NODELOOM_BINARY_DIR="${CMAKE_BINARY_DIR}"
                                                    NODELOOM_CMAKE_COMMAND="${CMAKE_COMMAND}")
endif()
