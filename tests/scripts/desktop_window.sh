#!/usr/bin/env bash
# The desktop program as a player meets it: a real window under Xvfb, keys
# pressed through the X server (xdotool), the picture read back from the
# renderer (VELLOXA_SCREENSHOT) and the sound written by SDL's disk driver.
#   desktop_window.sh PATH-TO-VELLOXA SOURCE-DIR
set -uo pipefail

velloxa=$1
bindir=$(cd "$(dirname "$velloxa")" && pwd)
probe=$bindir/velloxa_desktop_probe
work=$(mktemp -d /tmp/velloxa-desktop-XXXXXX)
xvfb_pid=
app_pid=

cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    # VELLOXA_KEEP=1 keeps the pictures, sound and trace for a look.
    if [ "${VELLOXA_KEEP:-0}" = 1 ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

failures=0
passes=0
check() {  # check NAME CONDITION-EXIT-CODE [DETAIL]
    if [ "$2" -eq 0 ]; then
        passes=$((passes + 1))
        echo "ok   $1"
    else
        failures=$((failures + 1))
        echo "FAIL $1${3:+: $3}"
    fi
}

# Waits for a line matching $1 in the trace after its first $from lines.
# The limit only guards against a hang.
from=0
await() {
    local i
    for ((i = 0; i < 1200; i++)); do
        tail -n +$((from + 1)) "$work/trace" 2>/dev/null | grep -q -- "$1" && return 0
        sleep 0.05
    done
    return 1
}
mark() { from=$(wc -l <"$work/trace"); }

# The program waits for an event at its top level, not inside a wait or a
# yield: it is blocked in poll() with no time limit (ppoll() without a
# timeout on other machines).
idle() {
    local nr timeout i
    for ((i = 0; i < 1200; i++)); do
        read -r nr _ _ timeout _ <"/proc/$app_pid/syscall" 2>/dev/null
        case $nr in
        7) (((timeout & 0xffffffff) == 0xffffffff)) && return 0 ;;
        73 | 271) [ "$timeout" = 0x0 ] && return 0 ;;
        esac
        sleep 0.05
    done
    return 1
}

# Presses a key, then waits for the line it brings and for the program to be
# idle again, so that no key lands inside a wait.
press() { # KEY PATTERN
    mark
    key "$1"
    await "$2" && idle
}

# ---- without a display: one line on standard error and a failing exit code
(unset DISPLAY WAYLAND_DISPLAY; exec "$velloxa" --home "$work" </dev/null >"$work/out" 2>"$work/err")
code=$?
lines=$(wc -l <"$work/err")
check "no display: exit code not 0" "$([ "$code" -ne 0 ] && echo 0 || echo 1)" "exit $code"
check "no display: one line on stderr" "$([ "$lines" -eq 1 ] && echo 0 || echo 1)" "$(cat "$work/err")"

if ! command -v Xvfb >/dev/null; then
    echo "skipped: Xvfb is not installed"
    exit 0
fi
if ! command -v xdotool >/dev/null; then
    echo "FAIL xdotool is not installed (make deps installs it)"
    exit 1
fi
if [ ! -x "$probe" ]; then
    echo "FAIL the helper $probe was not built"
    exit 1
fi

# ---- a private X server
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 600; i++)); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
if [ ! -s "$work/display" ]; then
    echo "skipped: Xvfb could not start"
    exit 0
fi
export DISPLAY=:$(head -n1 "$work/display")

mkdir -p "$work/home"
ln -s "$bindir/sounds" "$work/home/sounds"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw
export VELLOXA_TRACE=$work/trace VELLOXA_SCREENSHOT=$work/shot.bmp

start() {  # start SEED: a fresh program with a fresh home
    rm -f "$work/trace" "$work/shot.bmp" "$work/audio.raw" "$work/home/progress.ini"
    "$velloxa" --home "$work/home" --seed "$1" >"$work/out" 2>"$work/err" &
    app_pid=$!
    from=0
    await "speak Welcome" || return 1
    for ((i = 0; i < 600; i++)); do
        window=$(xdotool search --pid "$app_pid" 2>/dev/null | head -n1)
        [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || return 1
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    xdotool mousemove --window "$window" 100 100 >/dev/null 2>&1
    # The draw line is written once the picture is saved.
    await "^[0-9]* draw" && idle
}

stop() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=
}

pixel() { "$probe" pixel "$work/shot.bmp" "$1" "$2"; }

key() {
    xdotool key --delay 0 "$@"
}

# The board is 480 by 480 in the 640 by 480 window: spots of 160 pixels.
# A spot's plain fill is sampled near its lower left corner, where no text is
# written; its outline on its left edge.
fillat() { pixel $(( ($1 - 1) * 160 + 24 )) $(( ($2 - 1) * 160 + 147 )); }
edgeat() { pixel $(( ($1 - 1) * 160 )) $(( ($2 - 1) * 160 + 80 )); }

# ---- the main menu: an empty board, no cursor, dark grey beside it
seed=
for s in 3 4 5 7 10 11 13 14; do
    if ! start "$s"; then
        stop
        continue
    fi
    if [ -z "$seed" ]; then
        grey=0
        for x in 1 2 3; do
            for y in 1 2 3; do
                [ "$(fillat $x $y)" = "200 200 200" ] || grey=1
                [ "$(edgeat $x $y)" = "0 0 0" ] || grey=1
            done
        done
        check "menu: nine light grey spots with black outlines" $grey "$(fillat 1 1) / $(edgeat 1 1)"
        bg=$(pixel 600 240)
        check "menu: dark grey beside the board" "$([ "$bg" = "48 48 48" ] && echo 0 || echo 1)" "$bg"
    fi
    # Instant action is the third item of the main menu (no campaign yet).
    press Down "speak New game"
    press Down "speak Continue"
    press Down "speak Instant action"
    # The coin's one-second wait ends before the board takes the keys.
    if ! press Return "chosen to go first"; then
        stop
        continue
    fi
    # The enemy starting makes the board's contents unpredictable: try again.
    if grep -q "Your opponent has been chosen" "$work/trace"; then
        stop
        continue
    fi
    seed=$s
    break
done
check "instant action starts with the player's move" "$([ -n "$seed" ] && echo 0 || echo 1)" \
    "$(tail -n 5 "$work/trace" 2>/dev/null)"
if [ -z "$seed" ]; then
    echo "$passes passed, $failures failed"
    exit 1
fi

press Left "draw 1 2"
check "Left moves the cursor to spot 1, 2" $? "$(grep draw "$work/trace" | tail -n1)"
# Ctrl silences the spot's description, so the drop is heard alone.
press ctrl "key 17"
before=$(stat -c %s "$work/audio.raw")
# Nothing is drawn after the drop until the next key: the picture stays.
press shift+1 "draw 1 2 0/0 [0-9]*/1 "
check "Shift+1 drops the first tile on spot 1, 2" $? "$(grep draw "$work/trace" | tail -n1)"
check "the drop sound plays on the left" "$(grep -q "^[0-9]* play [0-9]* -1000 -2500" "$work/trace"; echo $?)" \
    "$(grep " play " "$work/trace" | tail -n3)"

cp "$work/shot.bmp" "$work/battle.bmp"
fill=$(fillat 1 2)
edge=$(edgeat 1 2)
check "the player's tile under the cursor is red" "$([ "$fill" = "255 0 0" ] && echo 0 || echo 1)" "$fill"
check "the cursor spot has a green outline" "$([ "$edge" = "0 255 0" ] && echo 0 || echo 1)" "$edge"
ink=$("$probe" count "$work/shot.bmp" 0 160 156 316 0 0 0)
check "the tile's name and attacks are written in black" "$([ "$ink" -gt 30 ] && echo 0 || echo 1)" \
    "$ink black pixels"
other=$(fillat 3 3)
check "an empty spot stays light grey" "$([ "$other" = "200 200 200" ] && echo 0 || echo 1)" "$other"
gap=$(pixel 158 240)
check "the gaps between spots show the background" "$([ "$gap" = "48 48 48" ] && echo 0 || echo 1)" "$gap"

# The sound device writes the file as it plays: wait for the drop to be in it.
for ((i = 0; i < 1200; i++)); do
    read -r _ left _ right _ centre _ <<<"$("$probe" audio "$work/audio.raw" "$before")"
    [ "$left" -ge 5 ] && break
    sleep 0.05
done
check "the drop on the left column is heard on the left" \
    "$([ "$left" -ge 5 ] && [ "$left" -gt "$right" ] && echo 0 || echo 1)" \
    "left $left right $right centre $centre"

# ---- closing the window ends the program at once, also inside a wait
press shift+Escape "speak Exit"
mark
key Return
await "hold 1000"
# Held still inside the one-second wait after Good bye while the window is
# closed, so that the close arrives inside that wait however busy the machine.
kill -STOP "$app_pid"
"$probe" close "$window"
kill -CONT "$app_pid"
wait "$app_pid"
code=$?
app_pid=
check "the closed program exits with code 0" "$code" "exit $code"
after=$(tail -n +$((from + 1)) "$work/trace" | grep -v "sound-start\|speech-start" | grep -A1 " hold 1000$" | tail -n1)
check "closing the window in a wait ends the program" "$([[ $after == *" exit closed" ]]; echo $?)" "$after"

# ---- no sound device: the message box, then the end
rm -f "$work/trace"
SDL_AUDIODRIVER=none-such "$velloxa" --home "$work/home" --seed 1 >"$work/out" 2>"$work/err" &
app_pid=$!
from=0
await "msgbox Unable to start DirectSound"
check "no sound device: the message is shown" $?
# The box needs the X server's own fonts; without them the program says it on
# standard error and ends by itself.
for ((i = 0; i < 1200; i++)); do
    box=$(xdotool search --onlyvisible --name '^Velloxa$' 2>/dev/null | tail -n1)
    if [ -n "$box" ]; then
        xdotool windowfocus --sync "$box" >/dev/null 2>&1
        key Return
        break
    fi
    grep -q " exit " "$work/trace" && break
    sleep 0.05
done
await " exit " || kill "$app_pid" 2>/dev/null
wait "$app_pid"
code=$?
app_pid=
check "no sound device: the program ends with code 1 once the box is closed" \
    "$([ "$code" -eq 1 ] && echo 0 || echo 1)" "exit $code"
check "no sound device: no welcome line" "$(grep -q "speak Welcome" "$work/trace"; [ $? -ne 0 ]; echo $?)"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
