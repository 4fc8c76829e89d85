#!/bin/sh
# Writes the reference pictures the suites compare the windows with (each
# folder's tests/references/*.png) from the program as it is now: run it
# only after a deliberate change to what a window shows, then look at every
# changed picture (git diff --stat shows which) before committing them.
# Renders offscreen at scale 1 in the C locale, with the fonts
# scripts/install-deps.sh installs, as the test suites compare them.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh >/dev/null
./scripts/build.sh dev >/dev/null
cd build
env -u LC_ALL -u LANGUAGE LANG=C.UTF-8 RATIOMAT_UPDATE_REFERENCES=1 ctest -L offscreen --output-on-failure
