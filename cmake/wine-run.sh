#!/bin/sh
# Emulator for cross-built executables: one persistent wineserver per WINEPREFIX, its
# services started detached from our stdout/stderr, then the program itself.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wineprefix}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko; no menu builder: Wine starts it for every shortcut a program makes (the
# installer's), and it holds the shortcut's folder as its current folder for a while.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=ja_JP.UTF-8
[ -f "$WINEPREFIX/system.reg" ] || "$here/tools/wine-setup.sh" >/dev/null 2>&1
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null
exec wine "$@"
