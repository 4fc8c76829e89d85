# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh)
# makes ratiomat_<version>_amd64.deb from the install rules of every folder
# and the files installed here. The version is project()'s; the metainfo's
# latest release and the changelog must carry the same one.

include(GNUInstallDirs)

set(ratiomat_pkg ${CMAKE_SOURCE_DIR}/packaging)
set(ratiomat_pkg_out ${CMAKE_BINARY_DIR}/packaging)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${ratiomat_pkg}/changelog.in ${ratiomat_pkg}/ratiomat.1
  ${CMAKE_SOURCE_DIR}/data/org.example.ratiomat.Ratiomat.metainfo.xml)

# Software centres show the metainfo's newest release as the version.
file(READ ${CMAKE_SOURCE_DIR}/data/org.example.ratiomat.Ratiomat.metainfo.xml ratiomat_metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${ratiomat_metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The metainfo's newest release is '${CMAKE_MATCH_1}' but the project's version is "
                      "${PROJECT_VERSION}: add a <release> entry for ${PROJECT_VERSION}")
endif()

# Debian wants the changelog and the manual page compressed with gzip -9n
# (no name or time stamp, so the package is reproducible).
function(ratiomat_gzip source output)
  configure_file(${source} ${output} @ONLY)
  execute_process(COMMAND gzip -9nf ${output} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${output} failed")
  endif()
endfunction()
ratiomat_gzip(${ratiomat_pkg}/changelog.in ${ratiomat_pkg_out}/changelog)
ratiomat_gzip(${ratiomat_pkg}/ratiomat.1 ${ratiomat_pkg_out}/ratiomat.1)

install(FILES ${ratiomat_pkg}/copyright ${ratiomat_pkg_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ratiomat)
install(FILES ${ratiomat_pkg_out}/ratiomat.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ratiomat)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Ratiomat developers")
set(CPACK_PACKAGE_CONTACT "The Ratiomat developers <developers@ratiomat.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for bicycle gearing")
set(CPACK_PACKAGE_DESCRIPTION
    "Ratiomat works out the gear inches and road speed of all 27 combinations
of three chainrings and nine cassette sprockets for a tyre circumference
and a pedalling cadence. It draws the speed range of every gear between a
low and a high cadence on a chart that can be zoomed, panned, copied and
saved as a picture, and prints a one-page report with the chart and the
full table. Speeds are shown in km/h or mph; the user interface is in
Danish and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://ratiomat.example.org)
# Run-time dependencies from the libraries the program links (dpkg-shlibdeps),
# and what it only loads: the SVG plugins that draw its icons and the
# catalogue that puts Qt's own dialogs in the desktop's language.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4), qt6-translations-l10n")
# The Wayland platform plugin, so that the program runs natively in a
# Wayland session; apt-get installs recommendations by default, and X11
# desktops do without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland (>= 6.4)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
