#!/bin/sh
# Installs what the tests need (once), builds everything and runs the whole
# suite headless: offscreen suites directly, real-window suites under Xvfb.
# Exits non-zero on any failure.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build

status=0
echo "== tests (offscreen) =="
(cd build && ctest --output-on-failure -L offscreen) || status=1
if (cd build && ctest -N -L xvfb | grep -q 'Total Tests: [1-9]'); then
  echo "== tests (Xvfb) =="
  (cd build && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -L xvfb) || status=1
fi
exit $status
