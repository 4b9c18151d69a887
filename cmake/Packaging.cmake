# What the two Debian packages hold beyond the programs, and how `cpack -G DEB` makes them:
#   plotweave      the window program, desktop entry, MIME type, icon, AppStream data,
#                  translations, man page
#   plotweave-cli  the command line tool and its movie helper, man page, shell completions
include(GNUInstallDirs)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(packageRevision 1)
set(packageVersion ${PROJECT_VERSION}-${packageRevision})
set(packageMaintainer "Plotweave maintainers <maintainers@plotweave.org>")
set(resources ${PROJECT_SOURCE_DIR}/resources)

# The installed programs resolve their symbols at start, so that relocations can be
# read-only for the whole run (Debian's hardening; -z relro is already the default).
foreach(program plotweave plotweave-cli plotweave-cli-movie)
  target_link_options(${program} PRIVATE -Wl,-z,now)
endforeach()

# Man pages: a roff frame around the programs' own help, so that the two cannot drift.
function(plotweave_man_page program component)
  set(page ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${resources}/man/makeManPage.sh ${resources}/man/${program}.roff
            $<TARGET_FILE:${program}> ${PROJECT_VERSION} ${page}
    DEPENDS ${program} ${resources}/man/${program}.roff ${resources}/man/makeManPage.sh
            ${resources}/man/help2roff.awk
    COMMENT "Man page of ${program}")
  add_custom_target(${program}-man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()
plotweave_man_page(plotweave plotweave)
plotweave_man_page(plotweave-cli cli)

install(FILES ${resources}/completion/plotweave-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME plotweave-cli COMPONENT cli)
install(FILES ${resources}/completion/_plotweave-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions COMPONENT cli)

# Each package's copyright and Debian changelog (compressed as Debian wants it: gzip -9n).
foreach(component plotweave cli)
  if(component STREQUAL "cli")
    set(package plotweave-cli)
  else()
    set(package plotweave)
  endif()
  set(docs ${CMAKE_BINARY_DIR}/packageDocs/${package})
  configure_file(${resources}/debian/changelog.in ${docs}/changelog.Debian @ONLY)
  execute_process(COMMAND gzip -9nf ${docs}/changelog.Debian COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${resources}/debian/copyright ${docs}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plotweave)
set(CPACK_PACKAGE_VENDOR "Plotweave")
set(CPACK_PACKAGE_CONTACT ${packageMaintainer})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL plotweave cli)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${packageRevision})
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://plotweave.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_PLOTWEAVE_PACKAGE_NAME plotweave)
# Beyond the libraries dpkg-shlibdeps finds: the fonts the graph labels are drawn with,
# and Qt's SVG plugins for the window icon.
set(CPACK_DEBIAN_PLOTWEAVE_PACKAGE_DEPENDS "fonts-dejavu-core, libqt6svg6")
set(CPACK_DEBIAN_PLOTWEAVE_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PLOTWEAVE_DESCRIPTION "graphing calculator with an equation editor
Plotweave graphs curves and surfaces. Equations are typed as they are printed,
with fractions, powers and roots laid out as you type, and are drawn as 2D
curves, parametric curves and 3D surfaces, with a free parameter k that can be
animated and recorded as a movie.

This package holds the window program, its desktop entry and its translations.")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME plotweave-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_DEPENDS fonts-dejavu-core)
set(CPACK_DEBIAN_CLI_DESCRIPTION "graphing calculator for the command line
plotweave-cli does without a window what Plotweave does in one: it reads
equations, writes and lists equation sets, graphs them into PNG, SVG, PDF and
TIFF images, typesets equations as pictures and records movies of the
parameter k.")

include(CPack)

# The packages as built by cpack, checked from the outside (skipped without dpkg-deb).
add_test(NAME packages COMMAND ${PROJECT_SOURCE_DIR}/tests/package/packageTest.sh ${CMAKE_BINARY_DIR})
set_tests_properties(packages PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
