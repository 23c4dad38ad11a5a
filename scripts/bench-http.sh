#!/usr/bin/env bash
# Benchmark of the manifest HTTP client: a 4 KiB manifest fetched 500 times
# from nginx on loopback over one kept-alive connection by updprobe (one
# process, --repeat) and the same 500 URLs by curl in one invocation.
# Prints the best of several rounds and the time ratio (target <= 1.5).
#   scripts/bench-http.sh [ROUNDS]   (after scripts/build.sh)
set -euo pipefail
source "$(dirname "$0")/env.sh"
rounds=${1:-5}
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
  for i in $(seq 1 40); do printf '[bin\\module%02d.dll]\r\nname=module %02d\r\ndatetime=2026-12-01 10:%02d:00\r\n' "$i" "$i" "$i"; done
} | head -c 4000 >"$dir/www/manifest.htm"
pad=$((4096 - $(stat -c %s "$dir/www/manifest.htm")))
{ printf ';'; head -c $((pad - 3)) /dev/zero | tr '\0' 'x'; printf '\r\n'; } >>"$dir/www/manifest.htm"
cp "$dir/www/manifest.htm" "$dir/www/curl.htm"
expected=$((count * 4096))

now_ms() { date +%s%N | awk '{printf "%.3f", $1 / 1000000}'; }

run_rounds() {
  local best_loop="" best_probe_wall="" best_curl=""
  local urls=()
  for _ in $(seq "$count"); do urls+=("http://127.0.0.1:$port/curl.htm"); done
  for round in $(seq "$rounds"); do
    : >"$dir/access.log"
    local start end loop bytes
    start=$(now_ms)
    loop=$(wine "$probe" get "http://127.0.0.1:$port/manifest.htm" --repeat "$count" --time 2>&1 >"$dir/probe.out" |
      awk '/elapsed_ms/ {sub(/\r$/, ""); print $2}')
    end=$(now_ms)
    bytes=$(stat -c %s "$dir/probe.out")
    [ "$bytes" = "$expected" ] || { echo "updprobe returned $bytes bytes, expected $expected" >&2; exit 1; }
    local connections
    connections=$(grep -c '"GET /manifest.htm ' "$dir/access.log" || true)
    local serials
    serials=$(awk '/"GET \/manifest.htm / {print $(NF-1)}' "$dir/access.log" | sort -u | wc -l)
    [ "$connections" = "$count" ] && [ "$serials" = 1 ] ||
      { echo "updprobe made $connections requests over $serials connections" >&2; exit 1; }
    local probe_wall
    probe_wall=$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')

    start=$(now_ms)
    curl -s "${urls[@]}" >"$dir/curl.out"
    end=$(now_ms)
    bytes=$(stat -c %s "$dir/curl.out")
    [ "$bytes" = "$expected" ] || { echo "curl returned $bytes bytes, expected $expected" >&2; exit 1; }
    local curl_ms
    curl_ms=$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')

    printf 'round %d: updprobe %8.1f ms (process %8.1f ms)   curl %8.1f ms\n' "$round" "$loop" "$probe_wall" "$curl_ms"
    best_loop=$(awk -v a="$best_loop" -v b="$loop" 'BEGIN {print (a == "" || b < a) ? b : a}')
    best_probe_wall=$(awk -v a="$best_probe_wall" -v b="$probe_wall" 'BEGIN {print (a == "" || b < a) ? b : a}')
    best_curl=$(awk -v a="$best_curl" -v b="$curl_ms" 'BEGIN {print (a == "" || b < a) ? b : a}')
  done
  echo "best of $rounds rounds, $count GETs of a 4096-byte manifest each:"
  printf '  updprobe (500 GETs inside one process, one connection): %.1f ms\n' "$best_loop"
  printf '  updprobe whole process including Wine start-up:          %.1f ms\n' "$best_probe_wall"
  printf '  curl (one invocation, 500 URLs):                         %.1f ms\n' "$best_curl"
  awk -v p="$best_loop" -v c="$best_curl" 'BEGIN {printf "ratio updprobe/curl: %.2f (target <= 1.5)\n", p / c}'
  awk -v p="$best_probe_wall" -v c="$best_curl" 'BEGIN {printf "ratio with Wine process start-up: %.2f (for information)\n", p / c}'
}

# Wine needs its server and prefix; the bench script starts them like the tests do.
export -f run_rounds now_ms
export dir port probe count rounds expected
"$QUONEL_ROOT/scripts/with-display.sh" bash -c run_rounds
