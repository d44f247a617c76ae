#!/usr/bin/env bash
# Takes docs/options-dutch.png and docs/editor-dutch.png (the options dialog and the reminder
# editor read from the Dutch module the build makes) on a private Xvfb display, from the
# language test program.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --build build/win --target language_wine >/dev/null
source scripts/wine-session.sh
trap stop_wine_session EXIT
start_wine_session
shots=$(mktemp -d)
(cd build/win/wine-tests/language_wine &&
  VELMORA_OPTIONS_SCREENSHOT=$(winepath -w "$shots/options.bmp") \
  VELMORA_EDITOR_SCREENSHOT=$(winepath -w "$shots/editor.bmp") \
  wine language_wine.exe --gtest_filter='*SecondSwitch*:*StoredLanguage*' >/dev/null)
convert "$shots/options.bmp" docs/options-dutch.png
convert "$shots/editor.bmp" docs/editor-dutch.png
rm -rf "$shots"
echo "docs/options-dutch.png and docs/editor-dutch.png written"
