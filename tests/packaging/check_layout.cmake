# What an installed Skyvane holds, below ROOT (a package unpacked with dpkg -x,
# or -DINSTALL_FROM=BUILD_DIR: cmake --install of that build into ROOT/usr).
# -DLIBDIR=lib/<triplet> -DUNIT_BINDIR=<the bin folder the unit names> -DGUI=ON|OFF
if(INSTALL_FROM)
  file(REMOVE_RECURSE ${ROOT})
  set(unit ${INSTALL_FROM}/skyvane-logger.service)
  file(SHA256 ${unit} unit_before)
  file(TIMESTAMP ${unit} unit_time_before "%s")
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${INSTALL_FROM} --prefix ${ROOT}/usr
                  OUTPUT_QUIET RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed with ${status}")
  endif()
  file(SHA256 ${unit} unit_after)
  file(TIMESTAMP ${unit} unit_time_after "%s")
  if(NOT unit_before STREQUAL unit_after OR NOT unit_time_before STREQUAL unit_time_after)
    message(FATAL_ERROR "the install wrote the unit in the build tree")
  endif()
endif()

set(expected
  usr/bin/skyvane-cli
  usr/${LIBDIR}/skyvane/libhidxfr.so
  usr/lib/systemd/system/skyvane-logger.service
  usr/lib/udev/rules.d/70-skyvane-station.rules
  usr/lib/sysusers.d/skyvane.conf
  usr/share/man/man1/skyvane-cli.1.gz
  usr/share/bash-completion/completions/skyvane-cli
  usr/share/doc/skyvane/README.md
  usr/share/doc/skyvane/copyright
  usr/share/doc/skyvane/changelog.gz)
# The About box links the README where the install puts it.
if(ABOUT_README)
  list(APPEND expected usr/${ABOUT_README})
endif()
if(GUI)
  list(APPEND expected
    usr/bin/skyvane
    usr/share/man/man1/skyvane.1.gz
    usr/share/applications/skyvane.desktop
    usr/share/icons/hicolor/48x48/apps/skyvane.png
    usr/share/icons/hicolor/256x256/apps/skyvane.png
    usr/share/icons/hicolor/scalable/apps/skyvane.svg
    usr/share/metainfo/io.github.skyvane.Skyvane.metainfo.xml)
endif()
set(missing "")
foreach(path ${expected})
  if(NOT EXISTS ${ROOT}/${path} OR IS_DIRECTORY ${ROOT}/${path})
    list(APPEND missing ${path})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "missing below ${ROOT}:\n  ${missing}")
endif()

# Nothing outside the folders a package may fill.
file(GLOB_RECURSE everything RELATIVE ${ROOT} ${ROOT}/*)
foreach(path ${everything})
  if(NOT path MATCHES "^usr/(bin|lib|share)/")
    message(FATAL_ERROR "installed outside usr/bin, usr/lib and usr/share: ${path}")
  endif()
endforeach()

file(STRINGS ${ROOT}/usr/lib/systemd/system/skyvane-logger.service exec REGEX "^ExecStart=")
if(NOT exec STREQUAL "ExecStart=${UNIT_BINDIR}/skyvane-cli --folder /var/lib/skyvane run")
  message(FATAL_ERROR "the unit starts '${exec}'")
endif()
message(STATUS "${ROOT}: ${expected}")
