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

# Waits up to $2 seconds for a line matching $1 in the trace.
await() {
    local pattern=$1 limit=${2:-10} i
    for ((i = 0; i < limit * 20; i++)); do
        grep -q -- "$pattern" "$work/trace" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
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
for ((i = 0; i < 100; i++)); do
    [ -s "$work/display" ] && break
    sleep 0.1
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
    await "speak Welcome" 15 || return 1
    for ((i = 0; i < 100; i++)); do
        window=$(xdotool search --pid "$app_pid" 2>/dev/null | head -n1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || return 1
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    xdotool mousemove --window "$window" 100 100 >/dev/null 2>&1
    await "^[0-9]* draw" 10
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
    key Down
    await "key 40" 5
    key Down
    sleep 0.3
    key Down
    await "speak Instant action" 10
    key Return
    if ! await "chosen to go first" 10; then
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

# After the coin's one-second wait the board takes the keys.
await "hold 1000" 5
sleep 1.5
key Left
await "draw 1 2" 5
check "Left moves the cursor to spot 1, 2" $? "$(grep draw "$work/trace" | tail -n1)"
sleep 0.3
# Ctrl silences the spot's description, so the drop is heard alone.
key ctrl
sleep 0.5
before=$(stat -c %s "$work/audio.raw")
key shift+1
await "draw 1 2 0/0 [0-9]*/1 " 5
check "Shift+1 drops the first tile on spot 1, 2" $? "$(grep draw "$work/trace" | tail -n1)"
check "the drop sound plays on the left" "$(grep -q "^[0-9]* play [0-9]* -1000 -2500" "$work/trace"; echo $?)" \
    "$(grep " play " "$work/trace" | tail -n3)"
await "sound-start" 5
sleep 1

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

read -r _ left _ right _ centre _ <<<"$("$probe" audio "$work/audio.raw" "$before")"
check "the drop on the left column is heard on the left" \
    "$([ "$left" -ge 5 ] && [ "$left" -gt "$right" ] && echo 0 || echo 1)" \
    "left $left right $right centre $centre"

# ---- closing the window ends the program at once, also inside a wait
key shift+Escape
await "speak Exit" 5
key Return
await "speak Good bye" 5
await "hold 1000" 5
"$probe" close "$window"
ended=1
for ((i = 0; i < 40; i++)); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
        ended=0
        break
    fi
    sleep 0.025
done
check "closing the window in a wait ends the program" $ended
wait "$app_pid"
code=$?
app_pid=
check "the closed program exits with code 0" "$code" "exit $code"
check "it ended through the window, not the wait" "$(tail -n1 "$work/trace" | grep -q "exit closed"; echo $?)" \
    "$(tail -n1 "$work/trace")"

# ---- no sound device: the message box, then the end
rm -f "$work/trace"
SDL_AUDIODRIVER=none-such "$velloxa" --home "$work/home" --seed 1 >"$work/out" 2>"$work/err" &
app_pid=$!
await "msgbox Unable to start DirectSound" 10
check "no sound device: the message is shown" $?
for ((i = 0; i < 100; i++)); do
    box=$(xdotool search --pid "$app_pid" 2>/dev/null | tail -n1)
    [ -z "$box" ] && box=$(xdotool search --onlyvisible --name '^Velloxa$' 2>/dev/null | tail -n1)
    [ -n "$box" ] && break
    sleep 0.1
done
sleep 0.3
xdotool windowfocus --sync "$box" >/dev/null 2>&1
key Return
for ((i = 0; i < 100; i++)); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.05
done
wait "$app_pid"
code=$?
app_pid=
check "no sound device: the program ends with code 1 once the box is closed" \
    "$([ "$code" -eq 1 ] && echo 0 || echo 1)" "exit $code"
check "no sound device: no welcome line" "$(grep -q "speak Welcome" "$work/trace"; [ $? -ne 0 ]; echo $?)"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
