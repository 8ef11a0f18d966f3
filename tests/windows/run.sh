#!/usr/bin/env bash
# Every check of the Windows program under Wine (make windows-test):
#   run.sh LINUX_PROGRAM WINDOWS_BUILD_FOLDER ZIP SOURCE_FOLDER
# VELLOXA_CORPUS sets the number of generated games (default 200).
set -u
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
linux=$(absolute "$1")
build=$(cd "$2" && pwd)
zip=$(absolute "$3")
source_folder=$(cd "$4" && pwd)
here=$source_folder/tests/windows
export VELLOXA_WINEPREFIX=$(cd "$build" && pwd)/wineprefix
failed=()
step() { # name, command...
    local name=$1
    shift
    echo "== $name"
    local start=$SECONDS
    if "$@"; then echo "== $name: passed in $((SECONDS - start)) s"; else
        echo "== $name: FAILED after $((SECONDS - start)) s"
        failed+=("$name")
    fi
}

# One program with no DLLs of its own: only the system's are imported.
imports() {
    local dlls
    dlls=$(x86_64-w64-mingw32-objdump -p "$build/velloxa.exe" | sed -n 's/^\s*DLL Name: //p')
    echo "$dlls" | tr '\n' ' '
    echo
    ! echo "$dlls" | grep -qiE 'libstdc|libgcc|winpthread|sdl|^lib'
}
contents() {
    local names
    names=$(unzip -Z1 "$zip")
    for wanted in Velloxa/velloxa.exe Velloxa/README.txt Velloxa/sounds/menu/arrows.wav \
        Velloxa/sounds/capture.wav; do
        echo "$names" | grep -qx "$wanted" || { echo "FAIL: $wanted is not in the zip"; return 1; }
    done
    ! echo "$names" | grep -q "language.txt"
}

step "static program" imports
step "zip contents" contents
step "unit tests under Wine" bash "$here/unit_tests.sh" "$build" "$source_folder"
step "headless transcripts equal Linux" bash "$here/headless_corpus.sh" "$linux" \
    "$build/velloxa.exe" "$source_folder" "${VELLOXA_CORPUS:-200}"
step "window, voice fallback, JAWS fallback, DirectSound" bash "$here/window.sh" "$zip" \
    "$(dirname "$linux")/velloxa_desktop_probe" "$source_folder"
if [ "${#failed[@]}" -gt 0 ]; then
    echo "Windows checks failed: ${failed[*]}"
    exit 1
fi
echo "Windows checks passed"
