#!/usr/bin/env bash
# Each layer of src/ includes only itself and the layers below it:
# engine < cards < io < flow < platform. An upward include fails here.
# soundgen/ builds on cards/ and is included by none of them.
#   layers.sh PROGRAM SOURCE-DIR
. "$(dirname "$0")/helpers.bash"
layers=(engine cards io flow platform)
upward() { # SRC: prints the includes of a layer above the including one
    local i above
    for ((i = 0; i < ${#layers[@]} - 1; i++)); do
        [ -d "$1/${layers[i]}" ] || echo "no folder $1/${layers[i]}"
        above=$(IFS='|' && echo "${layers[*]:i+1}")
        grep -rnE "^\s*#\s*include\s*[<\"](\.\./)*($above)/" "$1/${layers[i]}"
    done
}
# Within platform/, a folder includes only itself, the shared files of
# platform/ and the system folders (posix/, windows/; the build picks one);
# a system folder includes no other folder. What two folders share lives in
# platform/ itself, which puts them together.
systems="posix|windows"
sideways() { # SRC: prints the includes of a sibling platform folder
    local folder name others
    for folder in "$1"/platform/*/; do
        name=$(basename "$folder")
        if [[ $name =~ ^($systems)$ ]]; then others="[a-z_]+"; else others="($systems)"; fi
        grep -rnE "^\s*#\s*include\s*\"platform/[a-z_]+/" "$folder" |
            grep -vE "\"platform/($name|$others)/" || true
        [[ $name =~ ^($systems)$ ]] && grep -rnE "^\s*#\s*include\s*\"platform/[a-z_]+/" "$folder" |
            grep -vE "\"platform/$name/"
    done
}
# The check itself must see a planted upward include and a sideways one.
mkdir -p "$work/src/"{engine,cards,io,flow,platform/speech,platform/sdl,platform/posix}
echo '#include "../flow/battle.h"' >"$work/src/io/planted.h"
[ -n "$(upward "$work/src")" ] || die "the check misses a planted upward include"
echo '#include "platform/sdl/sdl_audio.h"' >"$work/src/platform/speech/planted.h"
echo '#include "platform/posix/fdio.h"' >"$work/src/platform/sdl/allowed.h"
[ "$(sideways "$work/src" | grep -c .)" = 1 ] || die "the check misses a sideways include"
found=$(grep -rnE "^\s*#\s*include\s*\"(io|flow|platform)/" "$2/src/soundgen"
    grep -rnE "^\s*#\s*include\s*\"soundgen/" "$2/src" | grep -v "^$2/src/soundgen/")
[ -z "$found" ] || die "the sound generator and the game include each other: ${found//"$2/src/"/}"
found=$(upward "$2/src")
[ -z "$found" ] || die "includes of a layer above: ${found//"$2/src/"/}"
found=$(sideways "$2/src")
[ -z "$found" ] || die "includes of a sibling platform folder: ${found//"$2/src/"/}"
echo "layers hold"
