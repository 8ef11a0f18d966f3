#!/usr/bin/env bash
# A whole Instant action battle played through the terminal front-end inside
# tmux, key by key, must print exactly the texts that the headless run of the
# same keys and seed speaks. The keys are found by playing headless first:
# drop on the first free spot with the next unused tile, step through every
# summary with Enter, then view the finished board and leave by the Exit item.
# Along the way: the speech keys, the title route's repeat, Escape, and the
# stand-ins for Shift+Enter, Shift+Escape and Ctrl.
set -u
bin=$(realpath "$1")
seed=${VELLOXA_TEST_SEED:-7}
work=$(mktemp -d)
server="velloxa-battle-$$"
tm() { tmux -L "$server" -f /dev/null "$@"; }
trap 'tm kill-server >/dev/null 2>&1; rm -rf "$work"' EXIT
export TERM=xterm-256color
unset TMUX
command -v tmux >/dev/null || { echo "FAIL: tmux is not installed"; exit 1; }

# A home with six collected tiles, so that New game wants Shift+Enter.
home0=$work/home0
mkdir -p "$home0"
[ -d "$(dirname "$bin")/sounds" ] && cp -r "$(dirname "$bin")/sounds" "$home0/"
"$bin" --dump-content | awk -F'\t' '$1 == "card" && $13 == 1 { print $3 }' | head -6 >"$work/names"
[ "$(wc -l <"$work/names")" = 6 ] || { echo "FAIL: no tiles in the content dump"; exit 1; }
{
    printf '0\r\n3\r\n2\r\nsounds\r\n3\r\n1\r\n6\r\n'
    sed 's/$/\r/' "$work/names"
    head -5 "$work/names" | sed 's/$/\r/'
} >"$home0/progress.ini"

keys=()
headless() {
    rm -rf "$work/h" && cp -r "$home0" "$work/h"
    printf '%s\n' "${keys[@]}" >"$work/keys.txt"
    "$bin" --headless "$work/keys.txt" --home "$work/h" --seed "$seed" >"$work/transcript" 2>&1
}
# The last text spoken or shown, skipping the empty ones.
lastsaid() { awk '/^(speak|title) ./ { sub(/^(speak|title) /, ""); t = $0 } END { print t }' "$work/transcript"; }

# Start-up: speech routes, rate, silence twice, New game's warning and Shift+Enter,
# Shift+Escape back to the main menu, then Instant action.
keys=(Tab Tab Tab PageUp PageDown Ctrl Ctrl Down Enter Shift+Enter Shift+Escape Down Down Down Enter)
slot=1
firstturn=1
viewed=0
done=0
for ((round = 0; round < 300 && !done; round++)); do
    headless || { echo "FAIL: headless run failed"; cat "$work/transcript"; exit 1; }
    last=$(lastsaid)
    case $last in
    "It is your turn." | *"You have been chosen to go first!")
        if ((firstturn)); then
            # The title route says a repeated text again; route 3 falls back.
            keys+=(Tab Z Z Tab Tab Escape 1 6)
            firstturn=0
        fi
        read -r cx cy free < <(awk '/^draw / { d = $0 } END {
            n = split(d, f, " "); for (i = 4; i <= n; i++) if (f[i] ~ /^0\//) break
            i -= 4; print f[2], f[3], int(i / 3) + 1 " " i % 3 + 1 }' "$work/transcript")
        tx=${free% *}
        ty=${free#* }
        while ((cx < tx)); do keys+=(Right); ((cx++)); done
        while ((cx > tx)); do keys+=(Left); ((cx--)); done
        while ((cy < ty)); do keys+=(Down); ((cy++)); done
        while ((cy > ty)); do keys+=(Up); ((cy--)); done
        keys+=(Z "Shift+$slot")
        ((slot++))
        ;;
    "You have won the battle!"* | "You have been defeated!"* | "The battle was a draw."*)
        if ((viewed)); then keys+=(Enter); else keys+=(Escape Escape); viewed=1; fi
        ;;
    "Exit" | "New game")
        # Enter with Shift acts on Exit like Enter.
        if ((viewed)); then keys+=(Shift+Escape Shift+Enter); done=1; else keys+=(Enter); fi
        ;;
    *) keys+=(Enter) ;;
    esac
done
headless
((done)) && grep -q '^exit$' "$work/transcript" || {
    echo "FAIL: the headless battle did not come to an end"
    tail -30 "$work/transcript"
    exit 1
}

# What the terminal must print: every text spoken or shown, except empty
# ones and the blank-led repeat of a title; and per key, the line count once
# it has been handled.
awk -v expected="$work/expected" -v sections="$work/sections" '
    BEGIN { title = "Velloxa"; n = 0; s = 0 }
    /^key / { count[s] = n; s++; next }
    /^(speak|title|msgbox) / {
        kind = $1; text = substr($0, length(kind) + 2)
        if (kind == "title") { nudge = (text == " " title); title = text; if (nudge) next }
        if (text == "") next
        print text > expected; n++
    }
    END { count[s] = n; for (i = 0; i <= s; i++) print count[i] > sections }
' "$work/transcript"
mapfile -t sections <"$work/sections"
[ "${#sections[@]}" = $((${#keys[@]} + 1)) ] || { echo "FAIL: keys and transcript disagree"; exit 1; }

# Each chord's two stand-ins take turns.
declare -A turns
sendkey() {
    local k=$1 alt
    alt=$((1 - ${turns[$k]:-0}))
    turns[$k]=$alt
    case $k in
    Shift+Enter) if ((alt)); then tm send-keys -t play C-e; else tm send-keys -t play F2; fi ;;
    Shift+Escape) if ((alt)); then tm send-keys -t play F3; else tm send-keys -t play C-x; fi ;;
    Ctrl) if ((alt)); then tm send-keys -t play F4; else tm send-keys -t play C-Space; fi ;;
    Shift+[1-5]) tm send-keys -t play -l "$(printf '%s' '!@#$%' | cut -c"${k#Shift+}")" ;;
    PageUp) tm send-keys -t play PPage ;;
    PageDown) tm send-keys -t play NPage ;;
    [A-Z]) tm send-keys -t play -l "$(printf '%s' "$k" | tr A-Z a-z)" ;;
    *) tm send-keys -t play "$k" ;;
    esac
}

home=$work/home
cp -r "$home0" "$home"
cat >"$work/run.sh" <<EOF
cd "$work"
stty -g >before
while [ ! -e go ]; do sleep 0.05; done
VELLOXA_NO_AUDIO=1 sh -c 'echo \$\$ >pid; exec "\$0" "\$@"' "$bin" --terminal --home "$home" --seed $seed 2>stderr
echo \$? >rc
stty -g >after
sleep 600
EOF
tm new-session -d -s play -x 150 -y 50 "bash $work/run.sh"
tm pipe-pane -t play -o "cat >>$work/raw"
touch "$work/go"

printed() {
    perl -pe 's/\e\][^\a]*\a//g; s/\e\[[0-?]*[ -\/]*[@-~]//g; s/\r//g' "$work/raw" \
        >"$work/printed" 2>/dev/null
    wc -l <"$work/printed"
}
pid=
# The program waits for a key at its top level, not inside a wait or a yield:
# it is blocked in poll() with no time limit (ppoll() without a timeout on
# other machines).
idle() {
    local nr timeout
    read -r nr _ _ timeout _ <"/proc/$pid/syscall" 2>/dev/null || return 1
    case $nr in
    7) (((timeout & 0xffffffff) == 0xffffffff)) ;;
    73 | 271) [ "$timeout" = 0x0 ] ;;
    *) return 1 ;;
    esac
}
# Bytes the program has read so far: a sent key has been taken once it grows.
taken=0
readbytes() { awk '$1 == "rchar:" { print $2 }' "/proc/$pid/io" 2>/dev/null || echo 0; }
# Waits until the key is taken, its lines are out and the program is idle
# again (or has ended). A generous limit only guards against a hang.
settle() { # section index, description
    local t
    for ((t = 0; t < 1200; t++)); do
        [ -z "$pid" ] && [ -s "$work/pid" ] && pid=$(cat "$work/pid")
        if (($(printed) >= sections[$1])) &&
            { [ -e "$work/rc" ] || { (($(readbytes) > taken)) && idle; }; }; then
            taken=$(readbytes)
            return
        fi
        sleep 0.05
    done
    echo "FAIL: no answer to $2 (want ${sections[$1]} lines)"
    diff "$work/expected" "$work/printed" | head -20
    exit 1
}

settle 0 "start-up"
for ((i = 0; i < ${#keys[@]}; i++)); do
    sendkey "${keys[$i]}"
    settle $((i + 1)) "key $((i + 1)) (${keys[$i]})"
done
for ((t = 0; t < 1200; t++)); do [ -e "$work/after" ] && break; sleep 0.05; done

fail=0
printed >/dev/null
if ! diff "$work/expected" "$work/printed" >"$work/diff"; then
    echo "FAIL: the terminal printed other lines than the headless run spoke"
    head -40 "$work/diff"
    fail=1
fi
[ "$(cat "$work/rc" 2>/dev/null)" = 0 ] || { echo "FAIL: exit code $(cat "$work/rc" 2>/dev/null)"; fail=1; }
cmp -s "$work/before" "$work/after" || { echo "FAIL: terminal modes not restored after Exit"; fail=1; }
[ -s "$work/stderr" ] && { echo "FAIL: error output: $(head -3 "$work/stderr")"; fail=1; }
tm capture-pane -t play -p -J | grep -q '^Good bye$' || { echo "FAIL: Good bye not on screen"; fail=1; }
((fail)) || echo "terminal battle: ${#keys[@]} keys, $(wc -l <"$work/expected") lines alike"
exit $fail
