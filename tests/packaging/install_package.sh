#!/usr/bin/env bash
# The Debian package: built by CPack, its dependencies computed from the
# program, free of lintian errors, and working once unpacked.
#   install_package.sh BUILD-DIR
. "$(dirname "$0")/installed_copy.sh"
build=$(realpath "$1")
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/log" 2>&1 ||
    die "cpack: $(cat "$work/log")"
deb=$(echo "$work"/out/velloxa_*.deb)
[ -f "$deb" ] || die "no package in: $(ls "$work/out")"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2 libsdl2-mixer libespeak-ng1 libc6; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
# The screen-reader route speaks the server's protocol itself: libspeechd
# ends the whole program on an answer it cannot parse.
[[ $depends != *libspeechd* ]] || fail "Depends names libspeechd: $depends"
lintian --fail-on error --no-tag-display-limit "$deb" >"$work/lintian" 2>&1 ||
    fail "lintian: $(grep '^E:' "$work/lintian" || cat "$work/lintian")"
dpkg -x "$deb" "$work/root" || die "dpkg -x"
check_installed "$work/root/usr"
((failed)) || echo "ok: $(basename "$deb") passes lintian and plays unpacked"
exit $failed
