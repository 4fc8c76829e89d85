#!/bin/bash
# Tests the Debian package as Debian's tools and a rider meet it:
#  - builds it twice (scripts/package.sh), in two build folders and at least
#    a minute apart, and requires byte-identical packages (diffoscope shows
#    the first difference);
#  - checks its contents, its dependencies, lintian --pedantic's verdict and
#    the hardening of the program;
#  - installs it and its debug symbols with apt-get, so its dependencies
#    resolve, and reads a symbolised back trace of the installed program;
#  - runs the installed program's autopkgtest checks (debian/tests) with
#    autopkgtest's null runner: the main window, the end-to-end visit on
#    X11 and the report printed to PDF;
#  - removes the packages and whatever the install pulled in, leaving the
#    machine's packages as they were.
#
# Installs and removes system packages, so it runs only as root (as in CI);
# elsewhere it fails with a message and touches nothing. Ends with one line
# "N passed, M failed" and exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

passed=0
failed=0
check() { # check <what> <command...>
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
    passed=$((passed + 1))
  else
    echo "FAILED: $what"
    failed=$((failed + 1))
  fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

if [ "$(id -u)" != 0 ]; then
  echo "test-package: must run as root: it installs and removes the ratiomat package (nothing was changed)" >&2
  failed=1
  finish
fi
for p in ratiomat ratiomat-dbgsym; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    echo "test-package: $p is already installed here; remove it first (nothing was changed)" >&2
    failed=1
    finish
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
first=build-package
second=build-package-again

echo "== building the package =="
start=$(date +%s)
if ! ./scripts/package.sh "$first" >"$work/package.log" || ! deb=$(tail -1 "$work/package.log") || [ ! -f "$deb" ]; then
  check "scripts/package.sh builds the package" false
  finish
fi
version=$(sed -nE 's/^project\(Ratiomat VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
check "scripts/package.sh leaves ratiomat_<version>_amd64.deb here ($deb)" test "$deb" = "ratiomat_${version}_amd64.deb"
dbgsym=ratiomat-dbgsym_${version}_amd64.deb
check "and the debug symbols, $dbgsym" test -f "$dbgsym"

# The second build starts a minute after the first at the earliest, so that
# a time stamp of the build's own would show.
echo "== building it again in $second/ =="
sleep $((start + 60 - $(date +%s) > 0 ? start + 60 - $(date +%s) : 0))
if ! ./scripts/package.sh "$second" >/dev/null; then
  check "scripts/package.sh builds the package again in $second/" false
fi
# same_package <a.deb> <b.deb>: byte-identical, or the first file that
# differs inside them, and diffoscope's account of the difference.
same_package() {
  cmp -s "$1" "$2" && return
  rm -rf "$work/a" "$work/b"
  dpkg-deb -R "$1" "$work/a" && dpkg-deb -R "$2" "$work/b"
  # The installed files first: the md5sums list only follows from them.
  diff -rq "$work/a" "$work/b" 2>&1 | sed -E "s|$work/[ab]/||g; s/^Files (.*) and .* differ\$/\1/" |
    awk '/DEBIAN\/md5sums/ { last = $0; next } { print } END { if (last) print last }' >"$work/differ"
  echo "$1 and $2 differ; the first differing file: $(head -1 "$work/differ")"
  if command -v diffoscope >/dev/null; then
    diffoscope --text - "$1" "$2" | head -60
  fi
  return 1
}
compared=0
differ=0
names_a=$(cd "$first" && ls -- *.deb 2>/dev/null)
names_b=$(cd "$second" && ls -- *.deb 2>/dev/null)
for f in $names_a; do
  compared=$((compared + 1))
  same_package "$first/$f" "$second/$f" || differ=$((differ + 1))
done
check "the two builds made the same packages ($(echo $names_a))" test -n "$names_a" -a "$names_a" = "$names_b"
check "$compared packages of the two builds are byte-identical" test "$compared" -ge 2 -a "$differ" = 0

# Contents: the program, its menu entry, icons, metainfo and the files
# Debian asks of every package.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
expected="/usr/bin/ratiomat
/usr/share/applications/org.example.ratiomat.desktop
/usr/share/metainfo/org.example.ratiomat.metainfo.xml
/usr/share/icons/hicolor/scalable/apps/org.example.ratiomat.svg
/usr/share/icons/hicolor/16x16/apps/org.example.ratiomat.png
/usr/share/icons/hicolor/256x256/apps/org.example.ratiomat.png
/usr/share/doc/ratiomat/copyright
/usr/share/doc/ratiomat/changelog.gz
/usr/share/man/man1/ratiomat.1.gz"
missing=$(echo "$expected" | grep -vxFf "$work/contents")
check "the package holds program, desktop entry, icons, metainfo, copyright, changelog, manual${missing:+ (missing: $missing)}" \
  test -z "$missing"
dpkg-deb -x "$deb" "$work/root"
check "the manual page names version $version" \
  bash -c "zcat '$work/root/usr/share/man/man1/ratiomat.1.gz' | grep -q '\"Ratiomat $version\"'"
stray=$(grep -vE '^/usr/(bin|share)/|^/usr/$|^/$' "$work/contents")
check "the package installs nothing outside /usr/bin and /usr/share${stray:+ (found: $stray)}" test -z "$stray"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
check "its dependencies come from the program's libraries (libc6, Qt 6 widgets and printing)" \
  bash -c "grep -q 'libc6' <<<'$depends' && grep -q 'libqt6widgets6' <<<'$depends' && grep -q 'libqt6printsupport6' <<<'$depends'"
check "it depends on Qt's catalogue and recommends the Wayland plugin" \
  bash -c "grep -q 'qt6-translations-l10n' <<<'$depends' && dpkg-deb -f '$deb' Recommends | grep -q 'qt6-wayland'"

echo "== lintian --pedantic =="
# Source and binary packages; a tag counts unless debian/*.lintian-overrides
# overrides it, and each override says why in a comment above it.
lintian --pedantic --fail-on error,warning,info,pedantic "$first/ratiomat_${version}_amd64.changes" 2>&1 |
  grep -v 'running with root privileges' | tee "$work/lintian"
check "lintian --pedantic reports no tag beyond the overridden ones" test "${PIPESTATUS[0]}" = 0
overrides=$(ls debian/*lintian-overrides debian/source/lintian-overrides 2>/dev/null)
if [ -n "$overrides" ]; then
  uncommented=$(awk '/^#/ { c = 1; next } /^[^[:space:]]/ { if (!c) print; c = 0 } /^$/ { c = 0 }' $overrides)
  check "every lintian override has its reason above it${uncommented:+ (none for: $uncommented)}" test -z "$uncommented"
else
  echo "(no lintian overrides: lintian has nothing to be told)"
fi

echo "== hardening =="
# Debian 12's C library startup files (crti.o's _init) carry no IBT or
# shadow-stack marking, so the linker rightly leaves it off the program
# though every object of its own has it: the control-flow protection is
# checked in the build log and the disassembly instead (below).
hardening-check --nocfprotection "$work/root/usr/bin/ratiomat" | tee "$work/hardening"
check "hardening-check finds PIE, stack protector, fortify, RELRO and BIND_NOW" test "${PIPESTATUS[0]}" = 0
compiles=$(grep -cE '/usr/bin/c\+\+ .* -c ' "$first/build.log")
unhardened=$(grep -E '/usr/bin/c\+\+ .* -c ' "$first/build.log" | grep -vc -- '-fcf-protection -fstack-clash-protection')
check "all $compiles compiler calls had -fcf-protection and -fstack-clash-protection" test "$compiles" -gt 0 -a "$unhardened" = 0

# What is installed before, to remove exactly what the install adds.
dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^ii/ {print $2}' | sort >"$work/before"

echo "== installing =="
export DEBIAN_FRONTEND=noninteractive
if apt-get install -y -q "./$deb" "./$dbgsym" >"$work/apt.log" 2>&1; then
  check "apt-get install ./$deb ./$dbgsym" true
  # A back trace from inside the running program: function names, and file
  # and line from the debug symbols (the sources are not installed).
  (cd "$work" && QT_QPA_PLATFORM=offscreen timeout 120 gdb -nx -batch -ex 'break app::prepareApplication' -ex run -ex bt \
    -ex 'x/i main' -ex kill /usr/bin/ratiomat) >"$work/gdb" 2>&1
  grep -E '^#|<main' "$work/gdb"
  check "gdb's back trace of the installed program names functions, files and lines" \
    bash -c "grep -qE '^#0 +app::prepareApplication \(\) at \./app/startup\.cpp:[0-9]+' '$work/gdb' &&
      grep -qE '^#1 .* main \(.*\) at \./app/main\.cpp:[0-9]+' '$work/gdb'"
  check "its code has the control-flow protection's landing pads (endbr64 at main)" \
    grep -qE '<main[^>]*>:[[:space:]]+endbr64' "$work/gdb"

  echo "== autopkgtest (null runner) =="
  timeout 900 autopkgtest --output-dir "$work/autopkgtest" "$deb" "$first/ratiomat_${version}.dsc" -- null \
    >"$work/autopkgtest.log" 2>&1
  rc=$?
  grep -vE 'dbus-daemon|org.a11y|SpiRegistry' "$work/autopkgtest.log" | tail -40
  summary=$(cat "$work/autopkgtest/summary" 2>/dev/null)
  for t in $(sed -nE 's/^Tests:[[:space:]]*//p' debian/tests/control); do
    check "autopkgtest $t passes" grep -qE "^$t +PASS" <<<"$summary"
  done
  check "autopkgtest ran every test of debian/tests/control and passed (exit $rc)" test "$rc" = 0 -a -n "$summary"
else
  cat "$work/apt.log"
  check "apt-get install ./$deb ./$dbgsym" false
fi

echo "== removing =="
apt-get purge -y -q ratiomat ratiomat-dbgsym >"$work/purge.log" 2>&1 || cat "$work/purge.log"
dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^ii/ {print $2}' | sort >"$work/after"
added=$(comm -13 "$work/before" "$work/after" | tr '\n' ' ')
if [ -n "$added" ]; then
  echo "removing what the install pulled in: $added"
  # shellcheck disable=SC2086
  apt-get purge -y -q $added >>"$work/purge.log" 2>&1 || cat "$work/purge.log"
  dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^ii/ {print $2}' | sort >"$work/after"
fi
check "the packages are gone, with no files left" \
  bash -c "! dpkg-query -W ratiomat >/dev/null 2>&1 && ! dpkg-query -W ratiomat-dbgsym >/dev/null 2>&1 && [ ! -e /usr/bin/ratiomat ] && [ ! -e /usr/share/applications/org.example.ratiomat.desktop ]"
check "the machine has the packages it had before" cmp -s "$work/before" "$work/after"

finish
