#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: every file where a Linux desktop
# looks for it, the desktop entry, software-centre data and manual page
# valid, and the installed program working for a player with a fresh home.
#   install_prefix.sh BUILD-DIR
build=$1
source "$(dirname "$0")/installed_copy.sh"

prefix=$work/prefix
# Naming the one component writes install_manifest_Unspecified.txt and
# leaves install_manifest.txt, the list of what a player installed, alone.
cmake --install "$build" --component Unspecified --prefix "$prefix" >"$work/log" 2>&1 ||
    fail "cmake --install: $(cat "$work/log")"
for file in share/velloxa/language.txt share/applications/org.velloxa.Velloxa.desktop \
    share/metainfo/org.velloxa.Velloxa.metainfo.xml share/icons/hicolor/scalable/apps/velloxa.svg \
    share/man/man6/velloxa.6.gz share/doc/velloxa/copyright share/doc/velloxa/changelog.gz; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ -z "$(find "$prefix" -name '.*')" ] || fail "hidden files installed: $(find "$prefix" -name '.*')"

desktop-file-validate "$prefix/share/applications/org.velloxa.Velloxa.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.velloxa.Velloxa.metainfo.xml" \
    >"$work/log" 2>&1 || fail "appstreamcli validate: $(cat "$work/log")"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/velloxa.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man --warnings: $warnings"

check_installed_copy "$prefix"
check_window_shares_progress "$prefix"
echo "ok: installed into $prefix and played from there"
