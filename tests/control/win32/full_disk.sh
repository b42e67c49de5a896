#!/usr/bin/env bash
# Runs the control suite's full-disk test (FullDiskScript*) on a filesystem
# of its own: mounts a 256 KiB tmpfs, puts the old files there, fills what is
# left, runs the test under Wine with KIVO_FULL_DISK_DIR naming the folder,
# and unmounts it. Mounting needs root; without it the test is skipped.
#   full_disk.sh TEST_EXE
set -u
exe=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
work=$(mktemp -d /tmp/kivo-fulldisk.XXXXXX)
if [ "$(id -u)" != 0 ] || ! mount -t tmpfs -o size=256k,mode=0777 kivo-fulldisk "$work"; then
  echo "full_disk: cannot mount a tmpfs (needs root); skipped"
  rmdir "$work"
  # A report that says so: a run without one counts as a failure.
  if [[ "${GTEST_OUTPUT:-}" == xml:*/ ]]; then
    mkdir -p "${GTEST_OUTPUT#xml:}"
    printf '<?xml version="1.0"?>\n<testsuites><testsuite name="FullDiskScript" tests="1"><testcase name="SavesOnAFullDiskKeepTheOldFiles" status="notrun" result="skipped"><skipped/></testcase></testsuite></testsuites>\n' \
      >"${GTEST_OUTPUT#xml:}test_full_disk.xml"
  fi
  exit 0
fi
cleanup() {
  umount "$work" 2>/dev/null || umount -l "$work"
  rmdir "$work"
}
trap cleanup EXIT
for ext in csv xls kvx; do
  printf 'old %s bytes, kept byte for byte\r\n' "$ext" > "$work/t.$ext"
done
# Fill the rest; dd stops when the disk is full.
dd if=/dev/zero of="$work/filler" bs=4096 >/dev/null 2>&1
export KIVO_FULL_DISK_DIR="$work"
if [[ "${GTEST_OUTPUT:-}" == xml:*/ ]]; then
  export GTEST_OUTPUT="${GTEST_OUTPUT}test_full_disk.xml"
fi
"$root/scripts/wine-exec" "$exe" --gtest_filter='FullDiskScript*'
