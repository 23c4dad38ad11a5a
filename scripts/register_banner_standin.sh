#!/usr/bin/env bash
# Registers the stand-in banner control (an in-process COM server built into
# build/win/tools/banner_standin) in the project's Wine prefix under the
# banner's class identifier; with --unregister, removes that registration.
# Used by the test set-up, ./demo.sh and the start-up benchmark. Run it under
# scripts/with-display.sh (as they do): a Wine server it starts by itself is
# still going down when the next program starts, which then may fail to start.
#   scripts/with-display.sh scripts/register_banner_standin.sh [--unregister] [DLL]
set -euo pipefail
source "$(dirname "$0")/env.sh"
flag=""
if [ "${1:-}" = --unregister ]; then flag=/u; shift; fi
dll=${1:-$QUONEL_BUILD/win/tools/banner_standin/banner_standin.dll}
[ -f "$dll" ] || { echo "register_banner_standin: $dll is not built" >&2; exit 1; }
windows_path="Z:${dll//\//\\}"
wine regsvr32 /s $flag "$windows_path" </dev/null
key='HKCR\CLSID\{D27CDB6E-AE6D-11CF-96B8-444553540000}\InprocServer32'
if [ -z "$flag" ]; then
  wine reg query "$key" </dev/null 2>/dev/null | grep -qi 'banner_standin.dll' \
    || { echo "register_banner_standin: the registration did not take" >&2; exit 1; }
fi
