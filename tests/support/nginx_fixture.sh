#!/usr/bin/env bash
# Starts or stops the tests' nginx on 127.0.0.1 with a free port.
#   nginx_fixture.sh start DIR   writes DIR/nginx.conf, DIR/port, serves DIR/www
#   nginx_fixture.sh stop DIR
# The same files are served over HTTPS with the tests' own certificates
# (tls_certificates.sh, in DIR/tls): DIR/https_port with a good one for
# localhost, DIR/https_expired_port, DIR/https_otherhost_port and
# DIR/https_unknownca_port with one bad one each. /to-https/NAME on the
# plain port redirects to https://localhost:HTTPS_PORT/NAME.
set -euo pipefail
action=$1
dir=$2
nginx=$(command -v nginx || echo /usr/sbin/nginx)

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

case "$action" in
start)
  [ -f "$dir/nginx.pid" ] && "$0" stop "$dir" || true
  mkdir -p "$dir/www" "$dir/temp"
  : >"$dir/access.log"
  port=$(free_port)
  "$(dirname "$0")/tls_certificates.sh" "$dir/tls" >/dev/null
  declare -A tls_ports
  tls_server() {  # NAME CERTIFICATE
    cat <<SERVER
  server {
    listen 127.0.0.1:${tls_ports[$1]} ssl;
    ssl_certificate $dir/tls/$2.pem;
    ssl_certificate_key $dir/tls/localhost.key;
    ssl_protocols TLSv1.2 TLSv1.3;
    root $dir/www;
    location /redirect { return 302 /index.htm; }
    location /close/ { keepalive_timeout 0; }
  }
SERVER
  }
  for name in https https_expired https_otherhost https_unknownca; do tls_ports[$name]=$(free_port); done
  cat >"$dir/nginx.conf" <<CONF
daemon on;
worker_processes 1;
pid $dir/nginx.pid;
error_log $dir/error.log warn;
$( [ "$(id -u)" = 0 ] && echo "user root;" )
events { worker_connections 256; }
http {
  default_type application/octet-stream;
  client_body_temp_path $dir/temp/body;
  proxy_temp_path $dir/temp/proxy;
  fastcgi_temp_path $dir/temp/fastcgi;
  uwsgi_temp_path $dir/temp/uwsgi;
  scgi_temp_path $dir/temp/scgi;
  log_format conn '\$remote_addr "\$request" \$status \$body_bytes_sent \$connection \$connection_requests';
  access_log $dir/access.log conn;
  sendfile on;
  keepalive_requests 100000;
  server {
    listen 127.0.0.1:$port;
    root $dir/www;
    location /redirect { return 302 /index.htm; }
    # Files under /close/ are answered with "Connection: close".
    location /close/ { keepalive_timeout 0; }
    location /to-https/ { rewrite ^/to-https/(.*)\$ https://localhost:${tls_ports[https]}/\$1 redirect; }
  }
$(tls_server https localhost)
$(tls_server https_expired expired)
$(tls_server https_otherhost otherhost)
$(tls_server https_unknownca unknownca)
}
CONF
  "$nginx" -p "$dir" -c "$dir/nginx.conf"
  echo "$port" >"$dir/port"
  for name in "${!tls_ports[@]}"; do echo "${tls_ports[$name]}" >"$dir/${name}_port"; done
  echo "nginx on 127.0.0.1:$port serving $dir/www"
  ;;
stop)
  if [ -f "$dir/nginx.pid" ]; then
    "$nginx" -p "$dir" -c "$dir/nginx.conf" -s quit 2>/dev/null || kill "$(cat "$dir/nginx.pid")" 2>/dev/null || true
    for _ in $(seq 50); do [ -f "$dir/nginx.pid" ] || break; sleep 0.1; done
  fi
  rm -f "$dir/port" "$dir"/https*_port
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
