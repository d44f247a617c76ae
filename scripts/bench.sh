#!/usr/bin/env bash
# Times GetItems and ComingUp on generated heavy stores against raw reads of the same files:
# natively in an optimised tree without sanitizers, then the Windows build under Wine, each
# use loading and freeing TOOLS.DLL as the window does. Prints only; nothing here fails on
# a slow figure.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCH_NO_SANITIZERS=ON >/dev/null
cmake --build build/bench --target generate_store query_bench hostile_bench >/dev/null
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win --target Tools windows_query_bench >/dev/null

# Two sizes: the heavy store as generated and one with four times its regular reminders.
for scale in 1 4; do
  rm -rf "build/bench-store-$scale"
  build/bench/tests/bench/generate_store "build/bench-store-$scale" "$scale"
done

echo
echo "Machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'),"\
     "$(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo) memory"
echo
build/bench/tests/bench/query_bench build/bench-store-1 build/bench-store-4

# Stores made to hurt the queries: the time and memory of each call should follow what it
# hands out plus one read of its files.
echo
build/bench/tests/bench/hostile_bench build/bench-hostile

# A calendar file of 100,000 events imported, imported again and exported.
cmake --build build/bench --target icalendar_bench >/dev/null
echo
build/bench/tests/bench/icalendar_bench build/bench-icalendar

# The Windows program finds its data beside itself, so it runs from a folder of its own.
rm -rf build/bench-win
mkdir -p build/bench-win
cp build/win/dist/TOOLS.DLL build/win/tests/bench/MINIMAL.DLL build/win/tests/bench/windows_query_bench.exe build/bench-win/
cp -r build/bench-store-1/calendar.ini build/bench-store-1/data build/bench-win/

source scripts/wine-session.sh
trap stop_wine_session EXIT
start_wine_session
echo
(cd build/bench-win && timeout 900 wine windows_query_bench.exe)

# The window's relayout of a month alone: Calendar.exe without the library, its month buttons
# clicked in turn from another program.
cmake --build build/win --target Calendar windows_relayout_bench >/dev/null
rm -rf build/bench-relayout-win
mkdir -p build/bench-relayout-win
cp build/win/dist/Calendar.exe build/bench-relayout-win/
echo
timeout 300 wine build/win/tests/bench/windows_relayout_bench.exe "$(winepath -w build/bench-relayout-win)"

# The same calendar file and month with a subscription through TOOLS.DLL, in a folder of its
# own (the import writes its store there).
cmake --build build/win --target Tools windows_icalendar_bench >/dev/null
rm -rf build/bench-icalendar-win
mkdir -p build/bench-icalendar-win
cp build/win/dist/TOOLS.DLL build/win/tests/bench/windows_icalendar_bench.exe build/bench-icalendar-win/
echo
(cd build/bench-icalendar-win && timeout 900 wine windows_icalendar_bench.exe)

# The settings save against large reminder-type tables: natively in process, then through
# TOOLS.DLL under Wine, each in a folder of its own (the save rewrites calendar.ini there).
cmake --build build/bench --target settings_bench >/dev/null
cmake --build build/win --target Tools windows_settings_bench >/dev/null
rm -rf build/bench-settings build/bench-settings-win
mkdir -p build/bench-settings build/bench-settings-win
echo
build/bench/tests/bench/settings_bench build/bench-settings
cp build/win/dist/TOOLS.DLL build/win/tests/bench/windows_settings_bench.exe build/bench-settings-win/
echo
(cd build/bench-settings-win && timeout 900 wine windows_settings_bench.exe)

# Opening the reminder editor and the options dialog on huge stores, one case a run so that
# each peak memory is its own; every line sets the case against the empty store's open.
cmake --build build/win --target Tools windows_editor_bench >/dev/null
rm -rf build/bench-editor-win
mkdir -p build/bench-editor-win
cp build/win/dist/TOOLS.DLL build/win/tests/bench/windows_editor_bench.exe build/bench-editor-win/
echo
for editor_case in lines-100k lines-1m long-line regular-20k types-4k; do
  (cd build/bench-editor-win && timeout 300 wine windows_editor_bench.exe "$editor_case")
done
