#!/bin/sh
# Renders the README's screenshots from the real program into docs/screenshots.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh dev >/dev/null
QT_QPA_PLATFORM=offscreen ./build/tools/ratiomat_screenshots docs/screenshots
