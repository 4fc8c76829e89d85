#!/bin/bash
# Prints the report through a real print service: starts a private CUPS
# daemon (its own configuration folder, socket and loopback port, nothing of
# the system's), runs the test_print_cups suite against it under Xvfb, then
# stops the daemon by its process id and removes its folder. The suite adds
# its own PDF-writing printers to the daemon.
#
#   scripts/test-cups.sh [build dir]     (default build/)
#
# Ends with one line "N passed, M failed" (the suite's test functions) and
# exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
build=${1:-build}

fail() {
  echo "test-cups: $*" >&2
  echo "0 passed, 1 failed"
  exit 1
}

for tool in cupsd lpadmin lpstat pdftotext xvfb-run python3; do
  command -v "$tool" >/dev/null || PATH=$PATH:/usr/sbin command -v "$tool" >/dev/null ||
    fail "$tool is missing: run scripts/install-deps.sh"
done
export PATH=$PATH:/usr/sbin

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja >/dev/null || fail "configuring $build failed"
fi
cmake --build "$build" --target test_print_cups || fail "building test_print_cups failed"
suite=$(find "$build" -name test_print_cups -type f -executable | head -1)
[ -n "$suite" ] || fail "no test_print_cups in $build"
suite=$(realpath "$suite")

root=$(mktemp -d /tmp/ratiomat-cups.XXXXXX)
cupsd_pid=""
cleanup() {
  if [ -n "$cupsd_pid" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
    kill -TERM "$cupsd_pid"
    wait "$cupsd_pid" 2>/dev/null
  fi
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The daemon hands jobs to its filters as user lp, who must reach the spool.
chmod 0755 "$root"
mkdir -p "$root"/{etc/ppd,spool/tmp,cache,state,log,out,home}
chmod 0777 "$root/out"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# As root the daemon runs its filters as lp; otherwise as the caller.
if [ "$(id -u)" = 0 ]; then
  accounts="User lp
Group lp
SystemGroup root"
else
  accounts="SystemGroup $(id -gn)"
fi

cat >"$root/etc/cups-files.conf" <<CONF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
FileDevice Yes
Printcap $root/printcap
$accounts
CONF
cat >"$root/etc/cupsd.conf" <<CONF
LogLevel info
Listen 127.0.0.1:$port
Listen $root/cups.sock
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

# The queues' driver: takes PDF, which is what Qt sends, and passes it on
# unchanged, so a queue whose device is a file writes the PDF. (The daemon
# alone has no filters; a queue without any writes nothing.)
mkdir -p "$root/bin"
printf '#!/bin/sh\nexec cat ${6:+"$6"}\n' >"$root/bin/passthrough"
chmod 0755 "$root/bin" "$root/bin/passthrough"
cat >"$root/pdf-file.ppd" <<PPD
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "RMPDF.PPD"
*Manufacturer: "Ratiomat"
*Product: "(PDF file)"
*ModelName: "PDF file"
*ShortNickName: "PDF file"
*NickName: "PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 $root/bin/passthrough"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea Letter/US Letter: "0 0 612 792"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/US Letter: "612 792"
PPD

cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" &
cupsd_pid=$!

# The program and the CUPS tools talk to this daemon only; settings of the
# machine's own CUPS (lpoptions, client.conf) are not read.
export CUPS_SERVER=$root/cups.sock
export CUPS_SERVERROOT=$root/etc
export HOME=$root/home
export RATIOMAT_CUPS_OUT=$root/out
export RATIOMAT_CUPS_PPD=$root/pdf-file.ppd

up=""
for _ in $(seq 100); do
  kill -0 "$cupsd_pid" 2>/dev/null || break
  if lpstat -r 2>/dev/null | grep -q "is running"; then up=1; break; fi
  sleep 0.1
done
if [ -z "$up" ]; then
  cat "$root/log/error_log" 2>/dev/null >&2
  fail "the private CUPS daemon did not start"
fi
echo "== private CUPS daemon $cupsd_pid on $CUPS_SERVER and 127.0.0.1:$port =="

log=$root/suite.log
timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$suite" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
totals=$(grep -E '^Totals: [0-9]+ passed, [0-9]+ failed' "$log" | tail -1)
passed=$(echo "$totals" | sed -nE 's/^Totals: ([0-9]+) passed.*/\1/p')
failed=$(echo "$totals" | sed -nE 's/^Totals: [0-9]+ passed, ([0-9]+) failed.*/\1/p')
passed=${passed:-0}
failed=${failed:-0}
if [ "$status" != 0 ] && [ "$failed" = 0 ]; then
  failed=1 # crashed or timed out before its totals
fi
if [ "$failed" != 0 ]; then
  echo "-- CUPS error log --"
  tail -30 "$root/log/error_log"
fi
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
