#!/usr/bin/env bash
# The installer as a user meets it (tests/package/InstallWineTest.cpp): builds the project's
# packages and a higher version's (the third number one up), then runs the test in a fresh
# Wine prefix of its own, build/wineprefix-install, on a display of its own. Needs the test
# program from the Windows tree (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
test_program=$root/build/win/wine-tests/install_wine/install_wine.exe
[ -f "$test_program" ] || { echo "install test: build the Windows tree first" >&2; exit 1; }
packages=$root/build/install-test
rm -rf "$packages"
bash scripts/package.sh --output "$packages" >/dev/null
version=$(cat build/package/generated/version.txt)
IFS=. read -r major minor build revision <<<"$version"
newer_version=$major.$minor.$((build + 1)).$revision
bash scripts/package.sh --version "$newer_version" --output "$packages" >/dev/null
# Back to the project's version, so build/package holds what build/release will.
cmake -S . -B build/package -DVELMORA_VERSION_OVERRIDE= >/dev/null

export WINEPREFIX=$root/build/wineprefix-install
rm -rf "$WINEPREFIX"
source scripts/wine-session.sh
trap stop_wine_session EXIT
start_wine_session
# The portable zip unzipped in a folder of the user's, as Windows' "Extract All" would.
unzip -q "$packages/Velmora-$version-portable.zip" -d "$WINEPREFIX/drive_c/users/Public/Portable"
VELMORA_PORTABLE_FOLDER='C:\users\Public\Portable\Velmora' \
VELMORA_PACKAGE=$(winepath -w "$packages/Velmora-$version.msi") \
VELMORA_NEWER_PACKAGE=$(winepath -w "$packages/Velmora-$newer_version.msi") \
VELMORA_NEWER_VERSION=$newer_version \
  wine "$test_program"
