#!/usr/bin/env bash
# The run command's path without display (scripts/run.sh), driven with the fake target
# in place of the browser:
#   1. a program that shows its tagged window: exit 0, the PNG's path alone on stdout;
#   2. a program that ends at once: exit 1 with a message saying so;
#   3. a program that shows only a message box: exit 1, the box's text reported.
# Usage: RunScriptTest.sh BUILD_DIR FAKE_TARGET_EXE
set -uo pipefail
build=$1 fake=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export MOJI_BUILD_DIR=$build MOJI_RUN_SKIP_BUILD=1 MOJI_RUN_TAG=_MOJI_FAKE_TARGET_TAG MOJI_RUN_TIMEOUT=3
unset DISPLAY
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failed=0
fail() { echo "FAILED: $*"; sed 's/^/  stderr: /' "$err"; failed=1; }

run() {  # program [file] -> status in $status
  status=0
  MOJI_RUN_PROGRAM=$1 bash "$root/scripts/run.sh" "${@:2}" >"$out" 2>"$err" || status=$?
}

run "$fake"
png=$(cat "$out")
if [ $status -ne 0 ]; then fail "window case: exit $status"
elif [ "$(wc -l <"$out")" -ne 1 ] || [ ! -s "$png" ]; then fail "window case: stdout is not one PNG path: $(cat "$out")"
elif [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' ')" != 89504e470d0a1a0a ]; then fail "window case: $png is no PNG"
elif ! grep -q 'main window: FakeTarget' "$err"; then fail "window case: main window not reported"
fi
rm -f "$png"

run "$WINEPREFIX/drive_c/windows/system32/hostname.exe"
if [ $status -ne 1 ] || ! grep -q 'hostname.exe ended with exit code 0 before its main window appeared' "$err"; then
  fail "ends-at-once case: exit $status"
fi

touch "$build/EUDC.txt"
run "$fake" "$build/EUDC.txt"
if [ $status -ne 1 ] || ! grep -q "a message box is up: FakeTarget: 'Z:.*EUDC.txt'" "$err" ||
   ! grep -q 'no main window appeared; the screen as it was: .*\.png' "$err"; then
  fail "message box case: exit $status"
fi
rm -f "$build/EUDC.txt" "$(sed -n 's/.*the screen as it was: //p' "$err")"

[ $failed -eq 0 ] && echo "run.sh: all cases passed"
exit $failed
