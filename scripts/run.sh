#!/usr/bin/env bash
# Builds the program and starts the calendar under Wine on the user's display, as a desktop
# calendar: beneath the other windows, closed from its menu (right-click a day, Close) or by
# Ctrl-C here, both of which save its position. It runs from build/run/dist (or the folder in
# VELMORA_RUN_FOLDER), where its options and reminders are kept, in a Wine prefix of its own
# (build/wineprefix-run) with Wine's defaults, so the window manager manages the window.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# Only what it runs: Calendar.exe, TOOLS.DLL and readme.txt, in a tree of their own (build/run),
# with only the packages the run needs. VELMORA_RUN_NO_BUILD=1 skips the build and runs the
# program built last, here or by the test command (build/win); the desktop test does that.
program=$root/build/run/dist
if [ -z "${VELMORA_RUN_NO_BUILD:-}" ]; then
  bash scripts/install-deps.sh run
  cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_PROGRAM_ONLY=ON \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build build/run
elif [ -f build/win/dist/Calendar.exe ] &&
     { [ ! -f "$program/Calendar.exe" ] || [ build/win/dist/Calendar.exe -nt "$program/Calendar.exe" ]; }; then
  program=$root/build/win/dist
fi
export WINEPREFIX=${VELMORA_RUN_PREFIX:-$root/build/wineprefix-run}
source scripts/wine-session.sh
folder=${VELMORA_RUN_FOLDER:-$program}
if [ "$folder" != "$program" ]; then
  cp "$program/Calendar.exe" "$program/TOOLS.DLL" "$program/readme.txt" "$folder/"
fi

private_display=""
window_manager_pid=""
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  private_display=$DISPLAY
  # A window manager makes the private display behave like a desktop.
  if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    window_manager_pid=$!
  fi
  xsetroot -solid '#3a6ea5' 2>/dev/null || true
fi
prepare_wine_prefix managed

calendar_pid=""
keeper_pid=""
finish() {
  trap - INT TERM EXIT
  [ -n "$calendar_pid" ] && close_calendar "$calendar_pid"
  [ -n "$keeper_pid" ] && kill "$keeper_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$window_manager_pid" ] && kill "$window_manager_pid" 2>/dev/null || true
  [ -n "$private_display" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap finish EXIT
trap 'echo; echo "Closing the calendar..."; exit 0' INT TERM

# A session of its own keeps Ctrl-C from killing the program before it can save.
(cd "$folder" && exec setsid -w wine Calendar.exe "$@" >/dev/null 2>&1) &
calendar_pid=$!
keep_calendar_below "$calendar_pid" &
keeper_pid=$!

echo "The calendar runs from $folder."
if [ -n "$private_display" ]; then
  echo "No display was set, so it runs on the private display $DISPLAY."
  echo "To look at it:  DISPLAY=$DISPLAY import -window root calendar.png   (then open calendar.png)"
  command -v x11vnc >/dev/null &&
    echo "or watch it live:  x11vnc -display $DISPLAY -localhost -nopw   and a VNC viewer on localhost:5900"
fi
echo "To close it: right-click a day and choose Close, or press Ctrl-C here. Either way it saves its position."
wait "$calendar_pid" || true
calendar_pid=""
