#!/usr/bin/env bash
# Takes docs/screenshot.png (the calendar on a coloured desktop, reminders of three types and
# a three-line Coming Up list) and docs/tooltip.png (the tooltip of a day with two reminders)
# on a private Xvfb display, from example data made for the current month.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/build.sh >/dev/null
source scripts/wine-session.sh
start_picture_session
printf '[options]\r\ntop=40\r\nleft=40\r\nfontsize=11\r\nlistcount=3\r\nfirstday=2\r\nttsize=11\r\n[eventtypes]\r\nBirthday=255\r\nWork=33023\r\nHoliday=65280\r\n' > "$folder/calendar.ini"
day_file() { date -d "$1" +%Y-%m-%d; }
printf '{Birthday}Anna turns 30\r\nR&D review\r\n' > "$folder/data/$(day_file '+2 days').txt"
printf '{Work}Quarterly report|2 copies for the board\r\n' > "$folder/data/$(day_file '+5 days').txt"
printf '{Holiday}Trip to the coast\r\n' > "$folder/data/$(day_file '+9 days').txt"

(cd "$folder" && exec wine Calendar.exe >/dev/null 2>&1) &
calendar_pid=$!
sleep 4
# Set while Wine holds the display open: the server resets the root when its last client goes.
xsetroot -solid '#3a6ea5'
sleep 1
shot=$folder/desktop.png
import -window root "$shot"
convert "$shot" -crop 360x420+20+20 +repage docs/screenshot.png

# The birthday's number is the topmost red text on the desktop; resting the pointer on one
# of its pixels shows the day's tooltip.
read -r x y < <(convert "$shot" txt:- | awk -F'[,: ]+' '/#FF0000/ { if (best == "" || $2 < by) { best = $1; by = $2 } } END { print best, by }')
python3 - "$x" "$y" <<'PY'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
display = x11.XOpenDisplay(None)
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
root = x11.XDefaultRootWindow(display)
x11.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 4 + [ctypes.c_uint] * 0 + [ctypes.c_int, ctypes.c_int]
x11.XWarpPointer(ctypes.c_void_p(display), 0, root, 0, 0, 0, 0, int(sys.argv[1]) - 3, int(sys.argv[2]))
x11.XSync(ctypes.c_void_p(display), 0)
x11.XWarpPointer(ctypes.c_void_p(display), 0, root, 0, 0, 0, 0, int(sys.argv[1]), int(sys.argv[2]))
x11.XSync(ctypes.c_void_p(display), 0)
x11.XCloseDisplay(ctypes.c_void_p(display))
PY
sleep 3
import -window root "$shot"
convert "$shot" -crop 360x420+20+20 +repage docs/tooltip.png
echo "docs/screenshot.png and docs/tooltip.png written"
