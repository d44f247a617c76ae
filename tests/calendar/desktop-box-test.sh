#!/usr/bin/env bash
# A message box of the calendar on a desktop with a window manager (openbox under Xvfb), with
# the calendar started by scripts/run.sh: a box shown at start (a broken regular.dat) comes up
# above an ordinary window that covers the screen, stays above it when that window is clicked
# and raised, and is not taken for the calendar by the run command, which keeps only the
# calendar's own window below. Once answered, the calendar comes up beneath the other window;
# a box asked for from the calendar itself (a click on a day) comes to the front the same way.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-session.sh
start_xvfb
folder=$(mktemp -d)
run_pid="" other_pid="" wm_pid=""
cleanup() {
  [ -n "$run_pid" ] && kill -TERM "$run_pid" 2>/dev/null && wait "$run_pid" 2>/dev/null || true
  for pid in $other_pid $wm_pid; do kill "$pid" 2>/dev/null || true; done
  kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT
fail() {
  echo "desktop box: FAILED: $*" >&2
  import -window root build/desktop-box-failed.png 2>/dev/null && echo "see build/desktop-box-failed.png" >&2
  exit 1
}

openbox >"$folder/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 1 300); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep "window id" >/dev/null && break; sleep 0.1; done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep "window id" >/dev/null || fail "openbox did not start"
xsetroot -solid '#3a6ea5' 2>/dev/null || true
printf '[options]\r\ntop=40\r\nleft=40\r\nfontsize=10\r\nlistcount=3\r\n' > "$folder/calendar.ini"
# One whole record of zeros and part of another: the library reports the file at the first
# layout, before the calendar's window is shown.
mkdir -p "$folder/data"
head -c 300 /dev/zero > "$folder/data/regular.dat"
# An ordinary window over most of the screen, the middle where a box comes up included.
xmessage -geometry 1100x900+60+60 "an ordinary window" &
other_pid=$!
other=""
for _ in $(seq 1 50); do
  other=$({ xdotool search --classname '^xmessage$' 2>/dev/null || true; } | head -n 1)
  [ -n "$other" ] && xprop -root _NET_CLIENT_LIST | grep "$(printf '0x%x' "$other")" >/dev/null && break
  sleep 0.1
done
[ -n "$other" ] || fail "the ordinary window did not come up"

VELMORA_RUN_NO_BUILD=1 VELMORA_RUN_FOLDER=$folder bash scripts/run.sh >"$folder/run.log" 2>&1 &
run_pid=$!
# The box: the program's window with a frame, the only one it shows at this point.
box=""
for _ in $(seq 1 1800); do
  box=$({ wmctrl -lx 2>/dev/null || true; } | awk 'tolower($3) == "calendar.exe.calendar.exe" { print $1; exit }')
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no message box; run.sh said: $(cat "$folder/run.log")"
[ -z "$(calendar_x_window)" ] || fail "the box was taken for the calendar's own window"

# Bottom to top: is window $1 beneath window $2?
beneath() {
  local order i=0 w a="" b=""
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  for w in $order; do
    [ $((w)) -eq $(($1)) ] && a=$i
    [ $((w)) -eq $(($2)) ] && b=$i
    i=$((i + 1))
  done
  [ -n "$a" ] && [ -n "$b" ] && [ "$a" -lt "$b" ]
}
wait_beneath() {
  for _ in $(seq 1 30); do beneath "$1" "$2" && return 0; sleep 0.1; done
  fail "$3: $(xprop -root _NET_CLIENT_LIST_STACKING)"
}
# The run command's keeper looks again every 0.2 s until it finds the calendar.
sleep 1.5
wait_beneath "$other" "$box" "the box came up beneath the other window"
# A click on the other window raises it; the box waits for its answer in front of it.
xdotool mousemove 200 200 click 1
xdotool windowactivate --sync "$other" 2>/dev/null || true
sleep 1
wait_beneath "$other" "$box" "the box went beneath the other window when that was clicked"
import -window root -crop 640x480+320+272 +repage build/desktop-box.png

# Answered as a user does: the box activated and its default button pressed.
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key Return
calendar=""
for _ in $(seq 1 100); do calendar=$(calendar_x_window); [ -n "$calendar" ] && break; sleep 0.1; done
[ -n "$calendar" ] || fail "no calendar window after the box was answered"
[ $((calendar)) -ne $((box)) ] || fail "the box was taken for the calendar's own window"
sleep 1.5
wait_beneath "$calendar" "$other" "the calendar above the other window after the box"

# A box while the calendar is in use, asked for by a click on a day: the calendar is then the
# active window, and a box owned by it would be stacked with it at the bottom. The other window
# moves aside but still covers the middle of the screen; the file changes, so it is told again.
xdotool windowsize --sync "$other" 800 700 windowmove --sync "$other" 400 150 2>/dev/null || true
head -c 600 /dev/zero > "$folder/data/regular.dat"
sleep 0.5
import -window root -crop 30x110+40+90 +repage "$folder/days.png"
read -r x y < <(convert "$folder/days.png" txt:- | awk -F'[,: ]+' '/#FFFFFF/ { print $1 + 40, $2 + 90; exit }') ||
  fail "no day number found on screen"
xdotool mousemove "$x" "$y" click 1
second=""
for _ in $(seq 1 100); do
  second=$({ wmctrl -lx 2>/dev/null || true; } |
    awk -v c="$(printf '0x%08x' "$((calendar))")" 'tolower($3) == "calendar.exe.calendar.exe" && $1 != c { print $1; exit }')
  [ -n "$second" ] && break
  sleep 0.1
done
[ -n "$second" ] || fail "no box after the click on a day"
sleep 1
wait_beneath "$other" "$second" "the box asked for from the calendar came up beneath the other window"
xdotool mousemove 900 300 click 1
xdotool windowactivate --sync "$other" 2>/dev/null || true
sleep 1
wait_beneath "$other" "$second" "the box asked for from the calendar went beneath the other window"
xdotool windowactivate --sync "$second" 2>/dev/null || true
xdotool key Return
for _ in $(seq 1 50); do xprop -id "$second" WM_NAME >/dev/null 2>&1 || break; sleep 0.1; done
sleep 1
wait_beneath "$calendar" "$other" "the calendar above the other window after the second box"

kill -TERM "$run_pid"
wait "$run_pid" || true
run_pid=""
grep -q "^top=40" "$folder/calendar.ini" || fail "the position was not saved: $(tr -d '\r' < "$folder/calendar.ini")"
echo "desktop box: a box at start and a box asked for from the calendar each came up and stayed above an ordinary window; the calendar lay beneath it"
