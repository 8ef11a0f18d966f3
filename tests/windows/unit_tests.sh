#!/usr/bin/env bash
# The core's unit tests, built for Windows, pass under Wine.
#   unit_tests.sh WINDOWS_BUILD_FOLDER SOURCE_FOLDER
set -u
build=$1
source_folder=$2
tmp=$(mktemp -d)
trap 'wine_stop; rm -rf "$tmp"' EXIT
. "$source_folder/tests/windows/wine.sh"
wine_start || { echo "FAIL: Wine does not start"; exit 1; }
failures=0
programs=0
for program in "$build"/tests/windows/test_*.exe; do
    [ -e "$program" ] || continue
    programs=$((programs + 1))
    if ! wine_run "$program" --gtest_brief=1 >"$tmp/out" 2>&1; then
        failures=$((failures + 1))
        echo "FAIL: $(basename "$program")"
        grep -E "FAILED|Failure|error" "$tmp/out" | head -20
    else
        echo "$(basename "$program"): $(tr -d '\r' <"$tmp/out" | grep -E '^\[  PASSED  \]')"
    fi
done
[ "$programs" -gt 0 ] || { echo "FAIL: no test programs in $build/tests/windows"; exit 1; }
[ "$failures" = 0 ]
