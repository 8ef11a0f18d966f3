#!/usr/bin/env bash
# The Windows program from its zip, as a player meets it, under Wine: its
# window on Xvfb draws the board and takes keys. Wine's voice object cannot
# speak and no screen reader runs, so the texts go to the window title and a
# message tells how to reach the screen reader. A second copy on its folder
# is refused, and at 200 % the window is sized for the scale. Run by run.sh,
# which starts Wine on an X server:
#   window.sh ZIP PROBE
# PROBE is tests/scripts/desktop_probe.cpp built for Linux.
. "$(dirname "$0")/../scripts/helpers.bash"
zip=$(realpath "$1")
probe=$(realpath "$2")
unzip -q "$zip" -d "$work" || die "the zip does not unpack"
folder=$work/Velloxa
trace=$work/trace
shot=$work/shot.bmp
# No --home: a player's copy keeps its files beside itself.
VELLOXA_TRACE=$trace VELLOXA_SCREENSHOT=$shot "$WINE" "$folder/velloxa.exe" --seed 3 >"$work/out" 2>&1 &
pid=$!
cleanup+=("kill $pid")

# The draw line is traced once the picture is saved whole.
wait_for 120 grep -qs " draw " "$trace" || die "no board drawn: $(tail -3 "$trace")"
menu_board
for line in " voice \(mute\|absent\)" " reader absent" " sound ready" \
    " title Welcome to Nebbin's Velloxa, version 0.5f.  Main menu."; do
    grep -q "$line" "$trace" || fail "no trace line like '$line'"
done
! grep -q " speak " "$trace" || fail "texts handed to the mute voice: $(grep -m3 ' speak ' "$trace")"
# Without a voice the player is told once how to reach the screen reader.
close_no_voice_message() { # TRACE
    wait_for 60 grep -qs " msgbox Velloxa found no Windows voice" "$1" || fail "no word of the mute voice"
    focus --onlyvisible --name "^Velloxa$" && xdotool key Return
}
close_no_voice_message "$trace"

# The caption under the board, white on black, follows the title route too,
# in the saved picture and on the screen.
caption_ink() { "$probe" count "${1:-$shot}" 0 480 639 639 255 255 255; }
welcome=$(caption_ink)
((welcome > 300)) || fail "the welcome is not the caption: $welcome white pixels"
colour "the caption's paper" 2 637 "0 0 0"
focus --onlyvisible --name "^Welcome to Nebbin" || die "no window"
on_screen() { # the window's client area as the screen shows it
    xwd -id "$window" -silent | xwdtopnm 2>/dev/null | ppmtobmp -bpp=24 >"$work/screen.bmp" 2>/dev/null &&
        [ "$(caption_ink "$work/screen.bmp")" = "$(caption_ink)" ]
}
wait_for 30 on_screen || fail "the screen's caption is not the picture's: $(caption_ink "$work/screen.bmp") white pixels"

xdotool key Tab
# Route 1's name as the English edition words it on Windows.
route1="Window title, read by NVDA"
wait_for 60 grep -q " title ${route1:-NVDA}$" "$trace" || fail "Tab did not change the route: $(tail -3 "$trace")"
wait_for 60 grep -q " caption ${route1:-NVDA}$" "$trace" || fail "the caption did not follow: $(tail -3 "$trace")"
[ "$(caption_ink)" != "$welcome" ] || fail "the caption did not change with a key"
wait_for 30 on_screen || fail "the screen did not show the new caption"
wait_for 60 grep -qs '^1' "$folder/progress.ini" || fail "the route was not saved beside the program"
# A second copy on the same folder says why it ends, shows it, and ends
# once the message is closed; the first one plays on.
VELLOXA_TRACE=$work/trace2 "$WINE" "$folder/velloxa.exe" >"$work/out2" 2>&1 &
second=$!
cleanup+=("kill $second")
wait_for 120 grep -qs " refused" "$work/trace2" || fail "a second copy was not refused: $(tail -3 "$work/trace2")"
wait_for 60 grep -q "already running with this data folder" "$work/out2" || fail "the refusal was not told: $(head -3 "$work/out2")"
if focus --onlyvisible --name "^Velloxa$"; then xdotool key Return; fi
ended() { ! kill -0 "$second" 2>/dev/null; }
wait_for 60 ended || fail "the second copy did not end"
focus --onlyvisible --name "^${route1:-NVDA}$" || fail "the first window is gone"
xdotool key alt+F4
gone() { ! kill -0 "$pid" 2>/dev/null; }
wait_for 60 gone || fail "Alt+F4 did not end the program"
[ ! -e "$folder/velloxa.lock" ] || fail "velloxa.lock stays after the game"
[ ! -e "$folder/debuglog.txt" ] || fail "errors logged: $(head -3 "$folder/debuglog.txt")"

# At 200 % the program, aware of the monitor's scale, sizes its window for
# it; at log-off it finishes its save and ends.
desktop='HKCU\Control Panel\Desktop'
"$WINE" reg add "$desktop" /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
cleanup+=("'$WINE' reg delete '$desktop' /v LogPixels /f")
mkdir "$work/scaled" && cp -r "$folder/sounds" "$work/scaled/"
VELLOXA_TRACE=$work/trace3 "$WINE" "$folder/velloxa.exe" --home "$work/scaled" >/dev/null 2>&1 &
scaled=$!
cleanup+=("kill $scaled")
wait_for 120 grep -qs " dpi " "$work/trace3" || fail "no scale traced: $(tail -3 "$work/trace3")"
grep -q " dpi 192$" "$work/trace3" || fail "not sized for 200 %: $(grep " dpi " "$work/trace3")"
close_no_voice_message "$work/trace3"
# Log-off right after a key that saves: the save is finished, then the end.
wait_for 120 grep -qs " draw " "$work/trace3" || fail "no board at 200 %"
focus --onlyvisible --name "^Welcome to Nebbin" && xdotool key Tab
tab_taken() { grep -s -A1 " key 9 0$" "$work/trace3" | grep -q " title "; }
wait_for 60 tab_taken || fail "Tab was not taken at 200 %: $(tail -3 "$work/trace3")"
"$WINE" wineboot --end-session >/dev/null 2>&1
wait_for 60 grep -qs " exit session end" "$work/trace3" || fail "log-off did not end the program: $(tail -2 "$work/trace3")"
grep -qs '^1' "$work/scaled/progress.ini" || fail "the save before log-off was lost"
"$WINE" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1
exit $failed
