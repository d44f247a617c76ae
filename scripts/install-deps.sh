#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are there.
set -euo pipefail
# "run" installs only what scripts/run.sh needs: the cross compiler, Wine and a display.
run_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
              wine wine64 xvfb xauth fonts-liberation x11-utils x11-xserver-utils openbox wmctrl)
packages=("${run_packages[@]}" g++ libgtest-dev imagemagick xdotool
          clang libclang-rt-14-dev wixl zip
          python3-icalendar python3-recurring-ical-events python3-tz)
[ "${1:-}" = run ] && packages=("${run_packages[@]}")
# "package" adds what scripts/package.sh needs besides: the installer builder and zip.
[ "${1:-}" = package ] && packages=("${run_packages[@]}" wixl zip)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
