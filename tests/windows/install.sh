#!/usr/bin/env bash
# The installer under Wine, as a player's silent install: the program, the
# Start-menu entry and the uninstall key are there, the installed program
# plays as the Linux one does and keeps its files in %APPDATA%\Velloxa, and
# a silent uninstall removes the program and keeps the progress. Run by
# run.sh, which starts Wine:
#   install.sh SETUP LINUX_PROGRAM
. "$(dirname "$0")/../scripts/helpers.bash"
setup=$(realpath "$1")
linux=$(realpath "$2")
drive=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}
[ -d "$drive" ] || drive=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
program=$drive/AppData/Local/Programs/Velloxa
data=$drive/AppData/Roaming/Velloxa
shortcut="$drive/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velloxa.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velloxa'
rm -rf "$program" "$data"

"$WINE" "$setup" /S || die "the silent install failed"
for file in velloxa.exe velloxa-cli.exe README.txt locale/en.mo uninstall.exe sounds/menu/enter.wav; do
    [ -e "$program/$file" ] || fail "not installed: $file"
done
[ -e "$shortcut" ] || fail "no Start-menu entry"
"$WINE" reg query "$key" /v UninstallString >"$work/key" 2>&1 || fail "no uninstall key: $(head -3 "$work/key")"
grep -q 'DisplayVersion\|UninstallString' "$work/key" || fail "the uninstall key is empty"

# The installed program's headless game equals the Linux program's, in the
# same folder (paths are part of the transcript).
printf '%s\n' Down Down Down Enter Enter Enter Tab PageUp Escape >"$work/keys"
mkdir -p "$work/run/home"
(cd "$work/run" && "$linux" --headless "$work/keys" --home "$work/run/home" --seed 5 >"$work/linux.out")
mv "$work/run/home" "$work/linux.home" && mkdir "$work/run/home"
(cd "$work/run" && "$WINE" "$program/velloxa-cli.exe" --headless "$work/keys" --home "$work/run/home" \
    --seed 5 >"$work/windows.out" 2>"$work/windows.err")
cmp -s "$work/linux.out" "$work/windows.out" && diff -r "$work/linux.home" "$work/run/home" >/dev/null ||
    fail "the installed program plays otherwise: $(diff "$work/linux.out" "$work/windows.out" | head -5)"

# Without --home the installed copy saves in %APPDATA%\Velloxa.
"$WINE" "$program/velloxa-cli.exe" --headless "$work/keys" --seed 5 >/dev/null 2>&1
[ -s "$data/progress.ini" ] || fail "no progress.ini in %APPDATA%\\Velloxa"
[ ! -e "$program/progress.ini" ] || fail "progress saved in the program's folder"

# The uninstaller copies itself away and returns at once: wait for its work.
"$WINE" "$program/uninstall.exe" /S || fail "the silent uninstall failed"
gone() { [ ! -e "$program/velloxa.exe" ] && [ ! -e "$program/uninstall.exe" ]; }
wait_for 120 gone || fail "the program is still installed: $(ls "$program")"
[ ! -e "$shortcut" ] || fail "the Start-menu entry stays"
! "$WINE" reg query "$key" >/dev/null 2>&1 || fail "the uninstall key stays"
[ -s "$data/progress.ini" ] || fail "uninstalling removed the progress"
exit $failed
