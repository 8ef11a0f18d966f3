#!/usr/bin/env bash
# Packs the Windows program for players:
#   zip.sh VELLOXA_EXE SOUND_GENERATOR README_TXT OUTPUT_ZIP
# The zip holds one folder, Velloxa/, with velloxa.exe, the generated
# sounds/ and README.txt (with Windows line ends, for Notepad).
set -euo pipefail
exe=$1
generator=$2
readme=$3
output=$4
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Velloxa"
x86_64-w64-mingw32-strip -o "$stage/Velloxa/velloxa.exe" "$exe"
"$generator" "$stage/Velloxa/sounds"
sed 's/$/\r/' "$readme" >"$stage/Velloxa/README.txt"
# The same inputs give the same zip: fixed times, sorted names, no extra fields.
find "$stage/Velloxa" -exec touch -h -d '2000-01-01 00:00:00 UTC' {} +
mkdir -p "$(dirname "$output")"
rm -f "$output"
output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
(cd "$stage" && find Velloxa | LC_ALL=C sort | zip -q -X -@ "$output")
echo "$output"
