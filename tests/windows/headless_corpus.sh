#!/usr/bin/env bash
# The Windows program in headless mode, run under Wine, writes byte for byte
# the transcripts, progress files, backups and debug logs of the Linux
# program over a corpus of generated games.
#   headless_corpus.sh LINUX_PROGRAM WINDOWS_PROGRAM SOURCE_FOLDER [COUNT]
set -u
linux=$1
windows=$2
source_folder=$3
count=${4:-200}
tmp=$(mktemp -d)
trap 'wine_stop; rm -rf "$tmp"' EXIT
. "$source_folder/tests/windows/wine.sh"

g++ -std=c++20 -O1 -I "$source_folder/src" -o "$tmp/corpus" "$source_folder/tests/windows/corpus.cpp" || exit 1
"$linux" --dump-content >"$tmp/dump" || exit 1
"$tmp/corpus" "$tmp/dump" "$tmp/cases" "$count" || exit 1
wine_start || { echo "FAIL: Wine does not start"; exit 1; }

# Runs one case with one program; leaves the transcript, the exit code and
# the home folder as the program left it in $tmp/result/WHO.
play() { # who, case folder, command...
    local who=$1 case=$2
    shift 2
    local run=$tmp/run
    rm -rf "$run" && mkdir -p "$run"
    local home
    home="$run/$(cat "$case/homename")"
    [ -d "$case/home" ] && cp -a "$case/home" "$home"
    mapfile -t options <"$case/options"
    (cd "$run" && "$@" --headless "$case/script.txt" --home "$home" "${options[@]}" \
        >"$tmp/$who.out" 2>"$tmp/$who.err")
    echo "exit $?" >>"$tmp/$who.out"
    rm -rf "$tmp/$who.home"
    if [ -d "$home" ]; then mv "$home" "$tmp/$who.home"; else mkdir "$tmp/$who.home"; fi
}

failures=0
lines=0
for ((n = 1; n <= count; n++)); do
    case=$tmp/cases/$n
    play linux "$case" "$linux"
    play windows "$case" wine_run "$windows"
    lines=$((lines + $(wc -l <"$tmp/linux.out")))
    if ! cmp -s "$tmp/linux.out" "$tmp/windows.out" ||
        ! diff -r "$tmp/linux.home" "$tmp/windows.home" >/dev/null; then
        failures=$((failures + 1))
        echo "FAIL: case $n differs ($(wc -l <"$tmp/linux.out") transcript lines)"
        diff "$tmp/linux.out" "$tmp/windows.out" | head -5
        diff -r "$tmp/linux.home" "$tmp/windows.home" | head -5
        head -3 "$tmp/windows.err"
    fi
done
echo "$((count - failures)) of $count games alike ($lines transcript lines)"
[ "$failures" = 0 ]
