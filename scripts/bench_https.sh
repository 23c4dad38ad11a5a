#!/usr/bin/env bash
# Benchmark of the resumable download over HTTPS as a user times it: one
# 256 MiB file from a private nginx on loopback with the tests' own
# certificates, fetched by `updprobe download https://localhost:PORT/...`
# and by `curl --cacert` over the same HTTPS, as whole processes,
# alternating, ROUNDS rounds (default 7), with a bare start of updprobe
# measured in each round. The benchmark's CA is trusted in the project's
# Wine prefix while it runs and taken out afterwards. Prints the medians and
# the median pair ratio, raw and with the bare Wine start subtracted
# (target: at most 1.5).
#   scripts/bench_https.sh [ROUNDS]
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-7}
probe=$QUONEL_BUILD/win/tools/updprobe/updprobe.exe
trustroot=$QUONEL_BUILD/win/tools/trustroot/trustroot.exe
[ -f "$probe" ] && [ -f "$trustroot" ] || "$QUONEL_ROOT/scripts/build.sh"

source "$QUONEL_ROOT/scripts/bench_site.sh"
bench_site_start bench.bin 256
ca=$work/nginx/tls/ca.pem
windows_ca="Z:${ca//\//\\}"
"$QUONEL_ROOT/scripts/with-display.sh" "$QUONEL_ROOT/scripts/trust_test_ca.sh" "$ca" "$trustroot"
trap '"$QUONEL_ROOT/scripts/with-display.sh" wine "$trustroot" remove "$windows_ca" </dev/null || true;
      "$QUONEL_ROOT/tests/support/nginx_fixture.sh" stop "$work/nginx" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
url="https://localhost:$(cat "$work/nginx/https_port")/bench.bin"

"$QUONEL_ROOT/scripts/with-display.sh" python3 - "$QUONEL_ROOT/scripts" "$probe" "$url" "$work" "$rounds" "$ca" <<'PY'
import os, subprocess, sys
sys.path.insert(0, sys.argv[1])
import bench_pairs

probe, url, work, rounds, ca = sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5]), sys.argv[6]
original = os.path.join(work, "nginx", "www", "bench.bin")


print("256 MiB over HTTPS from nginx on localhost")
bench_pairs.run_pairs(rounds,
                      ("updprobe download", ["wine", probe, "download", url, "probe.bin"]),
                      ("curl --cacert -o", ["curl", "-s", "--cacert", ca, "-o", "curl.bin", url]),
                      ("updprobe start", ["wine", probe, "start"]),
                      work, bench_pairs.delivered(work, original, "probe.bin"),
                      bench_pairs.delivered(work, original, "curl.bin"), 1.5)
PY
