#!/usr/bin/env bash
# Takes the reminder editor's pictures in docs/: both pages with reminders of three types
# (editor-reminders.png, editor-regular.png), the drop-down month with framed days
# (editor-dropdown.png) and the dialog at 144 dots per inch (editor-144dpi.png). Uses a
# built tree (scripts/build.sh) and a private Xvfb display.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-session.sh
folder=$(mktemp -d)
cleanup() {
  stop_wine_session
  rm -rf "$folder"
}
trap cleanup EXIT
start_wine_session
(cd build/win/wine-tests/editor_wine &&
  VELMORA_SHOTS="$(winepath -w "$folder")" wine editor_wine.exe \
    --gtest_filter='EditorTest.Screenshots:EditorTest.At144DotsPerInchEverythingGrowsAndFits')
for shot in editor-reminders editor-regular editor-dropdown editor-144dpi; do
  convert "$folder/$shot.bmp" "docs/$shot.png"
done
echo "pictures in docs/"
