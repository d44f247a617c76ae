#!/usr/bin/env bash
# Builds the program and starts the calendar under Wine on the user's display. The calendar
# runs from build/win/dist, so its options and reminders are kept there; the first start
# finds an empty store.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
source scripts/wine-session.sh
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
  echo "No display was set: the calendar runs on a private Xvfb display $DISPLAY (nothing will be seen)."
fi
prepare_wine_prefix
cd build/win/dist
wine Calendar.exe "$@"
