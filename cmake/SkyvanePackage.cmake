# The Debian package: cpack -G DEB in the build folder (scripts/package.sh)
# writes skyvane_VERSION_ARCH.deb. Its dependencies come from dpkg-shlibdeps
# over the programs and the transfer module.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skyvane)
set(CPACK_PACKAGE_VENDOR "The Skyvane developers")
set(CPACK_PACKAGE_CONTACT "Skyvane developers <skyvane@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion for a USB home weather station")
# The extended description below the summary; CPack indents each line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Skyvane shows the live readings, minima, maxima and alarms of a USB home
weather station (vendor 0x1941, product 0x8021), downloads its history,
shows it as a table and as charts, exports it and edits the station's
setup and alarm thresholds (skyvane, the desktop program).
.
skyvane-cli does the same without a display and runs as the logger service
skyvane-logger: it stores every record, publishes the readings over MQTT
with Home Assistant discovery, uploads them to weather networks and serves
a dashboard to the browser.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(SKYVANE_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SKYVANE_HOMEPAGE})
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The maintainer scripts call systemd-sysusers and udevadm when they are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd, udev")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/resources/packaging/postinst
    ${PROJECT_SOURCE_DIR}/resources/packaging/prerm
    ${PROJECT_SOURCE_DIR}/resources/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
