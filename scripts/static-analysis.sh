#!/bin/bash
# Runs clang-tidy (checks in .clang-tidy) and clazy (checks below) over the
# program's own sources: every file of the compile database that lies in the
# source tree outside the build folders, with the flags it was built with.
# Each tool on each file is one check, passed when the tool ran and reported
# nothing, in that file or in the source tree's headers it includes. Ends
# with "N passed, M failed"; a missing tool, a missing compile database or
# no file to check fails.
#
#   scripts/static-analysis.sh [BUILD DIR]    (default build; build it first)
#
# JOBS (default 2) runs that many files at once.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
build=${1:-build}
jobs=${JOBS:-2}

# clazy's checks: its levels 0 and 1, the checks its authors hold to be
# right with next to no false positives, less two:
#   qproperty-without-notify: the Q_PROPERTYs are the published properties
#     the translator reads and writes by their stored names
#     (i18n/components.h); nothing binds to them or watches them, so a
#     change signal would have no receiver.
#   qstring-ref: proposes QString::midRef() and its kin, which Qt 6 no
#     longer has (QStringView is what this check's advice comes to there).
CLAZY_CHECKS=level0,level1,no-qproperty-without-notify,no-qstring-ref

fail() {
  echo "static-analysis: $*" >&2
  echo "0 passed, 1 failed"
  exit 1
}

for tool in clang-tidy-14 clazy-standalone python3; do
  command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps.sh"
done
[ -f "$build/compile_commands.json" ] || fail "$build/compile_commands.json is missing: build $build first"

# The folders whose sources and headers are checked: every top folder with
# C++ files.
checked=()
for dir in */; do
  dir=${dir%/}
  case $dir in build*) continue ;; esac
  [ -n "$(find "$dir" -name '*.cpp' -print -quit)" ] && checked+=("$dir")
done
[ ${#checked[@]} -gt 0 ] || fail "no folder with C++ files to check"
folders=$(IFS='|' && echo "${checked[*]}")
header_filter="^$(pwd -P)/($folders)/[^/]+(/[^/]+)?\\.h\$"

mapfile -t files < <(/usr/bin/python3 - "$build/compile_commands.json" "$(pwd -P)" "$folders" <<'EOF'
import json, os, re, sys
database, root, folders = sys.argv[1:]
inside = re.compile(r"(%s)/" % folders)
names = set()
for entry in json.load(open(database)):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    if inside.match(path) and not path.startswith("build"):
        names.add(path)
print("\n".join(sorted(names)))
EOF
)
[ ${#files[@]} -gt 0 ] || fail "the compile database names no source file of ${checked[*]}"
echo "checking ${#files[@]} files of ${checked[*]}/"

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# run_tool <name> <command...>: runs the command on every file, $jobs at a
# time, each file's report in its own log with the exit status last.
run_tool() {
  local name=$1
  shift
  printf '%s\n' "${files[@]}" | xargs -P "$jobs" -I{} /bin/sh -c \
    'log="$1/$(echo "$2" | tr / _).$3"; shift 3; "$@" >"$log" 2>&1; echo "exit $?" >>"$log"' \
    _ "$logs" {} "$name" "$@" {}
}

start=$(date +%s)
run_tool tidy clang-tidy-14 -p "$build" --quiet --header-filter="$header_filter"
tidy_seconds=$(($(date +%s) - start))
start=$(date +%s)
run_tool clazy clazy-standalone -p "$build" --checks="$CLAZY_CHECKS" --header-filter="$header_filter" \
  --ignore-dirs='/usr/|/build[^/]*/'
clazy_seconds=$(($(date +%s) - start))

passed=0
failed=0
for tool in tidy clazy; do
  for file in "${files[@]}"; do
    log="$logs/$(echo "$file" | tr / _).$tool"
    # A finding names the file, line and column; the compiler's own
    # warnings and errors count as findings too.
    findings=$(grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' "$log")
    if [ -z "$findings" ] && grep -qx 'exit 0' "$log"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      echo "FAILED: $tool on $file"
      if [ -n "$findings" ]; then echo "$findings"; else grep -v '^exit ' "$log" | tail -20; fi
    fi
  done
done
echo "clang-tidy took ${tidy_seconds}s, clazy ${clazy_seconds}s on ${#files[@]} files with $jobs jobs"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
