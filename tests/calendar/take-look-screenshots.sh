#!/usr/bin/env bash
# Takes docs/week-numbers.png (the calendar with week numbers beside its rows) and
# docs/today-filled.png (today's day filled) on a private Xvfb display, from example data made
# for the current month.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --build build/win --target Calendar Tools >/dev/null
source scripts/wine-session.sh
start_picture_session
day_file() { date -d "$1" +%Y-%m-%d; }
printf '{Birthday}Anna turns 30\r\n' > "$folder/data/$(day_file '+2 days').txt"
printf '{Work}Quarterly report\r\n' > "$folder/data/$(day_file '+5 days').txt"

# One run of the calendar with these extra options, its picture cropped to the file.
shoot() {
  printf '[options]\r\ntop=40\r\nleft=60\r\nfontsize=11\r\nlistcount=2\r\nfirstday=2\r\n%b[eventtypes]\r\nBirthday=255\r\nWork=33023\r\n' "$1" > "$folder/calendar.ini"
  (cd "$folder" && exec wine Calendar.exe >/dev/null 2>&1) &
  calendar_pid=$!
  sleep 4
  # Set while Wine holds the display open: the server resets the root when its last client goes.
  xsetroot -solid '#3a6ea5'
  sleep 1
  import -window root "$folder/desktop.png"
  convert "$folder/desktop.png" -crop 300x330+20+20 +repage "$2"
  kill "$calendar_pid" 2>/dev/null || true
  wait "$calendar_pid" 2>/dev/null || true
  calendar_pid=""
  sleep 1
}
shoot 'weeknumbers=1\r\n' docs/week-numbers.png
shoot 'filltoday=1\r\n' docs/today-filled.png
echo "docs/week-numbers.png and docs/today-filled.png written"
