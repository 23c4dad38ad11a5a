#!/usr/bin/env bash
# The demo: updates a demo client installation from a local update server
# (nginx on 127.0.0.1) with the real wizard under Wine.
#   With DISPLAY set, the wizard opens on your screen and you click through it.
#   Without one (or with QUONEL_DEMO_UNATTENDED=1) it runs under Xvfb and is
#   driven through its real window; screenshots go to build/demo/screenshots.
# Exits 0 only when the installation matches the server's files afterwards.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh >/dev/null
source scripts/env.sh

demo=$QUONEL_BUILD/demo
client=$demo/client
server=$demo/server
www=$server/www
shots=$demo/screenshots
"$QUONEL_ROOT/tests/support/nginx_fixture.sh" stop "$server" >/dev/null 2>&1 || true
rm -rf "$demo"
mkdir -p "$client/update/data" "$client/backup/data" "$client/data" "$www" "$shots"

gb() { iconv -f UTF-8 -t GB2312; }

# The server's release: a newer library, a new data file, an unchanged text,
# a large package (so that the progress is visible) and the client program,
# published with the manifest tool.
printf 'Quonel core library, release 2\n' >"$www/Quonel.dll"
# Section names go into the URL unchanged: data\maps.pak is served under that name.
head -c 3000000 /dev/urandom >"$www/data\\maps.pak"
printf 'Quonel readme\n' >"$www/readme.txt"
head -c 160000000 /dev/zero | tr '\0' 'Q' >"$www/big.pak"
cp "$QUONEL_BUILD/win/tools/demo/QuonelClient.exe" "$www/QuonelClient.exe"
# The release engineer's dates: the last-write times the manifest tool reads.
touch -d '2026-11-20 10:00:00' "$www/Quonel.dll" "$www/data\\maps.pak"
touch -d '2026-10-01 08:00:00' "$www/readme.txt" "$www/QuonelClient.exe"
touch -d '2026-11-21 09:30:00' "$www/big.pak"
cat >"$server/names.txt" <<'NAMES'
Quonel.dll=核心库
data\maps.pak=地图数据
readme.txt=说明
big.pak=资源包
QuonelClient.exe=客户端
NAMES
updmanifest=$QUONEL_BUILD/native/tools/updmanifest/updmanifest
# The publisher signs the programs (Authenticode, a test certificate made
# here) and then the manifest (a key pair made here, never committed).
keys=$demo/keys
"$QUONEL_ROOT/scripts/sign_release.sh" --test-certificate "$keys"
"$QUONEL_ROOT/scripts/sign_release.sh" "$keys/cert.pem" "$keys/key.pem" "$www"
"$updmanifest" keygen "$keys/demo"
"$updmanifest" --sign "$keys/demo.key" --expires 30 --names "$server/names.txt" --output "$www/quonel.htm" "$www"
"$updmanifest" --check "$www/quonel.htm" "$www"
"$updmanifest" verify "$keys/demo.pub" "$www/quonel.htm"

# The installation: an older library and package, the same readme and client.
cp "$QUONEL_BUILD/win/src/app/Update.exe" "$client/Update.exe"
"$QUONEL_ROOT/scripts/sign_release.sh" "$keys/cert.pem" "$keys/key.pem" "$client/Update.exe"
printf 'Quonel core library, release 1\n' >"$client/Quonel.dll"
printf 'old package\n' >"$client/big.pak"
cp "$www/readme.txt" "$www/QuonelClient.exe" "$client/"
touch -d '2026-01-01 12:00:00' "$client/Quonel.dll" "$client/big.pak"
touch -d '2026-11-01 12:00:00' "$client/readme.txt" "$client/QuonelClient.exe"

"$QUONEL_ROOT/tests/support/nginx_fixture.sh" start "$server" >/dev/null
port=$(cat "$server/port")
trap '"$QUONEL_ROOT/tests/support/nginx_fixture.sh" stop "$server" >/dev/null 2>&1 || true' EXIT
# More servers than the list shows at once, so that its skinned scroll bar is
# in the screenshots; the mirrors are the same local server.
{
  printf '[config]\nSubSys=quonel\nexe=QuonelClient.exe\n[update]\n'
  printf '本地服务器=http://127.0.0.1:%s/\n备用服务器=http://localhost:%s\n' "$port" "$port"
  for i in $(seq -w 1 14); do printf '镜像服务器%s=http://127.0.0.1:%s/\n' "$i" "$port"; done
  # Strict: the wizard accepts only a manifest signed by this key.
  printf '[trust]\n演示发布者=%s\n' "$(cat "$keys/demo.pub")"
} | gb >"$client/config.ini"
echo "demo: client installation $client"
echo "demo: update server http://127.0.0.1:$port/ (manifest quonel.htm)"

# The banner strip plays the stand-in banner control (the real one is not
# part of current Windows, nor of Wine): registered in the project's prefix.
# Through the test bench, whose Wine server then ends cleanly before the
# wizard's starts.
"$QUONEL_ROOT/scripts/with-display.sh" "$QUONEL_ROOT/scripts/register_banner_standin.sh"
echo "demo: stand-in banner control registered"

winpath() { echo "Z:${1//\//\\}"; }
status=0
if [ -n "${DISPLAY:-}" ] && [ "${QUONEL_DEMO_UNATTENDED:-}" != 1 ]; then
  echo "demo: the wizard opens on $DISPLAY; choose a server, press 下一步, then 完成升级"
  (cd "$client" && "$QUONEL_ROOT/scripts/with-display.sh" wine Update.exe) || status=$?
else
  QUONEL_XVFB=1 "$QUONEL_ROOT/scripts/with-display.sh" \
    wine "$QUONEL_BUILD/win/tools/demo/demo_driver.exe" "$(winpath "$client/Update.exe")" "$(winpath "$shots")" \
    || status=$?
  echo "demo: screenshots in $shots"
fi

echo "demo: installed files:"
match=1
for f in Quonel.dll data/maps.pak readme.txt big.pak QuonelClient.exe; do
  if cmp -s "$www/${f//\//\\}" "$client/$f"; then echo "  $f  = server release"; else echo "  $f  DIFFERS from the server"; match=0; fi
done
echo "demo: backups:"
(cd "$client/backup" && find . -type f -name '*.bak' | sed 's|^\./|  |' | sort)
echo "demo: staged copies left in update\\:"
(cd "$client/update" && find . -type f ! -name update.ini ! -name accepted_release.txt ! -name update.log | sed 's|^\./|  |' | sort)
echo "demo: signed release accepted: $(tr '\n' ' ' <"$client/update/accepted_release.txt" 2>/dev/null || echo none)"
if [ -f "$client/client_started.txt" ]; then
  echo "demo: client program started: $(cat "$client/client_started.txt")"
else
  echo "demo: the client program was not started"; match=0
fi
[ "$status" = 0 ] && [ "$match" = 1 ] && { echo "demo: the installation is up to date"; exit 0; }
echo "demo: FAILED (wizard status $status)"
exit 1
