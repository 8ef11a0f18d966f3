#!/usr/bin/env bash
# The desktop program as a player meets it: a real window under Xvfb, keys
# pressed through the X server, the picture read back from the renderer.
#   desktop_window.sh PROGRAM SOURCE-DIR
. "$(dirname "$0")/helpers.bash"
velloxa=$1
probe=$(dirname "$velloxa")/velloxa_desktop_probe
[ -x "$probe" ] || die "the helper $probe was not built"

(unset DISPLAY WAYLAND_DISPLAY && exec "$velloxa" --home "$work" </dev/null >/dev/null 2>"$work/err")
code=$?
[ $code != 0 ] && [ "$(wc -l <"$work/err")" = 1 ] ||
    fail "without a display: exit $code and $(wc -l <"$work/err") lines of errors"

start_xvfb
trace=$work/trace
shot=$work/shot.bmp
mkdir "$work/home"
# No BRLTTY answers on this BrlAPI socket: the game says so once and plays on.
SDL_AUDIODRIVER=dummy VELLOXA_TRACE=$trace VELLOXA_SCREENSHOT=$shot BRLAPI_HOST=:$((20000 + $$)) \
    "$velloxa" --home "$work/home" --seed 3 >"$work/out" 2>&1 &
pid=$!
cleanup+=("kill $pid")
window_ready

menu_board

# The caption under the board: white on black, each text replacing the last,
# the silence key clearing it.
caption_ink() { "$probe" count "$shot" 0 480 639 639 255 255 255; }
welcome=$(caption_ink)
((welcome > 300)) || fail "the welcome is not the caption: $welcome white pixels"
colour "the caption's paper" 2 637 "0 0 0"
press Down "caption New game"
menu_board
[ "$(caption_ink)" != "$welcome" ] || fail "the caption did not change with a key"
press ctrl "caption $"
[ "$(caption_ink)" = 0 ] || fail "the silence key left $(caption_ink) white pixels in the caption"
# Before the first campaign battle there is nothing to continue.
press Down "caption Instant action"

# Instant action; the player moves first and drops the first tile on spot 1, 2.
press Return "chosen to go first"
press Left "draw 1 2"
press shift+1 "draw 1 2 0/0 [0-9]*/1 "
spot "the player's tile under the cursor" 1 2 "255 0 0" "0 255 0"
spot "an empty spot" 3 3 "200 200 200" "0 0 0"
ink=$("$probe" count "$shot" 1 161 156 316 0 0 0)
((ink > 30)) || fail "the tile's name and attacks are not written in black: $ink black pixels"

# Closing the window ends the program at once, also inside a wait: it is
# held still in the one-second wait after Good bye while the window closes.
press shift+Escape "speak Exit"
from=$(wc -l <"$trace")
xdotool key Return
wait_for 60 seen " hold 1000$" || die "no wait after Good bye"
kill -STOP "$pid"
"$probe" close "$window"
kill -CONT "$pid"
wait_for 60 seen " exit " || die "closing the window in a wait did not end the program"
wait "$pid"
code=$?
after=$(tail -n +$((from + 1)) "$trace" | grep -v "sound-start\|speech-start" | grep -A1 " hold 1000$")
[ $code = 0 ] && [[ $after == *" exit closed" ]] || fail "closed in a wait: exit $code after '$after'"
braille=$(grep -c "braille" "$work/out")
[ "$braille" = 1 ] || fail "without BRLTTY, $braille lines about braille: $(cat "$work/out")"
((failed)) || echo "desktop window: the board and its caption drawn, keys played, closed in a wait"
exit $failed
