#!/usr/bin/env bash
# Each layer of src/ includes only itself and the layers below it:
# engine < cards < io < flow < platform. An upward include fails here.
set -u
src="$2/src"
allowed() {
    case "$1" in
        engine) echo "engine" ;;
        cards) echo "engine cards" ;;
        io) echo "engine cards io" ;;
        flow) echo "engine cards io flow" ;;
    esac
}
status=0
for layer in engine cards io flow; do
    ok=$(allowed "$layer")
    while IFS=: read -r file _ include; do
        target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$include")
        [[ " $ok " == *" $target "* ]] && continue
        echo "FAIL ${file#"$src"/} includes $target/, above $layer/"
        status=1
    done < <(grep -rn '#include "[^"]*/' "$src/$layer")
done
[ $status -eq 0 ] && echo "layers hold"
exit $status
