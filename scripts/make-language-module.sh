#!/usr/bin/env bash
# Makes a language module of the library: a resource-only Windows module "Tools.<ABBR>" that
# holds each translated form description of a folder, named after its dialog's class.
#
#   scripts/make-language-module.sh ABBR FOLDER [OUTPUT]
#
# ABBR is the language's abbreviation as Windows gives it (NLD, ENA, DEU, ...); FOLDER holds
# one <DialogClass>.txt per translated dialog (tools/languages/NLD/ is an example); OUTPUT
# defaults to build/win/languages/Tools.<ABBR>. Put the module beside TOOLS.DLL and set the
# language in calendar.ini. CC and WINDRES choose the cross tools (MinGW-w64 by default).
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 ABBR FOLDER [OUTPUT]" >&2
    exit 2
fi
abbreviation=$1
folder=$(cd "$2" && pwd)
case "$abbreviation" in
    [A-Za-z][A-Za-z] | [A-Za-z][A-Za-z][A-Za-z]) ;;
    *) echo "$0: the abbreviation must be two or three letters, not \"$abbreviation\"" >&2; exit 2 ;;
esac
output=${3:-$(dirname "$0")/../build/win/languages/Tools.$abbreviation}
CC=${CC:-x86_64-w64-mingw32-gcc}
WINDRES=${WINDRES:-x86_64-w64-mingw32-windres}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shopt -s nullglob
descriptions=("$folder"/*.txt)
if [ ${#descriptions[@]} -eq 0 ]; then
    echo "$0: $folder holds no <DialogClass>.txt" >&2
    exit 1
fi
for description in "${descriptions[@]}"; do
    class=$(basename "$description" .txt)
    case "$class" in
        *[!A-Za-z0-9_]* | "") echo "$0: $description is not named after a dialog class" >&2; exit 1 ;;
    esac
    # The library looks a description up by its class name in upper case.
    printf '%s RCDATA "%s"\n' "$(printf '%s' "$class" | tr 'a-z' 'A-Z')" "$description" >>"$work/module.rc"
done
"$WINDRES" --input-format=rc --output-format=coff -i "$work/module.rc" -o "$work/module.o"
mkdir -p "$(dirname "$output")"
# No code and no entry point: the library only ever loads it as data.
"$CC" -shared -nostdlib -Wl,--entry=0 -s -o "$output" "$work/module.o"
echo "$output"
