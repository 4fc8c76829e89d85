#!/bin/bash
# Builds the libFuzzer targets (clang-14, into ./build-fuzz) and runs each
# for RUNS executions (default 10,000,000) on its seed corpus, one target
# after the other. Prints one line per target: runs, seconds and findings,
# and exits non-zero when any target found something or failed to run.
#
#   scripts/fuzz.sh [RUNS] [TARGET...]   e.g. scripts/fuzz.sh 100000 fuzz_decimal
#
# A target's seeds are found by the same convention as scripts/test.sh uses:
# <folder>/corpus/<name without fuzz_>, <folder>/corpus,
# <folder>/fuzz/corpus/<name without fuzz_> or <folder>/fuzz/corpus, where
# <folder> is where the target is defined. Logs, the inputs the run added and
# any crashing input stay in build-fuzz/fuzz-runs/<target>/. FUZZ_BUILD=<dir>
# builds and runs in another folder than build-fuzz. FUZZ_FLAGS adds libFuzzer
# options, e.g. FUZZ_FLAGS=-max_len=512 for a target whose long inputs are
# slow under the sanitizers; ASAN_OPTIONS replaces the one set below.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

runs=${1:-10000000}
[ $# -gt 0 ] && shift
case $runs in
'' | *[!0-9]*)
  echo "usage: $0 [RUNS] [TARGET...]" >&2
  exit 2
  ;;
esac

# Without allocation stacks: AddressSanitizer records one for every
# allocation and keeps each new one for good, and twenty minutes into a
# fuzz_entries run a quarter of the time went into looking them up. Every
# fault is still caught; run the input that found one on its own for the
# stacks of its allocation and release.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}

build=${FUZZ_BUILD:-build-fuzz}
# The fuzz preset (clang-14, RATIOMAT_FUZZ=ON), in $build, with $CXX if set.
cmake --preset fuzz -B "$build" -DCMAKE_CXX_COMPILER="${CXX:-clang++-14}" >/dev/null || exit 1
if [ $# -gt 0 ]; then
  cmake --build "$build" --target "$@" || exit 1
else
  cmake --build "$build" --target fuzzers || exit 1
fi

targets=$(find "$build" -type f -executable -name 'fuzz_*' -not -path '*/fuzz-runs/*' | sort)
status=0
printf '%-18s %12s %9s %9s\n' target runs seconds findings
for target in $targets; do
  name=$(basename "$target")
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$name"; then
    continue
  fi
  src=$(dirname "${target#"$build"/}")
  seeds=""
  for d in "$src/corpus/${name#fuzz_}" "$src/corpus" "$src/fuzz/corpus/${name#fuzz_}" "$src/fuzz/corpus"; do
    if [ -z "$seeds" ] && [ -d "$d" ]; then seeds=$d; fi
  done
  if [ -z "$seeds" ]; then
    echo "$name: no seed corpus" >&2
    status=1
    continue
  fi
  out=$build/fuzz-runs/$name
  rm -rf "$out"
  mkdir -p "$out/corpus" "$out/findings"
  start=$(date +%s.%N)
  # shellcheck disable=SC2086
  "$target" -runs="$runs" -timeout=10 -print_final_stats=1 -artifact_prefix="$out/findings/" ${FUZZ_FLAGS:-} \
    "$out/corpus" "$seeds" >"$out/log" 2>&1
  rc=$?
  seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
  executed=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$out/log" | tail -1)
  findings=$(find "$out/findings" -type f | wc -l)
  if [ "$rc" -ne 0 ] && [ "$findings" -eq 0 ]; then
    findings=1 # stopped without leaving an input: see the log
  fi
  printf '%-18s %12s %9.0f %9s\n' "$name" "${executed:-?}" "$seconds" "$findings"
  if [ "$findings" -ne 0 ]; then
    echo "  see $out/log and $out/findings/" >&2
    status=1
  fi
done
exit $status
