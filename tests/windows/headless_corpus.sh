#!/usr/bin/env bash
# The Windows program in headless mode, run under Wine, writes byte for byte
# the transcripts, progress files and debug logs of the Linux program over a
# corpus of generated games.
#   headless_corpus.sh LINUX_PROGRAM WINDOWS_PROGRAM SOURCE_FOLDER [COUNT]
set -u
# Each game runs in a folder of its own: programs are named by full path.
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
linux=$(absolute "$1")
windows=$(absolute "$2")
source_folder=$3
count=${4:-200}
tmp=$(mktemp -d)
trap 'wine_stop; rm -rf "$tmp"' EXIT
. "$source_folder/tests/windows/wine.sh"

g++ -std=c++20 -O1 -I "$source_folder/src" -o "$tmp/corpus" \
    "$source_folder/tests/windows/corpus.cpp" || exit 1
"$linux" --dump-content >"$tmp/dump" || exit 1
"$tmp/corpus" "$tmp/dump" "$tmp/cases" "$count" || exit 1
wine_start || { echo "FAIL: Wine does not start"; exit 1; }

# Plays case N with one program in $tmp/run/N, the same folder for both
# programs (paths are part of the transcript), and keeps the transcript,
# the exit code and the home folder as the program left it in $tmp/WHO/N.
play() { # who, case number, command...
    local who=$1 n=$2
    shift 2
    local case=$tmp/cases/$n run=$tmp/run/$n result=$tmp/$who/$n
    rm -rf "$run" "$result" && mkdir -p "$run" "$result"
    local home
    home="$run/$(cat "$case/homename")"
    [ -d "$case/home" ] && cp -a "$case/home" "$home"
    local options
    mapfile -t options <"$case/options"
    (cd "$run" && "$@" --headless "$case/script.txt" --home "$home" "${options[@]}" \
        >"$result/out" 2>"$result/err")
    echo "exit $?" >>"$result/out"
    if [ -d "$home" ]; then mv "$home" "$result/home"; else mkdir "$result/home"; fi
    rm -rf "$run"
}

for ((n = 1; n <= count; n++)); do play linux "$n" "$linux"; done
# Two games at a time under Wine: most of each run is Wine starting up.
for ((n = 1; n <= count; n++)); do
    play windows "$n" wine_run "$windows" &
    (($(jobs -rp | wc -l) >= 2)) && wait -n
done
wait

failures=0
lines=0
for ((n = 1; n <= count; n++)); do
    lines=$((lines + $(wc -l <"$tmp/linux/$n/out")))
    if [ "$(tail -n1 "$tmp/linux/$n/out")" != "exit 0" ]; then
        failures=$((failures + 1))
        echo "FAIL: game $n: the Linux program failed: $(head -c 300 "$tmp/linux/$n/err")"
    elif ! cmp -s "$tmp/linux/$n/out" "$tmp/windows/$n/out" ||
        ! diff -r "$tmp/linux/$n/home" "$tmp/windows/$n/home" >/dev/null; then
        failures=$((failures + 1))
        echo "FAIL: game $n differs"
        diff "$tmp/linux/$n/out" "$tmp/windows/$n/out" | head -5
        diff -r "$tmp/linux/$n/home" "$tmp/windows/$n/home" | head -5
        head -3 "$tmp/windows/$n/err"
    fi
done
echo "$((count - failures)) of $count games alike ($lines transcript lines)"
[ "$failures" = 0 ]
