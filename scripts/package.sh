#!/usr/bin/env bash
# Builds the Debian package skyvane_VERSION_ARCH.deb into the top folder, from
# a release build of its own in build-package/ (prefix /usr, the desktop
# program included). With --check it also runs the checks CI runs on what the
# package holds: lintian, appstreamcli, desktop-file-validate and
# systemd-analyze security (exposure at most 4.0).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(dpkg-dev fakeroot file scdoc)
[ "${1:-}" = "--check" ] && packages+=(lintian appstream desktop-file-utils systemd)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
SKYVANE_PACKAGES_ONLY=1 ./scripts/setup.sh  # what the build needs
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Debian's compiler and linker flags (hardening: fortify, stack protector,
# relro, bind now) in place of a build type's.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
      -DSKYVANE_BUILD_TESTS=OFF -DSKYVANE_BUILD_BENCH=OFF \
      -DSKYVANE_WARNINGS_AS_ERRORS="${SKYVANE_WARNINGS_AS_ERRORS:-OFF}" >/dev/null
cmake --build build-package
rm -f build-package/skyvane_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/skyvane_*.deb)
cp "$deb" .
echo "built $(basename "$deb")"

[ "${1:-}" = "--check" ] || exit 0
deb=$(basename "$deb")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
cmake -DROOT="$root" -DLIBDIR="lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)" -DUNIT_BINDIR=/usr/bin -DGUI=ON \
      -P tests/packaging/check_layout.cmake
lintian --fail-on error,warning "$deb"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$root"/usr/share/applications/skyvane.desktop
systemd-analyze security --offline=yes --threshold=40 \
    --root="$root" skyvane-logger.service
echo "checked $deb"
