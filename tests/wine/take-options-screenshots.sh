#!/usr/bin/env bash
# Takes docs/options-1.png ... docs/options-7.png (the seven pages of the options dialog) and
# docs/about.png (the about box) on a private Xvfb display, from the options test program.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/build.sh >/dev/null
source scripts/wine-session.sh
trap stop_wine_session EXIT
start_wine_session
program=build/win/wine-tests/options_dialog_wine/options_dialog_wine.exe
shots=$(mktemp -d)
VELMORA_SHOTS=$(winepath -w "$shots") wine "$program" --gtest_filter='OptionsTest.Screenshots' >/dev/null
for name in options-1 options-2 options-3 options-4 options-5 options-6 options-7 about; do
  convert "$shots/$name.bmp" "docs/$name.png"
done
rm -rf "$shots"
echo "docs/options-1.png ... docs/options-7.png and docs/about.png written"
