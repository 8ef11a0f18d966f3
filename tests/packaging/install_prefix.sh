#!/usr/bin/env bash
# `cmake --install` into a scratch prefix, then played from there.
#   install_prefix.sh BUILD-DIR
. "$(dirname "$0")/installed_copy.sh"
build=$(realpath "$1")
# Naming the one component leaves install_manifest.txt, the list of what a
# player installed, alone.
cmake --install "$build" --component Unspecified --prefix "$work/prefix" >"$work/log" 2>&1 ||
    die "cmake --install: $(cat "$work/log")"
check_installed "$work/prefix"
((failed)) || echo "ok: installed into a prefix and played from there"
exit $failed
