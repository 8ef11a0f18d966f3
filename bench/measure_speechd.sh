#!/usr/bin/env bash
# Measures the screen-reader route against a real speech-dispatcher: the
# desktop program under Xvfb, on the screen-reader route, gets 15 quick keys;
# how long after the last key does that key's first text start to be spoken?
#
# The server is Debian's, private to this run, with a speech module that takes
# real time: it notes when each text starts and then "speaks" for one second
# per 15 characters (about 180 words a minute), and is stopped by a cancel as
# a synthesiser is. Usage:
#   bench/measure_speechd.sh [PATH-TO-VELLOXA] [BURSTS]   (default build/release/velloxa, 5)
# Prints, for the main menu and for the battle board, each burst's delay, the
# median and maximum, and how many texts were started during the bursts.
set -euo pipefail

velloxa=${1:-build/release/velloxa}
bursts=${2:-5}
bindir=$(cd "$(dirname "$velloxa")" && pwd)
velloxa=$bindir/$(basename "$velloxa")
work=$(mktemp -d /tmp/velloxa-speechd-XXXXXX)
xvfb_pid=
app_pid=
server_pid=
cleanup() {
    set +e  # a process already gone must not stop the rest of the clean-up
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# ---- the speech module and the server
mkdir -p "$work/conf/modules" "$work/log" "$work/home"
cat >"$work/speak.sh" <<EOF
#!/bin/sh
printf '%s %s\n' "\$(date +%s%6N)" "\$1" >>"$work/heard"
exec sleep "\$(awk -v n="\$(printf %s "\$1" | wc -c)" 'BEGIN { print n / 15 }')"
EOF
chmod +x "$work/speak.sh"
cat >"$work/conf/speechd.conf" <<EOF
LogLevel 2
AudioOutputMethod "libao"
DefaultModule timed
AddModule "timed" "sd_generic" "timed.conf"
DefaultLanguage "en"
EOF
cat >"$work/conf/modules/timed.conf" <<EOF
GenericExecuteSynth "$work/speak.sh \'\$DATA\'"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "timed"
EOF
# The module opens an audio device it never uses: libao's null one.
echo "default_driver=null" >"$work/.libao"
HOME=$work speech-dispatcher -s -t 0 -c unix_socket -S "$work/speechd.sock" -C "$work/conf" \
    -P "$work/speechd.pid" -L "$work/log" >"$work/server.out" 2>&1 &
server_pid=$!
for ((i = 0; i < 100; i++)); do [ -S "$work/speechd.sock" ] && break; sleep 0.1; done
[ -S "$work/speechd.sock" ] || { echo "speech-dispatcher could not start" >&2; exit 1; }
export SPEECHD_ADDRESS=unix_socket:$work/speechd.sock

# ---- the program, started on the screen-reader route
. "$(dirname "$0")/desktop.bash"
ln -s "$bindir/sounds" "$work/home/sounds"
printf '3\r\n3\r\n2\r\n' >"$work/home/progress.ini"

# Waits until the module has started nothing new for 2 s.
quiet() {
    local before=-1 now
    while now=$(wc -l <"$work/heard" 2>/dev/null || echo 0); [ "$now" != "$before" ]; do
        before=$now
        sleep 2
    done
}

"$velloxa" --home "$work/home" --seed 2 >/dev/null 2>"$work/stderr" &
app_pid=$!
await "reader Welcome" 800
window=$(xdotool search --sync --pid "$app_pid" | head -n1)
xdotool windowfocus --sync "$window"
quiet

# One burst of 15 keys 60 ms apart; prints the delay from the last key to the
# start of its first text in milliseconds, and the texts started meanwhile.
burst() {
    local mark keys=()
    mark=$(date +%s%6N)
    for ((k = 0; k < 15; k++)); do keys+=("${@:k % $# + 1:1}"); done
    xdotool key --delay 60 "${keys[@]}"
    quiet
    python3 - "$work/trace" "$work/heard" "$mark" <<'EOF'
import re, sys
trace, heard, mark = sys.argv[1], sys.argv[2], int(sys.argv[3])
words = lambda t: re.sub(r"[^0-9a-z]", "", t.lower())
events = [l.rstrip("\n").split(" ", 1) for l in open(trace) if " " in l]
events = [(int(t), what) for t, what in events if t.isdigit() and int(t) >= mark]
last_key = max(i for i, (t, what) in enumerate(events) if what.startswith("key "))
said = [what[7:] for t, what in events[last_key:] if what.startswith("reader ") and what[7:]]
started = [(int(t), text) for t, text in (l.rstrip("\n").split(" ", 1) for l in open(heard))
           if int(t) >= mark]
first = next((t for t, text in started
              if t >= events[last_key][0] and said and words(text) == words(said[0])), None)
delay = "never" if first is None else "%.0f" % ((first - events[last_key][0]) / 1000)
print(delay, len(started))
EOF
}

report() {
    local label=$1 delays=() total=0 d n
    shift
    for ((b = 0; b < bursts; b++)); do
        read -r d n < <(burst "$@")
        delays+=("$d")
        total=$((total + n))
    done
    printf '%s: last key to its text, %s bursts of 15 keys: %s ms; median %s ms, max %s ms; %s texts started\n' \
        "$label" "$bursts" "${delays[*]}" \
        "$(printf '%s\n' "${delays[@]}" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')" \
        "$(printf '%s\n' "${delays[@]}" | sort -n | tail -n1)" "$total"
}

report "main menu (Down, Up)" Down Down Up
# Instant action: the board, once the opening moves are over. The bursts left
# the menu anywhere, and said every item already: only what follows counts.
for ((n = 0; n < 6; n++)); do
    mark=$(wc -l <"$work/trace")
    xdotool key Down
    await "reader " 800 "$mark"
    tail -n +"$((mark + 1))" "$work/trace" | grep -q "reader Instant action" && break
done
mark=$(wc -l <"$work/trace")
xdotool key Return
await "chosen to go first" 800 "$mark"
sleep 6
quiet
report "battle board (arrows)" Right Down Left Up
