#!/usr/bin/env bash
# Braille from the desktop program, for real but without hardware: BRLTTY
# with its virtual driver (a display that is a socket, played by the probe),
# a BrlAPI socket of this check's own, xbrlapi telling BRLTTY which X window
# has the focus, the program in a window under Xvfb, and what the display
# shows read back.
#   desktop_braille.sh PROGRAM SOURCE-DIR
. "$(dirname "$0")/helpers.bash"
velloxa=$1
probe=$(dirname "$velloxa")/velloxa_desktop_probe
[ -x "$probe" ] || die "the helper $probe was not built"
command -v brltty >/dev/null && command -v xbrlapi >/dev/null || die "brltty or xbrlapi is missing"

# Ends a program, forcibly if it will not end: BRLTTY handles its end signal
# only between its driver's waits.
end() { # PID
    kill "$1" 2>/dev/null
    wait_for 10 eval "! kill -0 $1 2>/dev/null" || kill -9 "$1"
}

# BRLTTY makes its BrlAPI socket under /var/lib/BrlAPI, named by number.
api=$((20000 + $$ % 40000))
while [ -e "/var/lib/BrlAPI/$api" ]; do api=$((api + 1)); done
mkfifo "$work/keys"
"$probe" braille "$work/vr.sock" 40 <"$work/keys" >"$work/braille" &
display=$!
cleanup+=("end $display")
exec 4>"$work/keys"
brltty -n -q -e -b vr -d "server:$work/vr.sock" -x no -s no -f /dev/null -F "$work/prefs" \
    -W "$work" -U "$work" -P "$work/brltty.pid" -A "host=:$api,auth=none" -l warning \
    2>"$work/brltty.log" &
brltty=$!
cleanup=("end $brltty" "${cleanup[@]}")
wait_for 60 grep -q Visual "$work/braille" || die "BRLTTY did not write to the display: $(cat "$work/brltty.log")"

# The text the display shows last, its trailing blanks dropped.
shown() { sed -n 's/^[0-9]* Visual "\(.*\)"$/\1/p' "$work/braille" | tail -n1 | sed 's/ *$//'; }
shows() { [ "$(shown)" = "$1" ]; }
starts() { [[ $(shown) == "$1"* ]]; }
ends() { [[ $(shown) == *"$1" ]]; }
# A key of the display's own, named as BRLTTY names its commands.
braille_key() { echo "$1" >&4; }
expect() { # WHAT TEST TEXT
    wait_for 60 "$2" "$3" || fail "$1: the display shows '$(shown)', not '$3'"
}

start_xvfb
# As a display manager's session says: the X server runs on virtual terminal 7.
export WINDOWPATH=7 BRLAPI_HOST=:$api BRLAPI_AUTH=none
xbrlapi -n -q -b ":$api" -a none -d "$DISPLAY" >"$work/xbrlapi.log" 2>&1 &
cleanup=("end $!" "${cleanup[@]}")
trace=$work/trace
mkdir "$work/home"
SDL_AUDIODRIVER=dummy VELLOXA_TRACE=$trace "$velloxa" --home "$work/home" --seed 3 >"$work/out" 2>&1 &
pid=$!
cleanup=("kill $pid" "${cleanup[@]}")
window_ready
first=$window
wait_for 60 seen " braille-ready 40x1" || fail "the program did not take the display: $(cat "$work/out")"

# The welcome is longer than the display: its first window, then panned on.
expect "the welcome" starts "Welcome to Nebbin's Velloxa, version"
braille_key FWINRT
expect "the welcome panned" starts "0.5f.  Main menu."
press Down "speak New game"
expect "a menu key" shows "New game"
# The line keys step back through what was said, and forward again.
braille_key LNUP
expect "the text before" starts "Welcome to"
braille_key LNDN
expect "the newest again" shows "New game"
# The silence key stops speech; the braille stays to be read.
press ctrl "caption $"
expect "after the silence key" shows "New game"

# The display follows the X focus: a second copy's window has its own texts.
mkdir "$work/second"
SDL_AUDIODRIVER=dummy VELLOXA_TRACE="$work/trace2" "$velloxa" --home "$work/second" >/dev/null 2>&1 &
second=$!
cleanup=("kill $second" "${cleanup[@]}")
# A new window raises itself once shown; only after its first picture can the
# focus be moved without that raise taking it back.
wait_for 60 grep -q " draw" "$work/trace2" || die "the second window drew nothing"
focus --onlyvisible --pid "$second" || die "no second window"
expect "the second window focused" starts "Welcome to Nebbin's Velloxa, version"
# Under load the new window may still raise itself once more: focus the
# first again until the display follows it.
focus_first() {
    shows "New game" && return 0
    xdotool windowfocus --sync "$first" 2>/dev/null
    wait_for 2 shows "New game"
}
wait_for 60 focus_first || fail "the first window focused again: the display shows '$(shown)', not 'New game'"
kill "$second"

# Before the first campaign battle there is nothing to continue.
press Down "speak Instant action"
press Return "chosen to go first"
press Left "draw 1 2"
press shift+1 "draw 1 2 0/0 [0-9]*/1 "
dropped=$(grep " speak " "$trace" | tail -n1 | cut -d' ' -f3-)
wait_for 60 eval '[ -n "$(shown)" ] && [[ $dropped == "$(shown)"* ]]' ||
    fail "after the drop the display shows '$(shown)', not the start of '$dropped'"

# BRLTTY going away changes nothing but one line on standard error.
end "$brltty"
press Escape "speak Hold Shift"
wait_for 60 grep -q "braille display went away" "$work/out" || fail "no word of the display going away"
press Escape "speak Hold Shift"
lines=$(wc -l <"$work/out")
[ "$lines" = 1 ] || fail "$lines lines on standard error: $(cat "$work/out")"
((failed)) || echo "desktop braille: the welcome, a menu key and a drop on the display, panned, stepped, following the focus"
exit $failed
