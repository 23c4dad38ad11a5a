# Sourced by the network benchmarks: a scratch folder $work with its own nginx,
# removed on exit, serving a file of MIB mebibytes of a repeating pattern.
#   bench_site_start NAME MIB   sets $work and $url (http://127.0.0.1:PORT/NAME)
bench_site_start() {
  work=$(mktemp -d)
  trap '"$QUONEL_ROOT/tests/support/nginx_fixture.sh" stop "$work/nginx" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
  "$QUONEL_ROOT/tests/support/nginx_fixture.sh" start "$work/nginx" >/dev/null
  python3 - "$work/nginx/www/$1" "$2" <<'PY'
import sys
block = bytes((i * 7 + 3) & 0xFF for i in range(1 << 20))
with open(sys.argv[1], "wb") as f:
    for i in range(int(sys.argv[2])):
        f.write(block[i:] + block[:i])
PY
  url="http://127.0.0.1:$(cat "$work/nginx/port")/$1"
}
