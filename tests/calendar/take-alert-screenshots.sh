#!/usr/bin/env bash
# Takes docs/alert-window.png (an alert at its time and one missed earlier in the day, with
# Dismiss and Snooze) and docs/notification.png (today's reminders in the notification area's
# balloon, here Wine's own tray window). Runs the program's test build on a private Xvfb
# display with the test clock at 10:30 on 5 March 2007.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --build build/win --target Calendar_test Tools_test >/dev/null
source scripts/wine-session.sh
start_picture_session test
printf '[options]\r\ntop=40\r\nleft=40\r\nfontsize=11\r\nlistcount=3\r\nalertsound=0\r\n[eventtypes]\r\nBirthday=255\r\nWork=33023\r\n' > "$folder/calendar.ini"
printf '{Birthday}Anna turns 30\r\n{Work}10:30 Stand-up|Room 4, bring the figures\r\n{Work}9:00 Call the printer\r\nBuy flowers\r\n' > "$folder/data/2007-03-05.txt"

xsetroot -solid '#3a6ea5'
(cd "$folder" && VELMORA_NOW=39146.4375 exec wine Calendar.exe >/dev/null 2>&1) &
calendar_pid=$!
sleep 6
xsetroot -solid '#3a6ea5'
shot=$folder/desktop.png
import -window root "$shot"
width=$(identify -format %w "$shot")
height=$(identify -format %h "$shot")
convert "$shot" -crop "340x330+$((width - 340))+$((height - 330))" +repage docs/alert-window.png
convert "$shot" -crop 300x360+0+0 +repage docs/notification.png
echo "docs/alert-window.png and docs/notification.png written"
