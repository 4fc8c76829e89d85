#!/bin/sh
# Configures and builds Ratiomat with one of the presets of CMakePresets.json
# (default dev, into ./build; `cmake --list-presets` lists them all). Extra
# arguments go to CMake's configure step, for example -DRATIOMAT_TEST_TIMEOUT=120.
#
#   scripts/build.sh [PRESET] [CMAKE ARGS...]
#
# dev and ci share build/: switching between them rebuilds it, since ci adds
# -Werror to every compile.
set -eu
cd "$(dirname "$0")/.."
preset=${1:-dev}
[ $# -gt 0 ] && shift
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset"
