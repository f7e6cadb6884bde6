# Where an install puts what is not a program: the service, the udev rule, the
# account, the desktop integration, the man pages, completions and documents.
# Everything installed is in the source tree or written into the build tree at
# configure or build time; nothing is written while installing.

# The project names no home page yet: a build that has one gives it here, and
# the package and the software centres' entry then point to it.
set(SKYVANE_HOMEPAGE "" CACHE STRING "The project's home page (none when empty)")

# A folder of systemd or udev as the system's pkg-config file names it, moved
# below our own prefix (systemd and udev also look below /usr/local), and kept
# relative so that cmake --install --prefix and DESTDIR move it along.
function(skyvane_system_dir variable module pcvar fallback)
  set(dir "")
  set(prefix ${CMAKE_INSTALL_PREFIX})
  execute_process(
    COMMAND ${PKG_CONFIG_EXECUTABLE} --define-variable=prefix=${prefix}
            --define-variable=rootprefix=${prefix} --define-variable=root_prefix=${prefix}
            --variable=${pcvar} ${module}
    OUTPUT_VARIABLE dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(dir MATCHES "^${prefix}/(.+)$")
    set(dir ${CMAKE_MATCH_1})
  elseif(dir STREQUAL "")
    set(dir ${fallback})
  endif()
  set(${variable} ${dir} CACHE STRING "Install folder of ${pcvar}, relative to the prefix or absolute")
endfunction()
skyvane_system_dir(SKYVANE_SYSTEMD_UNIT_DIR systemd systemdsystemunitdir lib/systemd/system)
skyvane_system_dir(SKYVANE_SYSUSERS_DIR systemd sysusersdir lib/sysusers.d)
skyvane_system_dir(SKYVANE_UDEV_DIR udev udevdir lib/udev)

install(FILES resources/70-skyvane-station.rules DESTINATION ${SKYVANE_UDEV_DIR}/rules.d)

# The unit names the skyvane-cli of the configured prefix; it is written here,
# once, and only installed later.
configure_file(resources/skyvane-logger.service.in skyvane-logger.service @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/skyvane-logger.service DESTINATION ${SKYVANE_SYSTEMD_UNIT_DIR})
install(FILES resources/skyvane.sysusers.conf DESTINATION ${SKYVANE_SYSUSERS_DIR} RENAME skyvane.conf)

# Man pages from their scdoc sources, and the changelog, compressed as Debian
# keeps them (gzip -n: the same bytes at every build).
find_program(SCDOC scdoc REQUIRED)
find_program(GZIP gzip REQUIRED)
foreach(page skyvane.1 skyvane-cli.1)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "${SCDOC} < '${PROJECT_SOURCE_DIR}/resources/man/${page}.scd' | ${GZIP} -9n > '${PROJECT_BINARY_DIR}/man/${page}.gz'"
    DEPENDS resources/man/${page}.scd
    COMMENT "Writing the man page ${page}" VERBATIM)
  list(APPEND skyvane_man_pages ${PROJECT_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
  COMMAND sh -c "${GZIP} -9n < '${PROJECT_SOURCE_DIR}/resources/packaging/changelog' > '${PROJECT_BINARY_DIR}/changelog.gz'"
  DEPENDS resources/packaging/changelog VERBATIM)
add_custom_target(skyvane-documents ALL DEPENDS ${skyvane_man_pages} ${PROJECT_BINARY_DIR}/changelog.gz)
if(NOT SKYVANE_BUILD_GUI)
  list(REMOVE_ITEM skyvane_man_pages ${PROJECT_BINARY_DIR}/man/skyvane.1.gz)
endif()
install(FILES ${skyvane_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES resources/completion/skyvane-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME skyvane-cli)

# The documents Debian keeps for every package.
install(FILES README.md resources/packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(SKYVANE_BUILD_GUI)
  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES resources/pictures/skyvane_48.png DESTINATION ${icons}/48x48/apps RENAME skyvane.png)
  install(FILES resources/pictures/skyvane_256.png DESTINATION ${icons}/256x256/apps RENAME skyvane.png)
  install(FILES resources/pictures/skyvane.svg DESTINATION ${icons}/scalable/apps)
  # The software centres' page shows the README's pictures where a build says
  # where they are published; without an address it has none.
  set(SKYVANE_SCREENSHOTS "" CACHE STRING "Where the pictures of docs/ are published (none when empty)")
  set(metainfo io.github.skyvane.Skyvane.metainfo.xml)
  set(SKYVANE_HOMEPAGE_ELEMENT "")
  if(SKYVANE_HOMEPAGE)
    set(SKYVANE_HOMEPAGE_ELEMENT "<url type=\"homepage\">${SKYVANE_HOMEPAGE}</url>")
  endif()
  set(SKYVANE_SCREENSHOTS_ELEMENT "")
  if(SKYVANE_SCREENSHOTS)
    set(shots "main-window.png|The main window with the live readings and alarm bells"
              "graph-window.png|A week of outdoor temperature and dew point"
              "dashboard.png|The dashboard in the browser")
    set(type " type=\"default\"")
    foreach(shot IN LISTS shots)
      string(REPLACE "|" ";" shot "${shot}")
      list(GET shot 0 file)
      list(GET shot 1 caption)
      string(APPEND SKYVANE_SCREENSHOTS_ELEMENT "\n    <screenshot${type}><caption>${caption}</caption>"
             "<image>${SKYVANE_SCREENSHOTS}/${file}</image></screenshot>")
      set(type "")
    endforeach()
    set(SKYVANE_SCREENSHOTS_ELEMENT "<screenshots>${SKYVANE_SCREENSHOTS_ELEMENT}\n  </screenshots>")
  endif()
  configure_file(resources/packaging/${metainfo} ${metainfo} @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
