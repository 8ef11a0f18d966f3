#!/usr/bin/env bash
# Measures the desktop program under Xvfb:
#  - processor use while idle in the main menu and during a long wait,
#  - time from start to the welcome line (the speech call and its first samples),
#  - time from a key event to the speech call, to the speech's first samples and
#    to the first samples of the key's sound,
#  - time from a key event to its text drawn as the caption, and to its text
#    written to a braille display (BrlAPI's write done, and the cells reaching
#    the display: BRLTTY's virtual driver played by the test probe).
# Usage: bench/measure_desktop.sh [PATH-TO-VELLOXA]   (default build/release/velloxa)
# SDL_AUDIODRIVER defaults to "dummy" (a device that plays in real time into
# nothing); set it to measure with a real device.
set -euo pipefail

velloxa=${1:-build/release/velloxa}
bindir=$(cd "$(dirname "$velloxa")" && pwd)
velloxa=$bindir/$(basename "$velloxa")
work=$(mktemp -d /tmp/velloxa-measure-XXXXXX)
xvfb_pid=
app_pid=
brltty_pid=
display_pid=
cleanup() {
    set +e  # a process already gone must not stop the rest of the clean-up
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    # BRLTTY ends while its display is still there to be let go.
    [ -n "$brltty_pid" ] && kill "$brltty_pid" 2>/dev/null && sleep 1 && kill -9 "$brltty_pid" 2>/dev/null
    [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/desktop.bash"
mkdir -p "$work/home"
ln -s "$bindir/sounds" "$work/home/sounds"
ticks=$(getconf CLK_TCK)

# A braille display of 40 cells for the program, when BRLTTY is installed.
probe=$bindir/velloxa_desktop_probe
if command -v brltty >/dev/null && [ -x "$probe" ]; then
    api=$((20000 + $$ % 40000))
    while [ -e "/var/lib/BrlAPI/$api" ]; do api=$((api + 1)); done
    mkfifo "$work/keys"
    "$probe" braille "$work/vr.sock" 40 <"$work/keys" >"$work/braille" &
    display_pid=$!
    exec 4>"$work/keys"
    brltty -n -q -e -b vr -d "server:$work/vr.sock" -x no -s no -f /dev/null -F "$work/prefs" \
        -W "$work" -U "$work" -P "$work/brltty.pid" -A "host=:$api,auth=none" -l warning 2>/dev/null &
    brltty_pid=$!
    export BRLAPI_HOST=:$api BRLAPI_AUTH=none
fi

cputicks() { awk '{print $14 + $15}' "/proc/$app_pid/stat"; }
# Processor use over $1 seconds, in percent of one core.
cpuover() {
    local t0 t1
    t0=$(cputicks)
    sleep "$1"
    t1=$(cputicks)
    awk -v d=$((t1 - t0)) -v s="$1" -v hz="$ticks" 'BEGIN {printf "%.2f", 100 * d / hz / s}'
}
start() {
    rm -f "$work/trace"
    launched=$(date +%s%6N)
    "$velloxa" --home "$work/home" --seed "$1" >/dev/null 2>&1 &
    app_pid=$!
    await "speak Welcome"
    window=$(xdotool search --sync --pid "$app_pid" | head -n1)
    xdotool windowfocus --sync "$window"
    await " draw "
}
stop() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=
}
# Microseconds from the first line matching $1 to the first later line matching $2.
gap() {
    awk -v a="$1" -v b="$2" '
        !t && $0 ~ a { t = $1; next }
        t && $0 ~ b { print $1 - t; exit }' "$work/trace"
}
median() { sort -n | awk '{v[NR] = $1} END {if (NR) print v[int((NR + 1) / 2)]; else print "-"}'; }
maximum() { sort -n | tail -n1; }
ms() { awk '{printf "%.1f", $1 / 1000}'; }

echo "audio driver: $SDL_AUDIODRIVER"
[ -n "$brltty_pid" ] || echo "brltty or the probe is missing: braille is not measured"

# ---- start-up, then idle in the main menu
starts=()
firstsamples=()
for run in 1 2 3 4 5; do
    start 1
    welcome=$(awk '/ speak Welcome/ {print $1; exit}' "$work/trace")
    await "speech-start"
    heard=$(awk '/ speech-start/ {print $1; exit}' "$work/trace")
    starts+=($((welcome - launched)))
    firstsamples+=($((heard - launched)))
    [ "$run" -lt 5 ] && stop
done
echo "start to the welcome line (speech call), median of 5: $(printf '%s\n' "${starts[@]}" | median | ms) ms"
echo "start to the welcome line's first samples, median of 5: $(printf '%s\n' "${firstsamples[@]}" | median | ms) ms"
sleep 4  # let the welcome line end
echo "processor use idle in the main menu (10 s): $(cpuover 10) % of one core"

# ---- key to speech and sound: Down steps the main menu (a speech call and
# the step sound each time)
tospeak=()
tosamples=()
tosound=()
tocaption=()
tobrlapi=()
tocells=()
measures=("speech call:tospeak" "first speech samples:tosamples" "first samples of the step sound:tosound"
    "caption drawn:tocaption")
braille=
grep -q " braille-ready" "$work/trace" && braille=1 &&
    measures+=("braille text written through BrlAPI:tobrlapi" "braille cells reaching the display:tocells")
for n in $(seq 1 20); do
    : >"$work/trace"
    xdotool key Down
    await " speech-start"
    await " sound-start"
    await " caption "
    tospeak+=("$(gap ' key 40 ' ' speak ')")
    tosamples+=("$(gap ' key 40 ' ' speech-start')")
    tosound+=("$(gap ' key 40 ' ' sound-start')")
    tocaption+=("$(gap ' key 40 ' ' caption ')")
    if [ -n "$braille" ]; then
        await " braille text"
        said=$(awk '/ braille text / {sub(/^[0-9]* braille text /, ""); print; exit}' "$work/trace")
        key=$(awk '/ key 40 / {print $1; exit}' "$work/trace")
        tobrlapi+=("$(gap ' key 40 ' ' braille text')")
        # The first Visual line after the key that begins with the text's start.
        for ((i = 0; i < 400; i++)); do
            reached=$(awk -v k="$key" -v t="${said:0:20}" '$1 > k && index($0, "Visual \"" t) {print $1; exit}' "$work/braille")
            [ -n "$reached" ] && break
            sleep 0.025
        done
        tocells+=("$((reached - key))")
    fi
    sleep 0.3
done
for what in "${measures[@]}"; do
    label=${what%%:*}
    eval "values=(\"\${${what##*:}[@]}\")"
    printf 'key event to %s, 20 keys: median %s ms, max %s ms\n' "$label" \
        "$(printf '%s\n' "${values[@]}" | median | ms)" "$(printf '%s\n' "${values[@]}" | maximum | ms)"
done
stop

# ---- a long wait: Instant action where the enemy moves first waits 4 s
found=
for seed in 1 2 6 8 9; do
    start "$seed"
    xdotool key Down; sleep 0.3; xdotool key Down
    await "speak Instant action"
    xdotool key Return
    await "chosen to go first"
    if grep -q "Your opponent has been chosen" "$work/trace"; then
        await "hold 4000"
        sleep 0.3
        echo "processor use during the 4 s wait before the enemy's first move (3 s): $(cpuover 3) % of one core"
        found=1
        stop
        break
    fi
    stop
done
[ -n "$found" ] || echo "no seed gave the enemy the first move; the wait was not measured"
