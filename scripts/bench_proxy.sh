#!/usr/bin/env bash
# The wizard's figures on real networks:
# 1. one 256 MiB file through tinyproxy on loopback, `updprobe download`
#    (which finds the proxy as the wizard does: in the prefix's Internet
#    Options) against `curl -x` through the same proxy, whole processes,
#    alternating, ROUNDS rounds (default 7); the median pair ratio, raw and
#    with the bare Wine start subtracted (target: at most 1.2);
# 2. the cost of falling back from a refused first server to the next one's
#    manifest (target: at most 1 s).
#   scripts/bench_proxy.sh [ROUNDS]
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-7}
probe=$QUONEL_BUILD/win/tools/updprobe/updprobe.exe
fallback=$QUONEL_BUILD/win/tests/bench/wizard_fallback_bench.exe
cmake --build "$QUONEL_BUILD/win" --target updprobe wizard_fallback_bench >/dev/null

source "$QUONEL_ROOT/scripts/bench_site.sh"
bench_site_start bench.bin 256
"$QUONEL_ROOT/tests/support/tinyproxy_fixture.sh" start "$work/tinyproxy" >/dev/null
proxy=127.0.0.1:$(cat "$work/tinyproxy/open/port")
connections='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Connections'
# Internet Options' blob: version, counter, flags (proxy), the proxy, no bypass, no script.
blob=$(python3 -c "import struct,sys; p=sys.argv[1].encode(); print((struct.pack('<IIII',0x46,3,3,len(p))+p+bytes(40)).hex())" "$proxy")
direct=$(python3 -c "import struct; print((struct.pack('<III',0x46,4,1)+bytes(44)).hex())")
trap '"$QUONEL_ROOT/scripts/with-display.sh" wine reg add "$connections" /v DefaultConnectionSettings /t REG_BINARY /d "$direct" /f >/dev/null 2>&1 || true
      "$QUONEL_ROOT/tests/support/tinyproxy_fixture.sh" stop "$work/tinyproxy" >/dev/null 2>&1 || true
      "$QUONEL_ROOT/tests/support/nginx_fixture.sh" stop "$work/nginx" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

"$QUONEL_ROOT/scripts/with-display.sh" bash -c '
  wine reg add "$1" /v DefaultConnectionSettings /t REG_BINARY /d "$2" /f >/dev/null 2>&1
  python3 - "$3" "$4" "$5" "$6" "$7" "$8" <<'"'"'PY'"'"'
import os, subprocess, sys
sys.path.insert(0, sys.argv[1])
import bench_pairs

probe, url, work, rounds, proxy = sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5]), sys.argv[6]
original = os.path.join(work, "nginx", "www", "bench.bin")


print("256 MiB from nginx on 127.0.0.1 through tinyproxy (the system proxy)")
bench_pairs.run_pairs(rounds,
                      ("updprobe download", ["wine", probe, "download", url, "probe.bin"]),
                      ("curl -x", ["curl", "-s", "-x", proxy, "-o", "curl.bin", url]),
                      ("updprobe start", ["wine", probe, "start"]),
                      work, bench_pairs.delivered(work, original, "probe.bin"),
                      bench_pairs.delivered(work, original, "curl.bin"), 1.2)
PY
  wine reg add "$1" /v DefaultConnectionSettings /t REG_BINARY /d "$9" /f >/dev/null 2>&1
  wine "${10}" "$7"
' bench "$connections" "$blob" "$QUONEL_ROOT/scripts" "$probe" "$url" "$work" "$rounds" "$proxy" "$direct" "$fallback"
