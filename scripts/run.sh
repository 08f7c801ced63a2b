#!/usr/bin/env bash
# The run command: sets up whatever is missing, builds the Windows programs and starts the
# gaiji browser Mojiview.exe under Wine, with a gaiji file (TTE or EUF) when one is given:
#
#   bash scripts/run.sh [FILE]
#
# With a reachable X display the browser runs in the foreground until it is closed, and
# the script ends with its exit code. Without a display the script starts its own Xvfb,
# waits for the browser's main window, saves a screenshot, prints the PNG's path (alone on
# standard output; everything else goes to standard error), ends the browser and Xvfb and
# exits 0, or 1 when no main window appeared.
#
# Environment:
#   MOJI_BUILD_DIR      build folder of the windows preset (default build/windows)
#   WINEPREFIX          Wine prefix (default build/wineprefix-run); a run without display
#                       ends every Wine process of this prefix before and after it
#   MOJI_RUN_PROGRAM    another program to start instead of Mojiview.exe (driver tests)
#   MOJI_RUN_TAG        window property of that program's main window
#                       (default _MOJIVIEW_APPLICATION_TAG)
#   MOJI_RUN_TIMEOUT    seconds to wait for the main window without display (default 30)
#   MOJI_RUN_SKIP_BUILD set to 1 to skip set-up and build (the build is known to be current)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# The gaiji file shown when none is given: the sample font that the build puts into the
# program folder (passed to Wine in its own path form below); none for another program.
SAMPLE=""
[ -n "${MOJI_RUN_PROGRAM:-}" ] || SAMPLE=${MOJI_BUILD_DIR:-$root/build/windows}/bin/Sample/SampleGaiji.tte

say() { echo "run: $*" >&2; }

build=${MOJI_BUILD_DIR:-$root/build/windows}
# A reachable X display runs the browser in the foreground; without one the headless path
# below needs the screenshot helper too.
display=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then display=1; fi
if [ "${MOJI_RUN_SKIP_BUILD:-0}" != 1 ]; then
  bash scripts/setup.sh >&2
  cmake --preset windows -B "$build" >&2
  # Only what runs: the program folder (programs, templates, sample font, help), no tests.
  targets=(program_folder)
  [ $display = 1 ] || targets+=(moji_gui_shot)
  cmake --build "$build" --target "${targets[@]}" >&2
fi

export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-run}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
tools/wine-setup.sh >&2

program=${MOJI_RUN_PROGRAM:-$build/bin/Mojiview.exe}
name=$(basename "$program")
[ -f "$program" ] || { say "$program does not exist (did the build fail?)"; exit 1; }
file=${1:-$SAMPLE}
args=()
[ -n "$file" ] && args=("$(winepath -w "$(realpath -m -- "$file")")")

if [ $display = 1 ]; then
  say "starting $name on display $DISPLAY"
  status=0
  wine "$program" "${args[@]}" || status=$?
  say "$name ended with exit code $status"
  exit "$status"
fi

# No display: a private Xvfb, the program in the virtual desktop of a fresh Wine session
# on it, and a screenshot taken from inside Wine by the GUI test driver's helper.
shot_tool=$build/tests/gui/moji_gui_shot.exe
[ -f "$shot_tool" ] || { say "$shot_tool is missing (build the windows preset first)"; exit 1; }
work=$(mktemp -d)
xvfb=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
wineserver -k >/dev/null 2>&1 || true  # the desktop must come up on our display

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { say "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

mkdir -p "$build/screenshots"
png=$build/screenshots/run-$(date +%Y%m%d-%H%M%S).png
say "no display: starting $name in a private Xvfb ($DISPLAY)"
status=0
cmake/wine-run.sh "$shot_tool" --tag "${MOJI_RUN_TAG:-_MOJIVIEW_APPLICATION_TAG}" \
  --timeout "${MOJI_RUN_TIMEOUT:-30}" "$(winepath -w "$png")" "$program" "${args[@]}" \
  >"$work/shot.log" 2>&1 </dev/null || status=$?
sed 's/^/run: /' "$work/shot.log" >&2
case $status in
  0) echo "$png" ;;
  2) say "no screenshot: $name ended without showing a main window"; exit 1 ;;
  3) say "no main window appeared; the screen as it was: $png"; exit 1 ;;
  *) say "the screenshot helper failed (exit code $status)"; exit 1 ;;
esac
