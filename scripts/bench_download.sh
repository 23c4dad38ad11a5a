#!/usr/bin/env bash
# Benchmark of the resumable download as a user times it: one 256 MiB file
# from a private nginx on loopback, fetched by `updprobe download` and by
# `curl -o` as whole processes, alternating, ROUNDS rounds (default 7), with
# a bare start of updprobe measured in each round. Prints the median wall
# and CPU times (the wineserver's CPU too, where /proc shows it) and the
# median pair ratio, raw and with the bare Wine start subtracted
# (target: at most 1.5).
#   scripts/bench_download.sh [ROUNDS]
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-7}
probe=$QUONEL_BUILD/win/tools/updprobe/updprobe.exe
[ -f "$probe" ] || "$QUONEL_ROOT/scripts/build.sh"

source "$QUONEL_ROOT/scripts/bench_site.sh"
bench_site_start bench.bin 256

"$QUONEL_ROOT/scripts/with-display.sh" python3 - "$QUONEL_ROOT/scripts" "$probe" "$url" "$work" "$rounds" <<'PY'
import os, subprocess, sys
sys.path.insert(0, sys.argv[1])
import bench_pairs

probe, url, work, rounds = sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])
original = os.path.join(work, "nginx", "www", "bench.bin")


print("256 MiB from nginx on 127.0.0.1")
bench_pairs.run_pairs(rounds,
                      ("updprobe download", ["wine", probe, "download", url, "probe.bin"]),
                      ("curl -o", ["curl", "-s", "-o", "curl.bin", url]),
                      ("updprobe start", ["wine", probe, "start"]),
                      work, bench_pairs.delivered(work, original, "probe.bin"),
                      bench_pairs.delivered(work, original, "curl.bin"), 1.5)
PY
