#!/usr/bin/env bash
# Each layer of src/ includes only itself and the layers below it:
# engine < cards < io < flow < platform. An upward include fails here.
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
# The check itself must see a planted upward include.
mkdir -p "$work/src/"{engine,cards,io,flow,platform}
echo '#include "../flow/battle.h"' >"$work/src/io/planted.h"
[ -n "$(upward "$work/src")" ] || die "the check misses a planted upward include"
found=$(upward "$2/src")
[ -z "$found" ] || die "includes of a layer above: ${found//"$2/src/"/}"
echo "layers hold"
