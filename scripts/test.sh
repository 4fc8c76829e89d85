#!/bin/bash
# Installs what the tests need (once), checks the formatting and the layers, builds
# everything (the ci preset: warnings are errors) and runs the whole suite
# headless, in the C locale and in a Danish one; then clang-tidy and clazy
# over the sources; then the end-to-end desktop test; then the suite again
# under AddressSanitizer + UndefinedBehaviorSanitizer, and built with clang;
# then each fuzz target briefly on its seed corpus; then the report printed
# through a private CUPS daemon, and the Debian package built, installed,
# started and removed. The builds are the presets of CMakePresets.json.
# Exits non-zero on any failure and ends with one line "N passed, M failed".
#
#   FAST=1 scripts/test.sh   skips the sanitizer, clang, fuzz and package stages
#
# Every stage is one call that adds its own counts through `tally` and counts
# as a failure when it ran nothing: a check that tested nothing never passes.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
./scripts/install-deps.sh || exit 1
# Every tool is installed and the run is meant to be as root: a test that
# would skip for a missing tool or privilege fails instead (core/tests/need.h).
export RATIOMAT_NO_SKIPS=1

passed=0
failed=0
logdir=$(mktemp -d)
trap 'rm -rf "$logdir"' EXIT

# tally <stage> <passed> <failed>: adds a stage's counts; a stage that ran
# nothing is one failure.
tally() {
  local stage=$1 ok=${2:-0} bad=${3:-0}
  if [ $((ok + bad)) -eq 0 ]; then
    echo "FAILED: $stage ran nothing"
    bad=1
  fi
  passed=$((passed + ok))
  failed=$((failed + bad))
}

# in_locale <LANG value> <command...>: runs a command with only LANG naming
# the locale (the LC_* variables would override it).
in_locale() {
  local lang=$1
  shift
  local unset=() v
  for v in $(compgen -e | grep -E '^(LC_[A-Z_]+|LANGUAGE)$'); do unset+=(-u "$v"); done
  env "${unset[@]}" LANG="$lang" "$@"
}

# locale_missing <stage> <LANG value>: fails the stage when the C library
# cannot set the locale. Qt would still read the language from LANG, but the
# process would run in "C", so a stage meant to run under a decimal comma
# would not.
locale_missing() {
  local err
  err=$(in_locale "$2" locale 2>&1 >/dev/null)
  [ -z "$err" ] && return 1
  echo "FAILED: $1: the C library lacks the locale $2 (scripts/install-deps.sh generates it): ${err%%$'\n'*}"
  failed=$((failed + 1))
}

# run_ctest <build dir> <label> <LANG value>: runs one label's suites in a
# locale and adds up the counts; the xvfb label's suites get an X server.
run_ctest() {
  local dir=$1 label=$2 lang=$3 stage log line total bad
  stage="$dir: $label suites, LANG=$lang"
  log="$logdir/$(basename "$dir")-$label-$lang.log"
  echo "== $stage =="
  locale_missing "$stage" "$lang" && return
  local x=()
  if [ "$label" = xvfb ]; then x=(xvfb-run -a -s "-screen 0 1280x1024x24"); fi
  (cd "$dir" && in_locale "$lang" "${x[@]}" ctest --output-on-failure -L "$label") 2>&1 | tee "$log"
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    tally "$stage" 0 0
    return
  fi
  bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  tally "$stage" $((total - bad)) "$bad"
}

# source_files <name pattern>...: the checkout's files whose names match
# the patterns (in any folder), one a line, in git's order. In a git work
# tree of this folder with git at hand these are the tracked files;
# otherwise (a release tarball, a Debian source package, a machine without
# git) every file outside .git and the folders .gitignore keeps out of the
# repository, which in a clean checkout is the same list.
if command -v git >/dev/null 2>&1 && [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
  files_from="git ls-files"
else
  files_from="find"
fi
source_files() {
  local p spec=() names=()
  for p in "$@"; do
    spec+=(":(glob)**/$p")
    names+=(-o -name "$p")
  done
  if [ "$files_from" = find ]; then
    find . -type d \( -path ./.git -o -path './build*' -o -path ./.cache -o -path ./test-artifacts \) -prune \
      -o -type f \( "${names[@]:1}" \) -print | sed 's|^\./||' | LC_ALL=C sort
  else
    git ls-files -- "${spec[@]}"
  fi
}

# check_suites <build dir> <label>...: every suite a CMakeLists.txt defines
# is registered with CTest, and every registered test carries a label some
# stage runs. A suite that dropped out would otherwise shrink a stage
# without failing it; finding no suites on either side fails too.
check_suites() {
  local dir=$1 defined registered missing stray
  shift
  defined=$(source_files CMakeLists.txt |
    xargs -r sed -nE 's/^ *(ratiomat_add_test\(|add_test\(NAME )([A-Za-z0-9_]+).*/\2/p' | sort -u)
  registered=$(cd "$dir" && ctest -N | sed -nE 's/^ *Test +#[0-9]+: +//p' | sort -u)
  echo "== $dir: $(grep -c . <<<"$defined") suites defined in CMakeLists.txt files ($files_from)," \
    "$(grep -c . <<<"$registered") registered with CTest =="
  if [ -z "$defined" ] || [ -z "$registered" ]; then
    echo "FAILED: $dir: the suite-registration check found nothing to compare"
    failed=$((failed + 1))
    return
  fi
  missing=$(comm -23 <(echo "$defined") <(echo "$registered"))
  if [ -n "$missing" ]; then
    echo "FAILED: $dir: suites defined but not registered with CTest:"
    echo "$missing"
    failed=$((failed + 1))
  fi
  stray=$(cd "$dir" && ctest -N -LE "^($(IFS='|' && echo "$*"))\$" | grep -E '^ *Test +#')
  if [ -n "$stray" ]; then
    echo "FAILED: $dir: tests that no stage runs (labels other than $*):"
    echo "$stray"
    failed=$((failed + 1))
  fi
}

# check_format: every C++ file of the checkout as clang-format writes it.
check_format() {
  local files=()
  mapfile -t files < <(source_files '*.cpp' '*.h')
  echo "== clang-format on ${#files[@]} files ($files_from) =="
  if [ ${#files[@]} -eq 0 ]; then
    tally "formatting" 0 0
  elif clang-format --dry-run --Werror "${files[@]}"; then
    tally "formatting" 1 0
  else
    echo "FAILED: not formatted; run clang-format -i on the files named above"
    tally "formatting" 0 1
  fi
}

# tally_output <stage> <log> <exit status>: adds the counts of the last
# "N passed, M failed" line a stage printed; a non-zero exit with no
# failure counted is one failure.
tally_output() {
  local stage=$1 log=$2 rc=$3 line ok=0 bad=0
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -1)
  if [ -n "$line" ]; then
    ok=${line%% passed*}
    bad=${line#* passed, }
    bad=${bad%% failed}
  fi
  if [ "$rc" -ne 0 ] && [ "$bad" -eq 0 ]; then
    echo "FAILED: $stage exited with $rc"
    bad=1
  fi
  tally "$stage" "$ok" "$bad"
}

# run_counted <stage> <command...>: a stage that prints its own
# "N passed, M failed" line.
run_counted() {
  local stage=$1 log="$logdir/stage.log"
  shift
  echo "== $stage =="
  "$@" 2>&1 | tee "$log"
  tally_output "$stage" "$log" "${PIPESTATUS[0]}"
}

# run_e2e <LANG value>: the whole program in a real X session with a window
# manager, driven from outside; screenshots are left in
# build/test-artifacts/e2e. Each step counts; the test itself fails when it
# ran fewer steps than it defines.
run_e2e() {
  local lang=$1 stage="end-to-end desktop test, LANG=$1" rc
  echo "== $stage =="
  locale_missing "$stage" "$lang" && return
  rm -rf build/test-artifacts/e2e
  in_locale "$lang" timeout 600 xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
    /usr/bin/python3 e2e/test_desktop.py --app build/app/ratiomat \
    --artifacts build/test-artifacts/e2e >"$logdir/e2e.raw" 2>&1
  rc=$?
  grep -v -E 'dbus-daemon|org.a11y|SpiRegistry|XDG_RUNTIME_DIR' "$logdir/e2e.raw" | tee "$logdir/e2e.log"
  tally_output "$stage" "$logdir/e2e.log" "$rc"
}

# build_or_fail <preset>: a failed build is one failure.
build_or_fail() {
  if ! ./scripts/build.sh "$@"; then
    echo "FAILED: build $*"
    failed=$((failed + 1))
    return 1
  fi
}

check_format
run_counted "include check (docs/architecture.md's dependency table)" /usr/bin/python3 scripts/check_includes.py

if build_or_fail ci; then
  check_suites build offscreen xvfb
  run_ctest build offscreen C.UTF-8
  run_ctest build offscreen da_DK.UTF-8
  run_ctest build xvfb C.UTF-8
  run_counted "clang-tidy and clazy" ./scripts/static-analysis.sh build
  run_e2e C.UTF-8
  run_counted "end-to-end desktop test on Wayland" ./scripts/test-wayland.sh build
fi

if [ "${FAST:-0}" != 1 ]; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  if build_or_fail asan; then
    # The xvfb suite measures resident memory, which the sanitizer's
    # quarantine hides: it runs in the plain build only.
    check_suites build-asan offscreen xvfb
    run_ctest build-asan offscreen C.UTF-8
    run_ctest build-asan offscreen da_DK.UTF-8
  fi
  unset ASAN_OPTIONS UBSAN_OPTIONS

  # The program and its suites built with clang-14, warnings as errors: what
  # one compiler lets through, the other may not.
  if build_or_fail clang; then
    check_suites build-clang offscreen xvfb
    run_ctest build-clang offscreen C.UTF-8
  fi

  if cmake --preset fuzz >/dev/null && cmake --build --preset fuzz; then
    seconds=${FUZZ_SECONDS:-15}
    for target in $(find build-fuzz -type f -executable -name 'fuzz_*' | sort); do
      name=$(basename "$target")
      src=$(dirname "${target#build-fuzz/}")
      seeds=""
      for d in "$src/corpus/${name#fuzz_}" "$src/corpus" "$src/fuzz/corpus/${name#fuzz_}" "$src/fuzz/corpus"; do
        if [ -z "$seeds" ] && [ -d "$d" ]; then seeds=$d; fi
      done
      if [ -z "$seeds" ]; then
        echo "FAILED: $name has no seed corpus"
        failed=$((failed + 1))
        continue
      fi
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
    [ -n "$(find build-fuzz -type f -executable -name 'fuzz_*')" ] || tally "fuzzing" 0 0
  else
    echo "fuzz build failed"
    failed=$((failed + 1))
  fi
fi

run_counted "printing through CUPS" ./scripts/test-cups.sh build
# The package is built, checked, installed, started and removed (as root
# only: anywhere else this stage fails with its reason).
[ "${FAST:-0}" = 1 ] || run_counted "Debian package" ./scripts/test-package.sh

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
