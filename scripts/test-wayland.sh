#!/bin/bash
# The end-to-end desktop test on Wayland: the built program
# (QT_QPA_PLATFORM=wayland) under a headless sway of the test's own, driven
# with real input (e2e/test_desktop.py --wayland). sway will not run as
# root, so as root the test runs as a user made for this run and removed
# again. Screenshots go to <build dir>/test-artifacts/wayland.
# Ends with one line "N passed, M failed" and exits non-zero on any failure,
# a compositor that would not start included.
#
#   scripts/test-wayland.sh [build dir]
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
build=${1:-build}
art=$build/test-artifacts/wayland
rm -rf "$art"
mkdir -p "$art" || exit 1

fail() {
  echo "FAILED: $1"
  echo "0 passed, 1 failed"
  exit 1
}

[ -x "$build/app/ratiomat" ] || fail "no program at $build/app/ratiomat"

# run_test <program> <e2e folder> <artefacts> [as user]
run_test() {
  local as=()
  # The D-Bus session and everything after it belong to the user; root's
  # runtime folder would be out of its reach.
  if [ -n "${4:-}" ]; then as=(runuser -u "$4" -- env -u XDG_RUNTIME_DIR); fi
  "${as[@]}" timeout 600 dbus-run-session -- /usr/bin/python3 "$2/test_desktop.py" --wayland \
    --app "$1" --artifacts "$3" 2>&1 | grep --line-buffered -v -E 'dbus-daemon|org.a11y|SpiRegistry'
  return "${PIPESTATUS[0]}"
}

if [ "$(id -u)" != 0 ]; then
  run_test "$build/app/ratiomat" e2e "$art"
  exit
fi

user=ratiomat-wayland-$$
work=$(mktemp -d) || fail "no temporary folder"
made=""
# shellcheck disable=SC2317 # run by the trap
cleanup() {
  if [ -n "$made" ]; then
    # The user exists for this run only: whatever it still runs is the test's.
    pkill -KILL -u "$user" 2>/dev/null
    sleep 0.5
    userdel "$user" || echo "test-wayland: could not remove the user $user" >&2
  fi
  rm -rf "$work"
}
trap cleanup EXIT
useradd --system --no-create-home --home-dir "$work/home" --shell /usr/sbin/nologin "$user" ||
  fail "could not create the user $user to run sway"
made=1
# The checkout may sit where that user cannot read (root's home, say): it
# runs copies of the program and the test.
if ! mkdir "$work/home" "$work/art" || ! cp -r e2e "$build/app/ratiomat" "$work/" || ! chown -R "$user:" "$work"; then
  fail "could not prepare $work for $user"
fi
run_test "$work/ratiomat" "$work/e2e" "$work/art" "$user"
rc=$?
cp -r "$work/art/." "$art/"
exit "$rc"
