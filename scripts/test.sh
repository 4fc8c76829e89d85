#!/bin/bash
# Installs what the tests need (once), builds everything and runs the whole
# suite headless, then again under AddressSanitizer + UndefinedBehavior-
# Sanitizer, then each fuzz target briefly on its seed corpus. Offscreen
# suites run directly, real-window suites under Xvfb. Exits non-zero on any
# failure and ends with one line "N passed, N failed".
#
#   FAST=1 scripts/test.sh   skips the sanitizer and fuzz stages
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh || exit 1

passed=0
failed=0
logdir=$(mktemp -d)

# run_ctest <build dir> <label>: runs one label's suites, adds up the counts.
run_ctest() {
  local dir=$1 label=$2 log
  log="$logdir/$(basename "$dir")-$label.log"
  if ! (cd "$dir" && ctest -N -L "$label" | grep -q 'Total Tests: [1-9]'); then
    return 0
  fi
  echo "== $dir: $label suites =="
  if [ "$label" = xvfb ]; then
    (cd "$dir" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -L "$label") 2>&1 | tee "$log"
  else
    (cd "$dir" && ctest --output-on-failure -L "$label") 2>&1 | tee "$log"
  fi
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

build_or_fail() {
  if ! ./scripts/build.sh "$@"; then
    echo "build failed: $*"
    failed=$((failed + 1))
    return 1
  fi
}

if build_or_fail build; then
  run_ctest build offscreen
  run_ctest build xvfb
  # The whole program in a real X session with a window manager, driven
  # from outside; screenshots are left in build/test-artifacts/e2e.
  echo "== end-to-end desktop test =="
  rm -rf build/test-artifacts/e2e
  if timeout 600 xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
    /usr/bin/python3 e2e/test_desktop.py --app build/app/ratiomat --artifacts build/test-artifacts/e2e \
    2>&1 | grep -v -E 'dbus-daemon|org.a11y|SpiRegistry|XDG_RUNTIME_DIR' | tee "$logdir/e2e.log"; then :; fi
  if grep -qE '^[0-9]+ passed, 0 failed$' "$logdir/e2e.log"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
fi

if [ "${FAST:-0}" != 1 ]; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  if build_or_fail build-asan -DRATIOMAT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug; then
    run_ctest build-asan offscreen
    run_ctest build-asan xvfb
  fi
  unset ASAN_OPTIONS UBSAN_OPTIONS

  if CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DRATIOMAT_FUZZ=ON >/dev/null &&
    cmake --build build-fuzz --target fuzzers; then
    seconds=${FUZZ_SECONDS:-15}
    for target in $(find build-fuzz -type f -executable -name 'fuzz_*' | sort); do
      name=$(basename "$target")
      src=$(dirname "${target#build-fuzz/}")
      seeds=""
      for d in "$src/corpus/${name#fuzz_}" "$src/corpus" "$src/fuzz/corpus/${name#fuzz_}" "$src/fuzz/corpus"; do
        if [ -z "$seeds" ] && [ -d "$d" ]; then seeds=$d; fi
      done
      work=$(mktemp -d)
      echo "== fuzzing $name for ${seconds}s (seeds: $seeds) =="
      if "$target" -max_total_time="$seconds" -print_final_stats=1 "$work" "$seeds" >"$logdir/$name.log" 2>&1; then
        grep -E '^Done [0-9]+ runs' "$logdir/$name.log"
        passed=$((passed + 1))
      else
        tail -40 "$logdir/$name.log"
        failed=$((failed + 1))
      fi
      rm -rf "$work"
    done
  else
    echo "fuzz build failed"
    failed=$((failed + 1))
  fi
fi

# ---- Debian package and printing through CUPS ----------------------------
# The package is built, checked, installed, started and removed (as root
# only: anywhere else this stage fails with its reason); the report is
# printed through a private CUPS daemon. Each script ends with
# "N passed, M failed", which is added to the totals.
add_counts() { # add_counts <log>
  local line
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$1" | tail -1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + ${line%% passed*}))
  line=${line#* passed, }
  failed=$((failed + ${line%% failed}))
}
echo "== Debian package =="
./scripts/test-package.sh 2>&1 | tee "$logdir/package.log"
add_counts "$logdir/package.log"
echo "== printing through CUPS =="
./scripts/test-cups.sh build 2>&1 | tee "$logdir/cups.log"
add_counts "$logdir/cups.log"
# ---- end of Debian package and CUPS ---------------------------------------

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
