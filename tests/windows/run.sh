#!/usr/bin/env bash
# Every check of the Windows program under Wine (make windows-test):
#   run.sh LINUX_PROGRAM WINDOWS_BUILD_FOLDER ZIP SOURCE_FOLDER
. "$4/tests/scripts/helpers.bash"
build=$(realpath "$2")
here=$(realpath "$4")/tests/windows
# One Wine prefix for every check, kept with the build: making it is slow.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns the command line into UTF-16 by the locale's character set.
export LC_ALL=C.UTF-8
export WINE=${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
wineserver=$(command -v wineserver || echo "${WINE%/*}/wineserver")
# DirectSound needs a sound device: ALSA, in a home of Wine's own, plays
# into nothing.
export HOME=$work/home
mkdir -p "$HOME" && echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
# Wine's desktop process takes the display it starts with.
start_xvfb
"$WINE" wineboot -i >/dev/null 2>&1 || die "Wine does not start"
# One server for every run instead of a fresh one for each program.
"$wineserver" -p >/dev/null 2>&1
cleanup+=("'$wineserver' -k")

step() { # NAME COMMAND...
    local name=$1
    echo "== $name"
    shift
    "$@" || fail "$name"
}
# The player's copy runs alone: no DLLs but the system's are imported.
imports() {
    local dlls
    dlls=$(x86_64-w64-mingw32-objdump -p "$build/velloxa.exe" | sed -n 's/^\s*DLL Name: //p')
    [ -n "$dlls" ] && ! grep -qiE 'libstdc|libgcc|winpthread|sdl|^lib' <<<"$dlls" ||
        { echo "imports: $dlls"; false; }
}
# The core's unit tests, built for Windows.
unit_tests() {
    local program status=0
    for program in "$build"/tests/windows/test_*.exe; do
        "$WINE" "$program" --gtest_brief=1 >"$work/unit" 2>&1 || status=1
        echo "$(basename "$program"): $(tr -d '\r' <"$work/unit" | grep -E "PASSED|FAILED|Failure" | head -20)"
    done
    [ -e "$program" ] || { echo "no test programs in $build/tests/windows"; false; }
    return $status
}
step "only system DLLs" imports
step "unit tests under Wine" unit_tests
step "headless transcripts equal Linux" bash "$here/headless.sh" "$1" "$build/velloxa.exe"
step "window and speech under Wine" bash "$here/window.sh" "$3" "$(dirname "$1")/velloxa_desktop_probe"
((failed)) && echo "Windows checks failed" || echo "Windows checks passed"
exit $failed
