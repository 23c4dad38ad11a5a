#!/usr/bin/env bash
# Starts or stops a tinyproxy on 127.0.0.1 with a free port that opens
# CONNECT tunnels to any port, for the HTTPS-through-a-proxy tests.
#   tls_proxy_fixture.sh start DIR   writes DIR/tinyproxy.conf, DIR/port; logs to DIR/tinyproxy.log
#   tls_proxy_fixture.sh stop DIR
set -euo pipefail
action=$1
dir=$2
case "$action" in
start)
  [ -f "$dir/tinyproxy.pid" ] && "$0" stop "$dir" || true
  mkdir -p "$dir"
  : >"$dir/tinyproxy.log"
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  # Without a ConnectPort line every port may be tunnelled to.
  cat >"$dir/tinyproxy.conf" <<CONF
Port $port
Listen 127.0.0.1
Allow 127.0.0.1
Timeout 60
MaxClients 20
LogFile "$dir/tinyproxy.log"
LogLevel Connect
PidFile "$dir/tinyproxy.pid"
$( [ "$(id -u)" = 0 ] && printf 'User root\nGroup root\n' )
CONF
  tinyproxy -c "$dir/tinyproxy.conf"
  for _ in $(seq 50); do [ -s "$dir/tinyproxy.pid" ] && break; sleep 0.1; done
  echo "$port" >"$dir/port"
  echo "tinyproxy on 127.0.0.1:$port"
  ;;
stop)
  [ -f "$dir/tinyproxy.pid" ] && kill "$(cat "$dir/tinyproxy.pid")" 2>/dev/null || true
  rm -f "$dir/tinyproxy.pid" "$dir/port"
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
