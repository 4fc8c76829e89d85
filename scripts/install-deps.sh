#!/bin/sh
# Installs every Debian package Ratiomat needs to build, run and test, and
# the Danish locale the tests run in; then checks that every tool the scripts
# call is there. Idempotent: when everything is already there it only checks.
# Needs nothing beyond Debian's base system (debootstrap --variant=minbase):
# the packages are the ones debian/control declares (Build-Depends, test
# tools included) and debian/tests/control (what the installed program's
# tests need), read here with awk and installed with `apt-get satisfy`,
# which resolves them as `apt-get build-dep ./` does, without dpkg-dev.
set -eu
cd "$(dirname "$0")/.."

# field <file> <field>: a field of a deb822 file, one dependency a line, from
# every paragraph that has it; comments left out.
field() {
  awk -v name="$2" '
    /^#/ { next }
    /^[^ \t]/ { on = tolower($0) ~ "^" tolower(name) ":"; if (on) { sub(/^[^:]*:/, ""); print }; next }
    /^[ \t]/ && on { print }
    /^$/ { on = 0 }
  ' "$1" | tr ',' '\n' | sed -E 's/^[[:space:]]+//; s/[[:space:]]+$//' | grep -v -E '^$|^ratiomat$|^@'
}
deps=$( (echo build-essential; field debian/control Build-Depends; field debian/tests/control Depends) |
  sort -u | paste -sd, - | sed 's/,/, /g')
if [ "$(echo "$deps" | tr ',' '\n' | wc -l)" -lt 10 ]; then
  echo "install-deps: read no dependencies from debian/control: $deps" >&2
  exit 1
fi

SUDO=""
if [ "$(id -u)" != 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: run as root, or as a user with sudo" >&2
    exit 1
  fi
  SUDO=sudo
fi

# What a simulated install would do: nothing when all is there. On a fresh
# machine without package lists the simulation fails, and installs too.
if ! plan=$(apt-get satisfy -s "$deps" 2>&1) || echo "$plan" | grep -q '^Inst '; then
  echo "Installing what debian/control and debian/tests/control name"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get satisfy -y -qq --no-install-recommends "$deps"
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

# What scripts/*.sh, the test suites, the end-to-end test and the package
# check run, beyond the base system's own tools; git is optional
# (scripts/test.sh lists the files to check without it too). A package that
# no longer brings one of them fails here rather than as a stage that ran
# nothing.
TOOLS="
  cmake ctest ninja c++ clang++-14 clang-format clang-tidy-14 clazy-standalone pkg-config file
  dpkg-buildpackage dpkg-parsechangelog dpkg-deb dh dh_strip lintian autopkgtest hardening-check diffoscope gdb
  desktop-file-validate appstreamcli
  xvfb-run Xvfb xauth openbox xdotool xclip xprop import convert compare identify
  pdftotext pdftoppm pdfinfo cupsd lpadmin lpstat
  sway swaymsg wtype grim wl-paste wayvnc
  python3 dbus-run-session /usr/libexec/at-spi-bus-launcher
  timeout realpath locale locale-gen gzip awk valgrind
"
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
