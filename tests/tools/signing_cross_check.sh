#!/usr/bin/env bash
# updmanifest's signing verbs in both builds: a signature made by either
# (OpenSSL natively, CNG under Wine) verifies in the other, a changed
# manifest or another key is refused by both, and the private key file is
# readable by its owner only.
#   signing_cross_check.sh NATIVE_UPDMANIFEST WINDOWS_UPDMANIFEST WORK_FOLDER
set -uo pipefail
native=$1 windows=$2 work=$3
rm -rf "$work" && mkdir -p "$work/release/data" "$work/www" && cd "$work" || exit 1
failures=0
expect() {  # expect CODE WHAT command...
  local code=$1 what=$2; shift 2
  "$@" >out.txt 2>&1; local got=$?
  if [ "$got" != "$code" ]; then
    echo "FAIL: $what: exit $got, wanted $code"; tr -d '\r' <out.txt; failures=$((failures + 1))
  fi
}
win() { wine "$windows" "$@"; }

printf 'core' >release/Quonel.dll
printf 'map' >'release/data/maps.pak'

expect 0 "native keygen" "$native" keygen native
expect 0 "Windows keygen" win keygen windows
[ "$(stat -c %a native.key)" = 600 ] || { echo "FAIL: native.key is not owner-only"; failures=$((failures + 1)); }
expect 1 "keygen over an existing key" "$native" keygen native

# Made and signed in one go natively; checked by the Windows build.
expect 0 "native --sign" "$native" --sign native.key --datetime "2026/12/7 9:05:00" --output www/quonel.htm release
expect 0 "Windows verifies a native signature" win verify native.pub www/quonel.htm
expect 1 "Windows refuses another key" win verify windows.pub www/quonel.htm

# Signed by the Windows build; checked natively.
expect 0 "Windows sign" win sign windows.key www/quonel.htm --serial 7 --expires 3 --product quonel
expect 0 "native verifies a Windows signature" "$native" verify windows.pub www/quonel.htm
grep -q '^serial: 7$' www/quonel.htm.sig || { echo "FAIL: --serial not written"; failures=$((failures + 1)); }
expect 1 "native refuses another key" "$native" verify native.pub www/quonel.htm

# One byte more in the manifest: both refuse it, naming the size.
printf 'x' >>www/quonel.htm
expect 1 "native refuses a changed manifest" "$native" verify windows.pub www/quonel.htm
grep -q "the signature names" out.txt || { echo "FAIL: no reason given"; failures=$((failures + 1)); }
expect 1 "Windows refuses a changed manifest" win verify windows.pub www/quonel.htm

[ "$failures" = 0 ] && echo "signing cross-check: all passed"
exit $((failures > 0))
