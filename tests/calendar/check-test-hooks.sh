#!/bin/sh
# check-test-hooks.sh SHIPPED... -- TEST...: no shipped module holds the test clock's variable
# name, and every test build does (which shows that the search finds it where it is).
status=0
side=shipped
for module in "$@"; do
  if [ "$module" = -- ]; then side=test; continue; fi
  if grep -q VELMORA_NOW "$module"; then found=yes; else found=no; fi
  if [ "$side" = shipped ] && [ "$found" = yes ]; then
    echo "shipped module with the test clock: $module" >&2; status=1
  elif [ "$side" = test ] && [ "$found" = no ]; then
    echo "test build without the test clock: $module" >&2; status=1
  fi
done
exit $status
