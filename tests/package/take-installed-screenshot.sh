#!/usr/bin/env bash
# Takes docs/installed-programs.png: Wine's list of installed programs (its "uninstaller")
# after the package of build/release was installed, on a private display with a window
# manager, in a prefix of its own (build/wineprefix-shot). Run after scripts/package.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
version=$(cat build/package/generated/version.txt)
package=build/release/Velmora-$version.msi
[ -f "$package" ] || { echo "build $package first (scripts/package.sh)" >&2; exit 1; }
source scripts/wine-session.sh
export WINEPREFIX=$(pwd)/build/wineprefix-shot
rm -rf "$WINEPREFIX"
start_xvfb
wm_pid=""
cleanup() {
  stop_wine_session
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
}
trap cleanup EXIT
openbox >/dev/null 2>&1 &
wm_pid=$!
prepare_wine_prefix managed
xsetroot -solid '#3a6ea5'
wine msiexec /i "$(winepath -w "$package")" /qn
wine uninstaller >/dev/null 2>&1 &
for _ in $(seq 1 100); do
  window=$(xdotool search --name 'Add/Remove Programs' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the list of installed programs did not come up" >&2; exit 1; }
sleep 2
# The entry selected, as a user who is about to remove it sees it.
xdotool mousemove --window "$window" 60 190 click 1
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root build/installed-desktop.png
# The window with its frame and title bar.
left=$((X > 12 ? X - 12 : 0))
top=$((Y > 40 ? Y - 40 : 0))
convert build/installed-desktop.png -crop "$((WIDTH + 24))x$((HEIGHT + 52))+$left+$top" +repage \
  docs/installed-programs.png
echo "docs/installed-programs.png written"
