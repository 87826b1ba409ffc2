# What `cmake --install` puts where, and the Debian package built from it (`make package`).
# Paths are relative to the prefix: /usr in the package, /usr/local by default otherwise.

# udev reads rules from lib/udev/rules.d under /usr (and /usr/local), never from the
# multiarch LIBDIR that GNUInstallDirs gives for prefix /usr on Debian.
set(CORVANE_UDEV_RULES_DIR lib/udev/rules.d)
set(CORVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
set(CORVANE_DIST_BUILD ${CMAKE_BINARY_DIR}/dist)

install(FILES samples/demo.bin DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane COMPONENT data)
install(FILES dist/70-corvane.rules DESTINATION ${CORVANE_UDEV_RULES_DIR} COMPONENT data)
install(FILES dist/corvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT data)
install(FILES dist/corvane.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT data)
install(FILES dist/org.example.corvane.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT data)
install(FILES dist/copyright DESTINATION ${CORVANE_DOC_DIR} COMPONENT data)

# Manual pages and the changelog are installed gzipped, without a name or time in the
# gzip header, so that two builds give the same bytes.
configure_file(dist/changelog.in ${CORVANE_DIST_BUILD}/changelog @ONLY)
set(corvane_gz_sources
  ${CMAKE_CURRENT_SOURCE_DIR}/dist/man/corvane.1
  ${CMAKE_CURRENT_SOURCE_DIR}/dist/man/corvane-cli.1
  ${CMAKE_CURRENT_SOURCE_DIR}/dist/man/corvane-demo.1
  ${CORVANE_DIST_BUILD}/changelog)
set(corvane_gz_outputs)
foreach(src ${corvane_gz_sources})
  get_filename_component(name ${src} NAME)
  set(out ${CORVANE_DIST_BUILD}/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND gzip -9nc ${src} > ${out}
    DEPENDS ${src}
    COMMENT "Compressing ${name}")
  list(APPEND corvane_gz_outputs ${out})
endforeach()
add_custom_target(corvane_dist_files ALL DEPENDS ${corvane_gz_outputs})
install(FILES ${CORVANE_DIST_BUILD}/corvane.1.gz ${CORVANE_DIST_BUILD}/corvane-cli.1.gz
              ${CORVANE_DIST_BUILD}/corvane-demo.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT data)
install(FILES ${CORVANE_DIST_BUILD}/changelog.gz DESTINATION ${CORVANE_DOC_DIR} COMPONENT data)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Corvane Desktop developers")
# A placeholder address until the project has a real one.
set(CPACK_PACKAGE_CONTACT "Corvane Desktop developers <corvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion program of a chlorophyll-fluorescence meter")
set(CPACK_PACKAGE_DESCRIPTION
"Corvane Desktop copies the memory of the Corvane-K300/K310 handheld
chlorophyll-fluorescence meter over USB, lists its OJIP, pulse-transient and
post-steady-state measurements, computes the fluorescence parameters, plots
the curves and exports raw data, parameter tables, chart pictures and P700
samples. Its windows are in Simplified Chinese.
.
corvane-cli does the same from the command line and adds the JIP-test with
quality flags and tidy curve tables for R and pandas. corvane-demo runs the
program with a simulated instrument holding the sample data file.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/corvane")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no binary links but the windows need: a font with Simplified Chinese glyphs,
# and Qt's own dialog texts in Chinese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${CMAKE_CURRENT_SOURCE_DIR}/dist/postinst ${CMAKE_CURRENT_SOURCE_DIR}/dist/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
