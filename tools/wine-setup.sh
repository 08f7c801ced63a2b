#!/bin/sh
# Creates and configures the Wine prefix used by tests and the run command (idempotent):
# Wine's own fonts copied in, Japanese font names mapped to the IPA fonts, one virtual
# desktop for every program so that windows have frames and can see each other, and a
# PostScript test printer on FILE: as default printer.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wineprefix}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
[ -f "$WINEPREFIX/.moji-setup-done" ] && [ -f "$WINEPREFIX/.moji-printer-done" ] && exit 0
mkdir -p "$WINEPREFIX"
timeout 300 wineboot --init >/dev/null 2>&1 || true
timeout 60 wineserver -w || true
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
reg() { timeout 60 wine reg add "$@" /f >/dev/null 2>&1; }
R='HKCU\Software\Wine\Fonts\Replacements'
reg "$R" /v "ＭＳ ゴシック"   /t REG_SZ /d IPAGothic
reg "$R" /v "ＭＳ 明朝"       /t REG_SZ /d IPAMincho
reg "$R" /v "ＭＳ Ｐゴシック" /t REG_SZ /d IPAPGothic
reg "$R" /v "ＭＳ Ｐ明朝"     /t REG_SZ /d IPAPMincho
reg "$R" /v "MS Gothic"       /t REG_SZ /d IPAGothic
reg "$R" /v "MS Mincho"       /t REG_SZ /d IPAMincho
reg "$R" /v "MS PGothic"      /t REG_SZ /d IPAPGothic
reg "$R" /v "MS PMincho"      /t REG_SZ /d IPAPMincho
reg "$R" /v "MS UI Gothic"    /t REG_SZ /d IPAPGothic
reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024
# Japanese Windows links EUDC.TTE for all typefaces from the start; the programs change the
# value but never create the key.
reg 'HKCU\EUDC\932' /v SystemDefaultEUDCFont /t REG_SZ /d EUDC.TTE
timeout 60 wineserver -k || true
timeout 60 wineserver -w || true
touch "$WINEPREFIX/.moji-setup-done"

# The test printer "TestPS": Wine's PostScript driver with a small A4 PPD on port FILE:.
if [ ! -f "$WINEPREFIX/.moji-printer-done" ]; then
  drivers="$WINEPREFIX/drive_c/windows/system32/spool/drivers/x64/3"
  mkdir -p "$drivers"
  cp "$here/tests/data/test.ppd" "$drivers/test.ppd"
  tool=$(mktemp -d)
  x86_64-w64-mingw32-g++ -municode -O1 -o "$tool/add_test_printer.exe" "$here/tools/add_test_printer.cpp" -lwinspool
  timeout 120 wine "$tool/add_test_printer.exe"
  rm -rf "$tool"
  timeout 60 wineserver -w || true
  touch "$WINEPREFIX/.moji-printer-done"
fi
