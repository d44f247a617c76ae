#!/usr/bin/env bash
# Builds what a Windows user downloads, in build/release:
#   Velmora-<version>-portable.zip  Calendar.exe, TOOLS.DLL, readme.txt and the language modules
#                                   in a folder Velmora\, which runs wherever it is unzipped
#   Velmora-<version>.msi           the per-user installer (installer/Velmora.wxs, with wixl)
#   SHA256SUMS                      the checksums of the two
# The version is the project's (CMakeLists.txt). --version V builds another one, and --output
# DIR puts the packages elsewhere; the install test uses both to make an upgrade.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
version_override=""
output=$root/build/release
while [ $# -gt 0 ]; do
  case $1 in
    --version) version_override=$2; shift 2 ;;
    --output) output=$2; shift 2 ;;
    *) echo "usage: $0 [--version A.B.C.D] [--output DIR]" >&2; exit 2 ;;
  esac
done

bash scripts/install-deps.sh package
tree=$root/build/package
cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_PROGRAM_ONLY=ON \
      -DVELMORA_VERSION_OVERRIDE="$version_override" \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$tree" --target all language_modules >/dev/null
version=$(cat "$tree/generated/version.txt")
IFS=. read -r major minor build _ <<<"$version"
next_version=$major.$minor.$((build + 1))

# The program folder as the user gets it.
stage=$tree/stage
rm -rf "$stage"
mkdir -p "$stage/Velmora"
cp "$tree/dist/Calendar.exe" "$tree/dist/TOOLS.DLL" "$tree/dist/readme.txt" "$stage/Velmora/"
languages=()
for module in "$tree"/languages/Tools.*; do
  [ -f "$module" ] || continue
  cp "$module" "$stage/Velmora/"
  languages+=("$(basename "$module")")
done
cp calendar/Calendar.ico "$stage/Velmora.ico"

mkdir -p "$output"
zip_name=Velmora-$version-portable.zip
msi_name=Velmora-$version.msi
rm -f "$output/$zip_name" "$output/$msi_name"
(cd "$stage" && zip -q -X -r "$output/$zip_name" Velmora)

# wixl reads sources relative to where it runs, and the language modules from an include.
{
  echo '<?xml version="1.0" encoding="utf-8"?>'
  echo '<Include>'
  for module in "${languages[@]}"; do
    id=Language_${module//./_}
    echo "  <File Id=\"$id\" Name=\"$module\" Source=\"\$(var.SourceDir)/$module\"/>"
  done
  echo '</Include>'
} >"$stage/Languages.wxi"
(cd "$stage" && wixl -a x64 -I . -D Version="$version" -D NextVersion="$next_version" \
   -D SourceDir=Velmora -D IconFile=Velmora.ico -o "$output/$msi_name" "$root/installer/Velmora.wxs")

(cd "$output" && sha256sum "$zip_name" "$msi_name" >SHA256SUMS)
echo "Built in $output:"
(cd "$output" && ls -l "$zip_name" "$msi_name" SHA256SUMS | awk '{print "  " $5 "\t" $NF}')
