#!/bin/sh
# Lists the export table of TOOLS.DLL and checks that it holds the window's names, undecorated.
set -eu
table=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
echo "$table"
names=$(echo "$table" | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
expected="AddEntry ComingUp ExportCalendarFile GetItems GetOptionNumber GetOptions ImportCalendarFile SetOptions ShowOptions "
if [ "$names" != "$expected" ]; then
  echo "export names: '$names', expected: '$expected'"
  exit 1
fi
echo "exports undecorated: $names"
