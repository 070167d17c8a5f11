#!/usr/bin/env bash
# compare-companions.sh LINUX_CLI WINDOWS_CLI: the Windows companion (run under Wine) answers
# every case of companion-cases.txt with the same report, bytes and exit status as the Linux
# one (line ends aside: the Windows console writes CR LF), and draws the same PNG pixels.
set -uo pipefail
linux=${1:?usage: compare-companions.sh LINUX_CLI WINDOWS_CLI}
windows=${2:?usage: compare-companions.sh LINUX_CLI WINDOWS_CLI}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0 count=0
while IFS= read -r line; do
    [[ -z $line || $line == \#* ]] && continue
    count=$((count + 1))
    if ! eval "args=($line)" 2>/dev/null; then
        echo "FAIL: the case '$line' is not a list of shell words"
        failures=$((failures + 1))
        continue
    fi
    "$linux" "${args[@]}" >"$work/linux.out" 2>/dev/null
    linux_status=$?
    wine "$windows" "${args[@]}" 2>/dev/null | tr -d '\r' >"$work/windows.out"
    windows_status=${PIPESTATUS[0]}
    if ! cmp -s "$work/linux.out" "$work/windows.out" || ((linux_status != windows_status)); then
        echo "FAIL: $line: Linux ($linux_status) and Windows ($windows_status) differ:"
        diff "$work/linux.out" "$work/windows.out" | head -n 10
        failures=$((failures + 1))
    fi
done <"$here/companion-cases.txt"

# The picture, through each system's save routine, with a Chinese file name on Windows.
"$linux" --png "$work/linux.png" 1 -3 2 >/dev/null
wine "$windows" --png "$work/二次.png" 1 -3 2 >/dev/null
differ=$(compare -metric AE "$work/linux.png" "$work/二次.png" null: 2>&1)
count=$((count + 1))
if [[ $differ != 0 ]]; then
    echo "FAIL: the PNG pictures differ in $differ pixels"
    failures=$((failures + 1))
fi
echo "companion: $((count - failures)) passed, $failures failed"
((failures == 0))
