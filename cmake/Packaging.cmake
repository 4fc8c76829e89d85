# What the Debian package (debian/, built by scripts/package.sh) takes from
# the build beyond the program and data/: the manual page. debian/changelog
# and the metainfo's newest release must name project()'s version: the
# package's version is the changelog's, software centres show the
# metainfo's.

include(GNUInstallDirs)

set(ratiomat_changelog ${CMAKE_SOURCE_DIR}/debian/changelog)
set(ratiomat_metainfo ${CMAKE_SOURCE_DIR}/data/org.example.ratiomat.metainfo.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ratiomat_changelog} ${ratiomat_metainfo})

file(READ ${ratiomat_metainfo} text)
string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${text}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The metainfo's newest release is '${CMAKE_MATCH_1}' but the project's version is "
                      "${PROJECT_VERSION}: add a <release> entry for ${PROJECT_VERSION}")
endif()
file(STRINGS ${ratiomat_changelog} text LIMIT_COUNT 1)
string(REGEX MATCH "^ratiomat \\(([^)]*)\\)" _ "${text}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "debian/changelog's newest entry is for '${CMAKE_MATCH_1}' but the project's version is "
                      "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION} (dch -v ${PROJECT_VERSION})")
endif()

# The manual page, with the version filled in; dh_compress gzips it for the
# package.
configure_file(${CMAKE_SOURCE_DIR}/packaging/ratiomat.1 ${CMAKE_BINARY_DIR}/packaging/ratiomat.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/ratiomat.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
