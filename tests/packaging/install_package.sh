#!/usr/bin/env bash
# The Debian package: built by CPack, its dependencies computed from the
# program, free of lintian errors, and working once unpacked.
#   install_package.sh BUILD-DIR
build=$1
source "$(dirname "$0")/installed_copy.sh"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/log" 2>&1 ||
    fail "cpack: $(cat "$work/log")"
version=$("$build/velloxa" --version)
deb=$work/out/velloxa_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") in: $(ls "$work/out")"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2 libsdl2-mixer libespeak-ng1 libspeechd2 libc6; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in the games section"

lintian --fail-on error --no-tag-display-limit "$deb" >"$work/lintian" 2>&1 ||
    fail "lintian: $(grep '^E:' "$work/lintian" || cat "$work/lintian")"

dpkg -x "$deb" "$work/root" || fail "dpkg -x"
check_installed_copy "$work/root/usr"
echo "ok: $(basename "$deb") passes lintian and plays unpacked"
