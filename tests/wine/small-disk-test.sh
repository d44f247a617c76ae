#!/usr/bin/env bash
# Runs the settings test's small-disk case from a filesystem of its own, a little larger than
# the test program, so that a save of calendar.ini really meets a full disk. Needs the right to
# mount (root, as in CI); without it the case is skipped with the reason (CTest skip code 77).
set -euo pipefail
runner=$1
program=$2
mountpoint=$(mktemp -d /tmp/velmora-small-disk.XXXXXX)
cleanup() {
  cd /
  # The Wine server may still hold the program's image for a moment after it ended: the
  # filesystem is then detached at once and goes when the last hold does.
  umount "$mountpoint" 2>/dev/null || umount -l "$mountpoint" 2>/dev/null || true
  rmdir "$mountpoint" 2>/dev/null || true
}
trap cleanup EXIT
size_kb=$(( $(stat -c %s "$program") / 1024 + 512 ))
if ! mount -t tmpfs -o "size=${size_kb}k" tmpfs "$mountpoint" 2>/dev/null; then
  echo "small disk: cannot mount a small filesystem here (needs root and the right to mount); skipped"
  exit 77
fi
cp "$program" "$mountpoint/"
cd "$mountpoint"
VELMORA_SMALL_DISK=1 "$runner" "$mountpoint/$(basename "$program")" --gtest_filter='SmallDisk.*'
