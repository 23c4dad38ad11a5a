#!/usr/bin/env bash
# Benchmark of the resumable download: one 256 MiB file from a private nginx
# on loopback, fetched by `updprobe download` and by `curl -o` in the same
# run (alternating, several rounds). Prints the median wall times, their
# ratio (target: at most 2.0) and the CPU seconds of both; the probe's CPU
# includes what the wineserver spent on its behalf.
#   scripts/bench_download.sh [ROUNDS]
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-5}
probe=$QUONEL_BUILD/win/tools/updprobe/updprobe.exe
[ -f "$probe" ] || "$QUONEL_ROOT/scripts/build.sh"

work=$(mktemp -d)
cleanup() {
  "$QUONEL_ROOT/tests/support/nginx_fixture.sh" stop "$work/nginx" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
"$QUONEL_ROOT/tests/support/nginx_fixture.sh" start "$work/nginx" >/dev/null
python3 - "$work/nginx/www/bench.bin" <<'PY'
import sys
block = bytes((i * 7 + 3) & 0xFF for i in range(1 << 20))
with open(sys.argv[1], "wb") as f:
    for i in range(256):
        f.write(block[i:] + block[:i])
PY
url="http://127.0.0.1:$(cat "$work/nginx/port")/bench.bin"

"$QUONEL_ROOT/scripts/with-display.sh" python3 - "$probe" "$url" "$work" "$rounds" <<'PY'
import os, resource, statistics, subprocess, sys, time

probe, url, work, rounds = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
original = os.path.join(work, "nginx", "www", "bench.bin")
ticks = os.sysconf("SC_CLK_TCK")

def wineserver_pid():
    # The wineserver of this prefix works in a folder named server-DEV-INODE.
    st = os.stat(os.environ["WINEPREFIX"])
    folder = "/server-%x-%x" % (st.st_dev, st.st_ino)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if open("/proc/%s/comm" % pid).read().startswith("wineserver") and \
               os.readlink("/proc/%s/cwd" % pid).endswith(folder):
                return pid
        except OSError:
            pass
    return None

def server_cpu(pid):
    if pid is None:
        return 0.0
    fields = open("/proc/%s/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / ticks

def run(command, target):
    if os.path.exists(target):
        os.remove(target)
    server = wineserver_pid()
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    server_before = server_cpu(server)
    start = time.monotonic()
    done = subprocess.run(command, cwd=work, stdout=subprocess.DEVNULL)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    extra = server_cpu(server) - server_before
    if done.returncode != 0:
        sys.exit("%s failed with exit code %d" % (command[0], done.returncode))
    if os.path.getsize(target) != os.path.getsize(original) or \
       subprocess.run(["cmp", "-s", target, original]).returncode != 0:
        sys.exit("%s delivered a different file" % command[0])
    os.remove(target)
    return wall, cpu, extra

results = {"curl": [], "updprobe": []}
for _ in range(rounds):
    results["curl"].append(run(["curl", "-s", "-o", "curl.bin", url], os.path.join(work, "curl.bin")))
    results["updprobe"].append(run(["wine", probe, "download", url, "probe.bin"],
                                   os.path.join(work, "probe.bin")))

def median(name, index):
    return statistics.median(r[index] for r in results[name])

curl_wall, probe_wall = median("curl", 0), median("updprobe", 0)
print("256 MiB from nginx on 127.0.0.1, median of %d rounds" % rounds)
print("  curl -o          : %.2f s wall, %.2f s CPU" % (curl_wall, median("curl", 1)))
print("  updprobe download: %.2f s wall, %.2f s CPU (+ %.2f s in the wineserver)"
      % (probe_wall, median("updprobe", 1), median("updprobe", 2)))
print("  time ratio updprobe / curl: %.2f (target <= 2.0)" % (probe_wall / curl_wall))
PY
