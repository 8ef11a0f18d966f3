#!/usr/bin/env bash
# Every check of the Windows program under Wine (make windows-test):
#   run.sh LINUX_PROGRAM WINDOWS_BUILD_FOLDER ZIP SOURCE_FOLDER SETUP
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
# The player's copy runs alone: no DLLs but the system's are imported. The
# program is a Windows program, its companion a console one, and both carry
# an icon, a version and a manifest.
programs() {
    local exe subsystem dlls status=0
    for exe in velloxa:GUI velloxa-cli:CUI; do
        subsystem=${exe#*:} exe=$build/${exe%:*}.exe
        x86_64-w64-mingw32-objdump -p "$exe" >"$work/headers"
        dlls=$(sed -n 's/^\s*DLL Name: //p' "$work/headers")
        [ -n "$dlls" ] && ! grep -qiE 'libstdc|libgcc|winpthread|sdl|^lib' <<<"$dlls" ||
            { echo "$exe imports: $dlls"; status=1; }
        grep -q "^Subsystem.*Windows $subsystem" "$work/headers" ||
            { echo "$exe: $(grep ^Subsystem "$work/headers")"; status=1; }
        for type in 14 16 24; do # icon group, version, manifest
            wrestool -l --type=$type "$exe" | grep -q . || { echo "$exe: no resource of type $type"; status=1; }
        done
    done
    wrestool -x --raw --type=24 "$build/velloxa.exe" | grep -q "PerMonitorV2" || { echo "not DPI aware"; status=1; }
    return $status
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
step "programs, resources and DLLs" programs
# The console companion says what it is for; no terminal front-end is
# offered on Windows.
companion() {
    "$WINE" "$build/velloxa-cli.exe" --help >"$work/help" 2>&1 || { echo "--help failed"; return 1; }
    grep -q -- "--headless" "$work/help" && grep -q "Velloxa for the command prompt" "$work/help" &&
        ! grep -qi -- "terminal\|--board" "$work/help" ||
        { echo "help: $(cat "$work/help")"; return 1; }
    "$WINE" "$build/velloxa-cli.exe" --terminal >"$work/terminal" 2>&1
    [ $? -eq 2 ] && grep -q "not available on Windows" "$work/terminal" ||
        { echo "--terminal: $(cat "$work/terminal")"; return 1; }
}
step "console companion" companion
step "unit tests under Wine" unit_tests
step "headless transcripts equal Linux" bash "$here/headless.sh" "$1" "$build/velloxa-cli.exe"
step "installer" bash "$here/install.sh" "$5" "$1"
step "window and speech under Wine" bash "$here/window.sh" "$3" "$(dirname "$1")/velloxa_desktop_probe"
((failed)) && echo "Windows checks failed" || echo "Windows checks passed"
exit $failed
