#!/bin/sh
# Runs a cross-built program under Wine for CTest; the test script sets up the prefix,
# the display and a running wineserver before CTest starts.
exec wine "$@"
