#!/bin/sh
# Emulator for cross-built executables: one persistent wineserver per WINEPREFIX, its
# services started detached from our stdout/stderr, then the program itself.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wineprefix}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
[ -f "$WINEPREFIX/system.reg" ] || "$here/tools/wine-setup.sh" >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null
exec wine "$@"
