#!/bin/bash
# Tests the Debian package as a rider meets it: builds it (scripts/package.sh),
# checks its contents and lintian's verdict, installs it with apt-get so its
# dependencies resolve, starts the installed program the way the desktop
# menu does (the Exec line of the installed desktop entry) under Xvfb and
# waits for its window, then removes the package and whatever the install
# pulled in, leaving the machine's packages as they were.
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
if dpkg-query -W -f='${Status}' ratiomat 2>/dev/null | grep -q "install ok installed"; then
  echo "test-package: ratiomat is already installed here; remove it first (nothing was changed)" >&2
  failed=1
  finish
fi

work=$(mktemp -d)
app_pid=""
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

echo "== building the package =="
if ! deb=$(./scripts/package.sh | tail -1) || [ ! -f "$deb" ]; then
  check "scripts/package.sh builds the package" false
  finish
fi
check "scripts/package.sh builds ratiomat_<version>_amd64.deb" \
  test "$deb" = "ratiomat_$(sed -nE 's/^project\(Ratiomat VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)_amd64.deb"

# Contents: the program, its menu entry, icons, metainfo and the files
# Debian asks of every package.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
expected="/usr/bin/ratiomat
/usr/share/applications/ratiomat.desktop
/usr/share/metainfo/org.example.ratiomat.Ratiomat.metainfo.xml
/usr/share/icons/hicolor/scalable/apps/ratiomat.svg
/usr/share/icons/hicolor/16x16/apps/ratiomat.png
/usr/share/icons/hicolor/256x256/apps/ratiomat.png
/usr/share/doc/ratiomat/copyright
/usr/share/doc/ratiomat/changelog.gz
/usr/share/man/man1/ratiomat.1.gz"
missing=$(echo "$expected" | grep -vxFf "$work/contents")
check "the package holds program, desktop entry, icons, metainfo, copyright, changelog, manual${missing:+ (missing: $missing)}" \
  test -z "$missing"
stray=$(grep -vE '^/usr/(bin|share)/|^/usr/$|^/$' "$work/contents")
check "the package installs nothing outside /usr/bin and /usr/share${stray:+ (found: $stray)}" test -z "$stray"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
check "its dependencies come from the program's libraries (libc6, Qt 6 widgets and printing)" \
  bash -c "grep -q 'libc6' <<<'$depends' && grep -q 'libqt6widgets6' <<<'$depends' && grep -q 'libqt6printsupport6' <<<'$depends'"
check "it depends on Qt's catalogue and recommends the Wayland plugin" \
  bash -c "grep -q 'qt6-translations-l10n' <<<'$depends' && dpkg-deb -f '$deb' Recommends | grep -q 'qt6-wayland'"

echo "== lintian =="
lintian --fail-on error "$deb" | tee "$work/lintian"
check "lintian reports no errors" test "${PIPESTATUS[0]}" = 0

# What is installed before, to remove exactly what the install adds.
dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^ii/ {print $2}' | sort >"$work/before"

echo "== installing =="
export DEBIAN_FRONTEND=noninteractive
if apt-get install -y -q "./$deb" >"$work/apt.log" 2>&1; then
  check "apt-get install ./$deb" true
  desktop=/usr/share/applications/ratiomat.desktop
  exec_line=$(sed -nE 's/^Exec=//p' "$desktop" | head -1)
  program=$(command -v "${exec_line%% *}")
  echo "desktop entry: Exec=$exec_line -> $program"
  check "the desktop entry starts the packaged program ($program)" \
    bash -c "dpkg -S '$program' 2>/dev/null | grep -q '^ratiomat:'"
  check "the installed desktop entry is valid" desktop-file-validate "$desktop"

  # The installed program in an X session of its own: its main window must
  # appear and be mapped (xdotool finds only viewable windows of its pid).
  cat >"$work/start.sh" <<'SH'
#!/bin/bash
"$1" & pid=$!
echo "$pid" >"$2"
if timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name '^Ratiomat$' >/dev/null; then
  status=0
else
  status=1
fi
kill -0 "$pid" 2>/dev/null || status=1
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
SH
  check "the installed program opens its main window" \
    timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" env -u QT_QPA_PLATFORM bash "$work/start.sh" "$program" "$work/pid"
  app_pid=$(cat "$work/pid" 2>/dev/null)
  check "the program has ended" bash -c "[ -z '$app_pid' ] || ! kill -0 '$app_pid' 2>/dev/null"
else
  cat "$work/apt.log"
  check "apt-get install ./$deb" false
fi

echo "== removing =="
apt-get purge -y -q ratiomat >"$work/purge.log" 2>&1 || cat "$work/purge.log"
dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^ii/ {print $2}' | sort >"$work/after"
added=$(comm -13 "$work/before" "$work/after" | tr '\n' ' ')
if [ -n "$added" ]; then
  echo "removing what the install pulled in: $added"
  # shellcheck disable=SC2086
  apt-get purge -y -q $added >>"$work/purge.log" 2>&1 || cat "$work/purge.log"
  dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^ii/ {print $2}' | sort >"$work/after"
fi
check "the package is gone, with no files left" \
  bash -c "! dpkg-query -W ratiomat >/dev/null 2>&1 && [ ! -e /usr/bin/ratiomat ] && [ ! -e /usr/share/applications/ratiomat.desktop ]"
check "the machine has the packages it had before" cmp -s "$work/before" "$work/after"

finish
