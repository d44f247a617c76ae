#!/usr/bin/env bash
# Builds and runs HitTestProbe.exe under Wine on a private virtual display with a light root
# window, clicks each square through the display (xdotool), prints what each window caught
# and keeps a screenshot: the figures behind keeping the colour key for the day cells.
# Usage: tests/calendar/probe/hit-test-probe.sh [screenshot.png]
set -euo pipefail
cd "$(dirname "$0")/../../.."
out=$(mktemp -d)
x86_64-w64-mingw32-g++ -O1 -static -o "$out/HitTestProbe.exe" tests/calendar/probe/HitTestProbe.cpp -lgdi32 -luser32
source scripts/wine-session.sh
start_wine_session
xsetroot -solid "#d8e4f0"
WINEDEBUG=-all wine "$out/HitTestProbe.exe" >"$out/result.txt" 2>&1 &
probe=$!
sleep 4
for i in 0 1 2 3; do
  x=$((100 + i * 150))
  xdotool mousemove $((x + 10)) 110 click 1   # a key-coloured pixel
  sleep 0.3
  xdotool mousemove $((x + 50)) 150 click 1   # the white block
  sleep 0.3
done
xdotool mousemove 1000 900
import -window root -crop 650x160+50+70 "${1:-$out/probe.png}"
wait "$probe" || true
cat "$out/result.txt"
stop_wine_session
rm -rf "$out"
