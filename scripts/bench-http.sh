#!/usr/bin/env bash
# Benchmark of the manifest HTTP client as a user times it: a 4 KiB manifest
# fetched 500 times over one kept-alive connection, by `updprobe get --repeat
# 500` and by one curl invocation with the 500 URLs, as whole processes,
# alternating, ROUNDS rounds (default 7), with a bare start of updprobe
# measured in each round. Prints the median times (the wineserver's CPU too),
# the median pair ratio raw and with the bare Wine start subtracted (target:
# at most 1.5), and, for information, the probe's own timer of its 500 GETs.
#   scripts/bench-http.sh [ROUNDS]   (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-7}
count=500
probe=$QUONEL_BUILD/win/tools/updprobe/updprobe.exe
[ -f "$probe" ] || { echo "build first: scripts/build.sh" >&2; exit 1; }

dir=$(mktemp -d /tmp/quonel-bench-http.XXXXXX)
fixture=$QUONEL_ROOT/tests/support/nginx_fixture.sh
cleanup() { "$fixture" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"; }
trap cleanup EXIT
"$fixture" start "$dir" >/dev/null
port=$(cat "$dir/port")

# A manifest of exactly 4096 bytes: sections of INI text, padded with a comment.
{
  for i in $(seq 1 40); do printf '[bin\\module%02d.dll]\r\nname=module %02d\r\ndatetime=2026/12/1 10:%02d:00\r\n' "$i" "$i" "$i"; done
} | head -c 4000 >"$dir/www/manifest.htm"
pad=$((4096 - $(stat -c %s "$dir/www/manifest.htm")))
{ printf ';'; head -c $((pad - 3)) /dev/zero | tr '\0' 'x'; printf '\r\n'; } >>"$dir/www/manifest.htm"

"$QUONEL_ROOT/scripts/with-display.sh" python3 - "$QUONEL_ROOT/scripts" "$probe" "$port" "$dir" "$rounds" "$count" <<'PY'
import os, subprocess, sys, time
sys.path.insert(0, sys.argv[1])
import bench_pairs

probe, port, work, rounds, count = sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5]), int(sys.argv[6])
url = "http://127.0.0.1:%s/manifest.htm" % port
expected = open(os.path.join(work, "www", "manifest.htm"), "rb").read() * count
log = os.path.join(work, "access.log")

def fetched(name, connections):
    def check():
        if open(os.path.join(work, name), "rb").read() != expected:
            sys.exit("%s did not hold the %d manifests" % (name, count))
        # The access log names each request's connection: all on one kept alive.
        # nginx logs a request after answering it, so the last line may lag.
        deadline = time.monotonic() + 5
        while True:
            lines = [l.split() for l in open(log) if '"GET /manifest.htm ' in l]
            if len(lines) >= count or time.monotonic() > deadline:
                break
            time.sleep(0.01)
        serials = {fields[-2] for fields in lines}
        if len(lines) != count or len(serials) != connections:
            sys.exit("%s made %d requests over %d connections" % (name, len(lines), len(serials)))
        open(log, "w").close()
    return check


probe_command = ["sh", "-c", 'exec wine "$0" get "$1" --repeat "$2" >probe.out', probe, url, str(count)]
curl_command = ["sh", "-c", 'exec curl -s "$@" >curl.out', "curl"] + [url] * count
print("%d GETs of a 4096-byte manifest from nginx on 127.0.0.1, one kept-alive connection each" % count)
open(log, "w").close()
bench_pairs.run_pairs(rounds,
                      ("updprobe get", probe_command),
                      ("curl", curl_command),
                      ("updprobe start", ["wine", probe, "start"]),
                      work, fetched("probe.out", 1), fetched("curl.out", 1), 1.5)

timer = subprocess.run(["wine", probe, "get", url, "--repeat", str(count), "--time"], cwd=work,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
for line in timer.splitlines():
    if line.startswith("elapsed_ms"):
        print("  for information, the probe's own timer of its %d GETs: %.1f ms" % (count, float(line.split()[1])))
PY
