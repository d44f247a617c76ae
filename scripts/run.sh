#!/usr/bin/env bash
# Builds the program and starts the calendar under Wine on the user's display, as a desktop
# calendar: beneath the other windows, closed from its menu (right-click a day, Close) or by
# Ctrl-C here, both of which save its position. It runs from build/win/dist (or the folder in
# VELMORA_RUN_FOLDER), where its options and reminders are kept, in a Wine prefix of its own
# (build/wineprefix-run) with Wine's defaults, so the window manager manages the window.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# The desktop test runs this script on a tree it has just built.
if [ -z "${VELMORA_RUN_NO_BUILD:-}" ]; then
  bash scripts/install-deps.sh
  bash scripts/build.sh
fi
export WINEPREFIX=${VELMORA_RUN_PREFIX:-$root/build/wineprefix-run}
source scripts/wine-session.sh
folder=${VELMORA_RUN_FOLDER:-$root/build/win/dist}
if [ "$folder" != "$root/build/win/dist" ]; then
  cp build/win/dist/Calendar.exe build/win/dist/TOOLS.DLL build/win/dist/readme.txt "$folder/"
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
