#!/usr/bin/env bash
# Takes docs/add-reminder-1..4.png: a reminder added from the calendar's menu, step by step
# (the menu on day 12, the editor, the reminder typed with its type, the calendar after OK),
# by running the end-to-end test on a desktop with a window manager, in the run command's
# managed prefix, with the test keeping a picture of the screen at each step.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --build build/win --target calendar_end_to_end_wine >/dev/null
export WINEPREFIX=$(pwd)/build/wineprefix-run
source scripts/wine-session.sh
start_xvfb
wm_pid=""
shots=$(mktemp -d)
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$shots"
}
trap cleanup EXIT
prepare_wine_prefix managed
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1
xsetroot -solid '#3a6ea5'
(cd build/win/wine-tests/calendar_end_to_end_wine &&
 VELMORA_SCREENSHOTS=$(winepath -w "$shots" 2>/dev/null) wine calendar_end_to_end_wine.exe >/dev/null)
# The editor opens in the middle of the screen; the other two steps show the calendar alone.
for shot in "$shots"/*.bmp; do
  name=$(basename "$shot" .bmp)
  case "$name" in
    *-menu | *-done) crop=320x300+20+20 ;;
    *) crop=930x730+0+0 ;;
  esac
  convert "$shot" -crop "$crop" +repage "docs/$name.png"
done
ls docs/add-reminder-*.png
