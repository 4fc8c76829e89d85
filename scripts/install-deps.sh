#!/bin/sh
# Installs every Debian package Ratiomat needs to build, run and test, and
# the Danish locale the tests run in; then checks that every tool the scripts
# call is there. Idempotent: when everything is already there it only checks.
# Needs nothing beyond Debian's base system (debootstrap --variant=minbase).
set -eu

# file: cpack finds the program's libraries for dpkg-shlibdeps with it.
# locales: the C library's Danish locale (below).
# valgrind: scripts/bench.sh counts start-up instructions with callgrind.
PACKAGES="
  build-essential cmake ninja-build pkg-config file
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-svg-dev qt6-translations-l10n libfontconfig-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth openbox xdotool xclip x11-utils imagemagick
  poppler-utils
  clang-14 libclang-rt-14-dev
  python3 at-spi2-core python3-gi gir1.2-atspi-2.0 dbus-x11 dbus
  desktop-file-utils appstream
  dpkg-dev lintian cups-daemon cups-client
  clang-format locales valgrind
  sway wtype grim wl-clipboard wayvnc qt6-wayland
"

# What scripts/*.sh, the test suites and the end-to-end test run, beyond
# the base system's own tools; git is optional (scripts/test.sh lists the
# files to check without it too). A package that no longer brings one of
# them fails here rather than as a stage that ran nothing.
TOOLS="
  cmake ctest cpack ninja c++ clang++-14 clang-format pkg-config file
  dpkg-buildflags dpkg-shlibdeps dpkg-deb lintian desktop-file-validate appstreamcli
  xvfb-run Xvfb xauth openbox xdotool xclip xprop import convert compare identify
  pdftotext pdftoppm pdfinfo cupsd lpadmin lpstat
  python3 dbus-run-session /usr/libexec/at-spi-bus-launcher
  timeout realpath locale locale-gen gzip awk valgrind
"

SUDO=""
if [ "$(id -u)" != 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: run as root, or as a user with sudo" >&2
    exit 1
  fi
  SUDO=sudo
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# The suites run again under LANG=da_DK.UTF-8. Qt reads the language from
# LANG alone, but the C library falls back to "C" when it lacks the locale,
# and then the decimal comma never reaches its number formatting and parsing.
if ! locale -a 2>/dev/null | grep -qx 'da_DK\.utf8'; then
  echo "Generating the locale da_DK.UTF-8"
  if grep -qE '^# *da_DK\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    $SUDO sed -i -E 's/^# *(da_DK\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  elif ! grep -qx 'da_DK\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'da_DK.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO /usr/sbin/locale-gen --keep-existing
fi

status=0
PATH=$PATH:/usr/sbin:/sbin
for t in $TOOLS; do
  if ! command -v "$t" >/dev/null; then
    echo "install-deps: $t is missing after the install" >&2
    status=1
  fi
done
if ! locale -a 2>/dev/null | grep -qx 'da_DK\.utf8'; then
  echo "install-deps: the locale da_DK.UTF-8 is missing after locale-gen" >&2
  status=1
fi
exit $status
