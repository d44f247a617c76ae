#!/usr/bin/env bash
# Takes docs/calendar-96dpi.png, docs/calendar-144dpi.png and docs/calendar-192dpi.png: the
# calendar with the same options and reminders in a Wine prefix set to each scale (LogPixels),
# on a private Xvfb display. Run after a build of the Windows tree.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-session.sh
export WINEPREFIX=$(pwd)/build/wineprefix-dpi
start_picture_session
day_file() { date -d "$1" +%Y-%m-%d; }
printf '{Birthday}Anna turns 30\r\nR&D review\r\n' > "$folder/data/$(day_file '+2 days').txt"
printf '{Work}Quarterly report|2 copies for the board\r\n' > "$folder/data/$(day_file '+5 days').txt"
printf '{Holiday}Trip to the coast\r\n' > "$folder/data/$(day_file '+9 days').txt"

for dpi in 96 144 192; do
  printf '[options]\r\ntop=20\r\nleft=20\r\nfontsize=11\r\nlistcount=3\r\nfirstday=2\r\ncolourcoding=1\r\n[eventtypes]\r\nBirthday=255\r\nWork=33023\r\nHoliday=65280\r\n' > "$folder/calendar.ini"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n[HKEY_CURRENT_CONFIG\\Software\\Fonts]\n"LogPixels"=dword:%08x\n' "$dpi" "$dpi" > "$folder/dpi.reg"
  wine regedit /S "$(winepath -w "$folder/dpi.reg")" >/dev/null 2>&1
  # The scale is read when Wine starts.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w || true
  (cd "$folder" && exec wine Calendar.exe >/dev/null 2>&1) &
  calendar_pid=$!
  sleep 5
  xsetroot -solid '#3a6ea5'
  sleep 1
  import -window root "$folder/desktop.png"
  size=$((dpi * 420 / 96))
  convert "$folder/desktop.png" -crop "${size}x${size}+0+0" +repage "docs/calendar-${dpi}dpi.png"
  kill "$calendar_pid" 2>/dev/null || true
  wait "$calendar_pid" 2>/dev/null || true
  calendar_pid=""
done
echo "docs/calendar-96dpi.png, docs/calendar-144dpi.png and docs/calendar-192dpi.png written"
