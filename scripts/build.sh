#!/usr/bin/env bash
# Builds the trees: build/native (Linux, sanitizers), build/win (MinGW-w64) and build/fuzz
# (the fuzz targets, clang with libFuzzer).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVELMORA_FUZZ=ON >/dev/null
cmake --build build/fuzz --target fuzz_targets
