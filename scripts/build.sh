#!/bin/sh
# Configures and builds Ratiomat into ./build (or $1). Extra arguments go to
# CMake, for example -DRATIOMAT_SANITIZE=ON.
set -eu
cd "$(dirname "$0")/.."
dir=${1:-build}
[ $# -gt 0 ] && shift
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir"
