#!/usr/bin/env bash
# Installs what the project needs (quietly, only what is missing), generates
# the zh_CN.UTF-8 locale and creates the project's Wine prefix.
set -euo pipefail
source "$(dirname "$0")/env.sh"

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 wine fonts-wine xvfb xauth x11-utils fonts-wqy-zenhei fonts-wqy-microhei imagemagick nginx tinyproxy curl
  cmake ninja-build googletest clang libclang-rt-14-dev locales python3 libssl-dev openssl osslsigncode
  libgnutls30  # Wine's TLS (Schannel) runs on it; libwine only recommends it
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  echo "setup: generating locale zh_CN.UTF-8"
  $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # No window manager runs under Xvfb: Wine draws the frames itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  grep -q '"Decorated"="N"' "$WINEPREFIX/user.reg" || { echo "setup: creating the Wine prefix failed" >&2; exit 1; }
fi
# The form's font "宋体" (SimSun) is not in Wine. Left to itself, Wine falls back
# on a font whose 12-pixel bitmaps lose the tops of Chinese characters. An
# outline font without bitmaps stands in for it.
if ! grep -q 'WenQuanYi Micro Hei' "$WINEPREFIX/user.reg" 2>/dev/null; then
  for name in 宋体 SimSun; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  wineserver -w
fi
# Internet Options of a machine without a proxy: "direct", stored as the
# connection blob that WinHTTP reads. Without any blob Wine reports
# "detect automatically", and every run would wait for a detection that
# finds nothing; the tests that want a proxy set one for their own run.
if ! grep -q 'DefaultConnectionSettings' "$WINEPREFIX/user.reg" 2>/dev/null; then
  #      version   counter   flags=direct  proxy  bypass  script  (and the reserved tail)
  blob=460000000100000001000000000000000000000000000000$(printf '0%.0s' $(seq 64))
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Connections' \
    /v DefaultConnectionSettings /t REG_BINARY /d "$blob" /f >/dev/null 2>&1
  wineserver -w
fi
