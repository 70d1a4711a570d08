# Installation and the Debian package.
#
#   cmake --install BUILD --prefix PREFIX
#     PREFIX/bin/tarnwick, PREFIX/bin/tarnwick-cli
#     PREFIX/share/tarnwick/        the shipped application folder: main.ini,
#                                   language files, Scripts/, sample library, help
#     PREFIX/share/applications/    menu entry;  share/icons/hicolor/  icons
#     PREFIX/share/metainfo/        AppStream metadata
#     PREFIX/share/man/man1/        manual pages;  share/bash-completion/  completion
#     PREFIX/share/doc/tarnwick/    copyright and changelog
#   cmake --build BUILD --target package      BUILD/package/tarnwick_VERSION_ARCH.deb
#
# The installed program finds share/tarnwick from its own location
# (platform/bundled_files.h), so any prefix works.
include(GNUInstallDirs)

set(TARNWICK_SCREENSHOT_URL "https://example.org/tarnwick/docs/screenshot.png" CACHE STRING
    "Where the screenshot docs/screenshot.png is published, for the AppStream metadata")

set(packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)
set(app_id org.tarnwick.Tarnwick)
set(shipped_folder ${CMAKE_INSTALL_DATADIR}/tarnwick)

install(TARGETS tarnwick-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tarnwick)
    install(TARGETS tarnwick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The shipped application folder. Files that come unchanged from the sources
# are taken from there; built ones from the build's application folder.
file(GLOB language_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.lng)
install(FILES ${language_files} ${PROJECT_SOURCE_DIR}/resources/help/Tarnwick.html
        DESTINATION ${shipped_folder})
# The sample library as the build made it. The program edits the copy in the
# build's application folder when it runs from there, so a package should be
# made from a build that was not used interactively.
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Tarnwick.Ini
              ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Tarnwick.dat
        DESTINATION ${shipped_folder})
# The bundled main.ini registering the shipped library, languages and schemes,
# in its pristine form (the copy in the application folder becomes the user's).
install(FILES ${CMAKE_BINARY_DIR}/resources/main.ini DESTINATION ${shipped_folder} OPTIONAL)
file(GLOB scheme_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/schemes/*.txt)
foreach(script ${scheme_scripts})
    get_filename_component(name ${script} NAME_WE)
    install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Scripts/${name}.txt
                  ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Scripts/${name}.dat
            DESTINATION ${shipped_folder}/Scripts)
endforeach()

# Desktop integration.
configure_file(${packaging_source}/${app_id}.metainfo.xml.in
               ${packaging_build}/${app_id}.metainfo.xml @ONLY)
install(FILES ${packaging_build}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(TARGET tarnwick)
    install(FILES ${packaging_source}/${app_id}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()
install(FILES ${packaging_source}/icons/tarnwick.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${packaging_source}/icons/tarnwick-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tarnwick.png)
endforeach()
install(FILES ${packaging_source}/tarnwick-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tarnwick-cli)

# Manual pages and the changelog, compressed as Debian wants them (gzip -9n:
# no name or time stamp inside, so the package is reproducible).
set(compressed)
foreach(source man/tarnwick.1 man/tarnwick-cli.1 changelog)
    get_filename_component(name ${source} NAME)
    add_custom_command(
        OUTPUT ${packaging_build}/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${packaging_source}/${source} ${packaging_build}/${name}
        COMMAND gzip -9nf ${packaging_build}/${name}
        DEPENDS ${packaging_source}/${source}
        COMMENT "Compressing ${name}")
    list(APPEND compressed ${packaging_build}/${name}.gz)
endforeach()
add_custom_target(tarnwick_packaging_files ALL DEPENDS ${compressed})
install(FILES ${packaging_build}/tarnwick-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET tarnwick)
    install(FILES ${packaging_build}/tarnwick.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${packaging_source}/copyright ${packaging_build}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnwick)

# The Debian package. Its dependencies are what dpkg-shlibdeps finds the
# installed programs linked against; it needs no maintainer scripts, since
# dpkg's own triggers refresh the icon cache, the menu and the manual index.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGE_CONTACT "The Tarnwick developers <tarnwick@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "code-snippet manager with a syntax-highlighting editor")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarnwick keeps pieces of source code, each with a title, under categories in a\n"
    "library, shows them in a tree beside a syntax-highlighting editor, imports\n"
    "snippets from other libraries and prints them. Highlighting schemes for many\n"
    "languages are included.\n"
    "\n"
    "The package also holds tarnwick-cli, which reads and changes libraries,\n"
    "compiles schemes and edits settings files from scripts.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
