#!/usr/bin/env bash
# The Windows program from its zip, as a player meets it, under Wine: a
# window on Xvfb, keys pressed with xdotool, the sound written by ALSA to a
# file, the board picture read back. Wine's voice object cannot speak and
# there is no JAWS, so the texts must reach the window title.
#   window.sh ZIP PROBE SOURCE_FOLDER
# PROBE is tests/scripts/desktop_probe.cpp built for Linux.
set -u
zip=$1
probe=$2
source_folder=$3
tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    wine_stop
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
. "$source_folder/tests/windows/wine.sh"
fail=0
check() { # description, 0 for success, detail
    if [ "$2" = 0 ]; then echo "ok: $1"; else
        echo "FAIL: $1 ($3)"
        fail=1
    fi
}

# ALSA inside a private HOME writes 44.1 kHz 16-bit stereo to a file.
export HOME=$tmp/home
mkdir -p "$HOME"
cat >"$HOME/.asoundrc" <<EOF
pcm.!default {
    type plug
    slave { pcm "velloxa_file" format S16_LE rate 44100 channels 2 }
}
pcm.velloxa_file {
    type file
    slave.pcm "null"
    file "$tmp/audio.raw"
    format "raw"
}
EOF

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 200; i++)); do
    [ -s "$tmp/display" ] && break
    sleep 0.05
done
[ -s "$tmp/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=:$(cat "$tmp/display")
wine_start || { echo "FAIL: Wine does not start"; exit 1; }

unzip -q "$zip" -d "$tmp/package" || { echo "FAIL: the zip does not unpack"; exit 1; }
folder=$tmp/package/Velloxa
trace=$tmp/trace.txt
shot=$tmp/shot.bmp
# No --home: the program keeps its files beside itself, as a player's copy.
VELLOXA_TRACE=$trace VELLOXA_SCREENSHOT=$shot wine_run "$folder/velloxa.exe" --seed 3 \
    >"$tmp/out" 2>&1 &
app_pid=$!

# Waits until the trace holds a line matching the pattern (at most SECONDS).
await() { # pattern, seconds
    local end=$((SECONDS + $2))
    while ((SECONDS < end)); do
        grep -q -- "$1" "$trace" 2>/dev/null && return 0
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.05
    done
    echo "FAIL: no trace line like '$1'"
    tail -5 "$trace" 2>/dev/null | cut -d' ' -f2-
    fail=1
    return 1
}
# Waits until the latest wait the program began has run out, so that the
# next key reaches the top level and not the middle of a move.
idle() {
    local line
    line=$(grep " hold [0-9]*$" "$trace" | tail -n1)
    [ -n "$line" ] || return 0
    local until=$((${line%% *} + ${line##* } * 1000 + 50000))
    while (($(date +%s%6N) < until)); do sleep 0.02; done
}
# Presses keys at the top level and waits for the first trace line they cause.
key() {
    idle
    local lines
    lines=$(wc -l <"$trace")
    xdotool key --delay 60 "$@"
    local end=$((SECONDS + 20))
    while ((SECONDS < end)) && [ "$(wc -l <"$trace")" = "$lines" ]; do sleep 0.02; done
}
audio_bytes() { stat -c %s "$tmp/audio.raw" 2>/dev/null || echo 0; }

await "^[0-9]* draw" 120 || exit 1
grep -q " voice \(mute\|absent\)" "$trace"
check "Wine's voice cannot speak, so no voice is counted" $? "$(grep ' voice ' "$trace")"
grep -q " reader absent" "$trace"
check "no JAWS object" $? "$(grep ' reader ' "$trace")"
grep -q " title Welcome to Nebbin's Velloxa, version 0.5f.  Main menu.$" "$trace"
check "without a voice the welcome goes to the title" $? "$(grep -c ' title ' "$trace") titles"
grep -q " speak " "$trace"
check "nothing is handed to the mute voice" "$([ $? = 1 ] && echo 0 || echo 1)" "speak lines"
grep -q " sound ready" "$trace"
check "DirectSound starts on the ALSA device" $? "no 'sound ready'"

window=$(xdotool search --onlyvisible --name "^Welcome to Nebbin" 2>/dev/null | head -n1)
[ -n "$window" ] || { echo "FAIL: no window"; exit 1; }
xdotool windowfocus --sync "$window" >/dev/null 2>&1
xdotool mousemove --window "$window" 100 100 click 1 >/dev/null 2>&1

# ---- speech routes
key Tab
await " title NVDA$" 10
key Tab
await " title Window eyes support$" 10
await " release 84$" 10
grep -q " key 84 3$" "$trace"
check "the injected Ctrl+Shift+T comes back to the window (and is ignored)" $? "no key 84 3"
key Tab
await " title Jaws does not seem to be responding, Sapi on.$" 10
check "Tab into the JAWS route falls back to the voice route" $? ""
[ "$(head -c 1 "$folder/progress.ini" 2>/dev/null)" = 0 ]
check "the progress file beside the program records route 0" $? "$(head -c 20 "$folder/progress.ini")"

# ---- a battle: the player moves first with seed 3
key Down Down Down Return
await " title   You have been chosen to go first!$" 10
key Left
await " draw 1 2 0/0 0/0 0/0" 10
before=$(audio_bytes)
key shift+1
await " draw 1 2 0/0 [0-9]*/1 " 10
await " title You drop .* onto spot 1, 2.$" 10
# One second of sound after the drop has reached the file.
end=$((SECONDS + 20))
while ((SECONDS < end)) && [ "$(audio_bytes)" -lt $((before + 44100 * 4)) ]; do sleep 0.05; done
read -r _ left _ right _ centre _ <<<"$("$probe" audio "$tmp/audio.raw" "$before")"
check "the drop on the left column is heard on the left" \
    "$([ "$left" -ge 5 ] && [ "$left" -gt "$right" ] && echo 0 || echo 1)" \
    "left $left right $right centre $centre"

pixel() { "$probe" pixel "$shot" "$1" "$2"; }
fill=$(pixel 150 300)
check "the player's tile under the cursor is red" "$([ "$fill" = "255 0 0" ] && echo 0 || echo 1)" "$fill"
edge=$(pixel 0 200)
check "the cursor spot has a green outline" "$([ "$edge" = "0 255 0" ] && echo 0 || echo 1)" "$edge"
ink=$("$probe" count "$shot" 0 160 156 316 0 0 0)
check "the tile's name and attacks are written in black" "$([ "$ink" -gt 30 ] && echo 0 || echo 1)" \
    "$ink black pixels"
other=$(pixel 400 400)
check "an empty spot stays light grey" "$([ "$other" = "200 200 200" ] && echo 0 || echo 1)" "$other"
edge=$(pixel 320 400)
check "other spots have a black outline" "$([ "$edge" = "0 0 0" ] && echo 0 || echo 1)" "$edge"
gap=$(pixel 158 240)
check "the gaps between spots show the background" "$([ "$gap" = "48 48 48" ] && echo 0 || echo 1)" "$gap"

# The summary hands the move to the enemy; Enter walks on until it is ours.
key Return
key Return
await " title Enemy drops " 30
for ((i = 0; i < 12; i++)); do
    grep -q " title It is your turn.$" "$trace" && break
    key Return
done
await " title It is your turn.$" 5
key Right
key shift+2
await " title You drop .* onto spot 2, 2.$" 20
check "keys play the battle on: a second drop after the enemy's" $? ""

# ---- closing the window ends the program
key alt+F4
end=$((SECONDS + 20))
while ((SECONDS < end)) && kill -0 "$app_pid" 2>/dev/null; do sleep 0.05; done
kill -0 "$app_pid" 2>/dev/null
check "Alt+F4 ends the program" "$([ $? = 1 ] && echo 0 || echo 1)" "still running"
app_pid=
exit $fail
