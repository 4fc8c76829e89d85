#!/bin/bash
# Builds and runs every benchmark and prints one table: each figure, the
# baseline measured in the same run that does the same work with the least
# machinery, their ratio, the target, and whether it was met. Exits non-zero
# when any figure misses its target (or a benchmark fails).
#
#   scripts/bench.sh [build dir]     (default build/)
#
# Timings are CPU-time medians of many repetitions, so other work on the
# machine affects them little; they are still kept out of scripts/test.sh.
# The start-up figure held to its target is a count of instructions under
# valgrind, which the host's load does not move; without valgrind it fails.
set -uo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
./scripts/install-deps.sh || exit 1
cmake -S . -B "$dir" -G Ninja >/dev/null || exit 1
benches=$(sed -nE 's/^ratiomat_add_bench\(([a-z0-9_]+).*/\1/p' bench/CMakeLists.txt)
# shellcheck disable=SC2086
cmake --build "$dir" --target $benches || exit 1

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
failed=0
if ! command -v valgrind >/dev/null; then
  echo "bench.sh: valgrind is not installed: the start-up instruction count cannot be taken and fails" >&2
  echo "          (install it: apt-get install valgrind)" >&2
fi
for b in $benches; do
  echo "== $b" >&2
  "$dir/bench/$b" >"$log.out" 2>"$log.err"
  rc=$?
  if [ "$rc" -ne 0 ]; then
    failed=$((failed + 1))
    if ! grep -q '^RESULT|' "$log.out"; then
      echo "RESULT|$b: did not run (exit status $rc)|-|-||-|missed" >>"$log.out"
      cat "$log.err" >&2
    fi
  fi
  grep '^RESULT|' "$log.out" >>"$log"
done
rm -f "$log.out" "$log.err"

awk -F'|' '
  BEGIN { printf "%-40s %12s %12s %8s %10s  %s\n", "figure", "measured", "baseline", "ratio", "target", "result"
          printf "%-40s %12s %12s %8s %10s  %s\n", "------", "--------", "--------", "-----", "------", "------" }
  {
    unit = ($5 == "") ? "" : " " $5
    if ($3 == "-") { m = "-"; b = "-"; r = "-" }
    else {
      m = sprintf("%.3f%s", $3, unit); b = sprintf("%.3f%s", $4, unit)
      r = ($4 > 0) ? sprintf("%.2fx", $3 / $4) : "-"
    }
    printf "%-40s %12s %12s %8s %10s  %s\n", $2, m, b, r, $6, $7
    if ($7 == "missed") missed++
  }
  END { printf "\n%d figure(s) missed their target\n", missed + 0 }' "$log"

missed=$(grep -c '|missed$' "$log")
[ "$missed" -eq 0 ] && [ "$failed" -eq 0 ]
