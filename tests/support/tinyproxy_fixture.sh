#!/usr/bin/env bash
# Starts or stops the tests' two tinyproxy instances on 127.0.0.1, each on a
# free port: DIR/open without authentication, DIR/auth with BasicAuth
# (user "quonel", password "proxy-secret"). Each writes DIR/<name>/port and
# logs every request it forwards to DIR/<name>/access.log.
#   tinyproxy_fixture.sh start DIR
#   tinyproxy_fixture.sh stop DIR
set -euo pipefail
action=$1
dir=$2
tinyproxy=$(command -v tinyproxy || echo /usr/bin/tinyproxy)

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

stop_one() {
  local pidfile=$1/tinyproxy.pid
  if [ -f "$pidfile" ]; then
    local pid
    pid=$(cat "$pidfile")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    rm -f "$pidfile"
  fi
  rm -f "$1/port"
}

start_one() {
  local sub=$1 auth=$2
  stop_one "$sub"
  mkdir -p "$sub"
  : >"$sub/access.log"
  local port
  port=$(free_port)
  cat >"$sub/tinyproxy.conf" <<CONF
Port $port
Listen 127.0.0.1
Timeout 60
LogFile "$sub/access.log"
LogLevel Info
PidFile "$sub/tinyproxy.pid"
MaxClients 64
Allow 127.0.0.1
DisableViaHeader Yes
$( [ "$(id -u)" = 0 ] && printf 'User root\nGroup root\n' )
$auth
CONF
  "$tinyproxy" -c "$sub/tinyproxy.conf"
  # Ready once it accepts connections.
  for _ in $(seq 100); do
    python3 -c "import socket,sys; socket.create_connection(('127.0.0.1',$port),0.2)" 2>/dev/null && break
    sleep 0.05
  done
  echo "$port" >"$sub/port"
  echo "tinyproxy on 127.0.0.1:$port ($sub)"
}

case "$action" in
start)
  start_one "$dir/open" ""
  start_one "$dir/auth" "BasicAuth quonel proxy-secret"
  ;;
stop)
  stop_one "$dir/open"
  stop_one "$dir/auth"
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
