#!/bin/sh
# Installs every Debian package Ratiomat needs to build, run and test.
# Idempotent: when everything is already there it only checks and returns.
set -eu

PACKAGES="
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-svg-dev qt6-translations-l10n
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth openbox xdotool xclip x11-utils imagemagick
  poppler-utils
  clang-14 libclang-rt-14-dev
  python3 at-spi2-core python3-gi gir1.2-atspi-2.0 dbus-x11 dbus
  desktop-file-utils appstream
  dpkg-dev lintian cups-daemon cups-client
  clang-format
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -z "$missing" ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
