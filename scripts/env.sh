# Sourced by the project's scripts: where things are and how Wine runs.
QUONEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUONEL_BUILD=${QUONEL_BUILD:-$QUONEL_ROOT/build}
export WINEPREFIX=$QUONEL_BUILD/wineprefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No desktop integration, no Mono or Gecko installers.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
# The product's platform: code page 936, Chinese date and time formats.
export LANG=zh_CN.UTF-8
unset LC_ALL
