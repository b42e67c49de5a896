#!/usr/bin/env bash
# A Windows program that leaves a child running when it ends must neither
# keep the suite waiting nor pass: the test runs cmd.exe, which starts
# ping.exe for five minutes (Wine's script host has no working sleep) and
# ends at once. The run through scripts/wine-exec (ctest's way of running
# every Windows test program) must come back within seconds, name the child,
# fail, and leave nothing running. Then a test program that meets a message
# box nobody closes ($1, with the box watch shortened to 2 s) must end by
# itself within seconds, naming the box and the test.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib.sh"
kivo_wine_env

fail() { echo "leftover guard: $*"; exit 1; }

# Under ctest (GTEST_OUTPUT=xml:DIR/) a report of GoogleTest's shape, written
# when the guard held; a missing report counts as a failure.
report_dir=""
[[ "${GTEST_OUTPUT:-}" == xml:*/ ]] && report_dir=${GTEST_OUTPUT#xml:}
unset GTEST_OUTPUT

start=$SECONDS
# The output is taken through a pipe of this script's own: a leftover that
# held it would keep the command substitution waiting until the time limit.
out=$(timeout 90 "$root/scripts/wine-exec" cmd.exe /c start "" ping.exe -n 300 127.0.0.1)
rc=$?
took=$((SECONDS - start))
echo "$out"
echo "wine-exec answered $rc after $took s"

[ "$rc" -ne 124 ] || fail "the run waited for the leftover until the time limit"
[ "$took" -lt 60 ] || fail "the run took $took s"
[ "$rc" -ne 0 ] || fail "a run that left a process behind passed"
grep -qi "ping.exe (pid" <<<"$out" || fail "the leftover was not named"
left=$(kivo_wine_processes "WINEPREFIX=$WINEPREFIX" | grep -i ping)
[ -z "$left" ] || fail "still running: $left"

start=$SECONDS
out=$(KIVO_BOX_WATCH_SECONDS=2 timeout 90 "$root/scripts/wine-exec" "$1")
rc=$?
took=$((SECONDS - start))
echo "$out"
echo "the program with a box left open answered $rc after $took s"
[ "$rc" -ne 124 ] && [ "$took" -lt 60 ] || fail "the box held the program until the time limit"
[ "$rc" -eq 3 ] || fail "the watchdog did not end the program (exit code $rc)"
grep -q "BoxLeftOpen.MeetsABoxNobodyCloses" <<<"$out" || fail "the test that met the box was not named"
grep -q "KivoGuardBox.*没有按装打印机" <<<"$out" || fail "the box's caption and text were not named"

if [ -n "$report_dir" ]; then
  mkdir -p "$report_dir"
  printf '<?xml version="1.0"?>\n<testsuites><testsuite name="LeftoverGuard" tests="2"><testcase name="ALeftoverIsNamedKilledAndFailsTheRun" status="run"/><testcase name="ABoxNobodyClosesEndsTheProgramNamingIt" status="run"/></testsuite></testsuites>\n' \
    >"${report_dir}test_leftover_guard.xml"
fi
echo "leftover and box guards held"
