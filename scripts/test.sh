#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the native ones under
# the sanitizers, the Windows ones under Wine on a private Xvfb display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir build/native --output-on-failure -j 2
# Each fuzz target for a few seconds from its seeds; scripts/fuzz.sh runs them long.
ctest --test-dir build/fuzz --output-on-failure
source scripts/wine-session.sh
trap stop_wine_session EXIT
start_wine_session
ctest --test-dir build/win --output-on-failure
# The run command itself, under a window manager, in the prefix it uses.
bash tests/calendar/desktop-stacking-test.sh
# A message box of the calendar under the same run setup: in front, and never kept below.
bash tests/calendar/desktop-box-test.sh
