#!/usr/bin/env bash
# The terminal front-end inside tmux plays an Instant action battle to its
# end and prints exactly the texts the headless run of the same keys speaks,
# dropping tiles by the US layout's shifted digits and by F5 to F9. With a
# voice it prints the same, after a line telling how to have lines alone.
# Leaving by the Exit item or by a crash puts the terminal back as it was.
#   terminal.sh PROGRAM SOURCE-DIR
. "$(dirname "$0")/helpers.bash"
bin=$(realpath "$1")
seed=7
command -v tmux >/dev/null || die "tmux is not installed"
export TERM=xterm-256color
unset TMUX
tm() { tmux -L "velloxa-$$" -f /dev/null "$@"; }
cleanup+=("tm kill-server")

# The keys of a whole battle, found by playing headless: Instant action,
# on each turn the next tile onto the first free spot, Enter for the rest.
headless() {
    rm -rf "$work/h" && mkdir "$work/h"
    printf '%s\n' "${keys[@]}" |
        "$bin" --headless - --language en --home "$work/h" --seed $seed >"$work/transcript" 2>&1
}
lastsaid() { awk '/^(speak|title) ./ { sub(/^(speak|title) /, ""); t = $0 } END { print t }' "$work/transcript"; }
keys=(Down Down Enter)
slot=1
for ((round = 0; round < 300; round++)); do
    headless || die "the headless run failed: $(tail -3 "$work/transcript")"
    grep -qx exit "$work/transcript" && break
    case $(lastsaid) in
    "It is your turn." | *"chosen to go first!")
        read -r cx cy tx ty < <(awk '/^draw / { d = $0 } END {
            n = split(d, f, " "); for (i = 4; i <= n && f[i] !~ /^0\//; i++);
            i -= 4; print f[2], f[3], int(i / 3) + 1, i % 3 + 1 }' "$work/transcript")
        for (( ; cx < tx; cx++)); do keys+=(Right); done
        for (( ; cx > tx; cx--)); do keys+=(Left); done
        for (( ; cy < ty; cy++)); do keys+=(Down); done
        for (( ; cy > ty; cy--)); do keys+=(Up); done
        keys+=("Shift+$((slot++))")
        ;;
    *) keys+=(Enter) ;;
    esac
done
grep -qx exit "$work/transcript" && ((slot > 5)) || die "the headless battle did not end"

# What the terminal must print: every text spoken or shown but the empty
# ones and the blank-led repeat of a title; and, per key, how many lines
# are out once it has been handled.
awk -v expected="$work/expected" -v sections="$work/sections" '
    BEGIN { title = "Velloxa"; n = 0; s = 0 }
    /^key / { count[s++] = n; next }
    /^(speak|title|msgbox) / {
        kind = $1; text = substr($0, length(kind) + 2)
        if (kind == "title") { nudge = (text == " " title); title = text; if (nudge) next }
        if (text == "") next
        print text > expected; n++
    }
    END { count[s] = n; for (i = 0; i <= s; i++) print count[i] > sections }
' "$work/transcript"
mapfile -t sections <"$work/sections"
[ "${#sections[@]}" = $((${#keys[@]} + 1)) ] || die "keys and transcript disagree"

# Runs the program in a tmux window of its own, `dir` being its folder:
# the terminal's modes go to `before` and `after`, its exit code to `rc`.
# Without a sound device unless VARIABLES give one.
start() { # NAME [VARIABLES]
    dir=$work/$1
    mkdir -p "$dir/home"
    cat >"$dir/run.sh" <<EOF
cd "$dir"
stty -g >before
while [ ! -e go ]; do sleep 0.05; done
env ${2:-VELLOXA_NO_AUDIO=1} sh -c 'echo \$\$ >pid; exec "\$0" "\$@"' "$bin" --terminal --home "$dir/home" --seed $seed 2>stderr
echo \$? >rc
stty -g >after
sleep 600
EOF
    tm new-session -d -s "$1" -x 150 -y 50 "bash $dir/run.sh"
    tm pipe-pane -t "$1" -o "cat >>$dir/raw"
    touch "$dir/go"
    wait_for 60 test -s "$dir/pid" || die "$1: the program did not start"
    pid=$(cat "$dir/pid")
}
ended() { # NAME
    wait_for 60 test -s "$dir/after" || die "$1: the program did not end"
    cmp -s "$dir/before" "$dir/after" || fail "$1: terminal modes not restored: $(cat "$dir/after")"
    grep -q $'\e\\[>4;0m' "$dir/raw" || fail "$1: key reporting left on"
}
hint=0 # lines printed before the headless run's
printed() {
    perl -pe 's/\e\][^\a]*\a//g; s/\e\[[0-?]*[ -\/]*[@-~]//g; s/\r//g' "$dir/raw" >"$dir/printed"
    (($(wc -l <"$dir/printed") >= sections[$1] + hint))
}
# Bytes the program has read: a key has been taken once this grows.
readbytes() { awk '$1 == "rchar:" { print $2 }' "/proc/$pid/io" 2>/dev/null || echo 0; }
# A key's lines are out, and the program has taken it and waits for the
# next at its top level (or has ended), so that no key lands inside a wait.
handled() { # SECTION
    printed "$1" && { [ -e "$dir/rc" ] || { (($(readbytes) > taken)) && idle "$pid"; }; }
}
# Slots 2 and 3 are dropped by F6 and F7, as on a German keyboard, where
# Shift+2 and Shift+3 send `"` and `§`; the others by a US layout's `!$%`.
sendkey() { # NAME KEY
    case $2 in
    Shift+[23]) tm send-keys -t "$1" "F$((${2#Shift+} + 4))" ;;
    Shift+[1-5]) tm send-keys -t "$1" -l "$(cut -c"${2#Shift+}" <<<'!@#$%')" ;;
    *) tm send-keys -t "$1" "$2" ;;
    esac
}
# Plays the first COUNT keys; the lines must come as the headless run's.
play() { # NAME COUNT
    taken=0
    wait_for 60 handled 0 || die "$1: the terminal did not start: $(cat "$dir/printed")"
    for ((i = 0; i < $2; i++)); do
        taken=$(readbytes)
        sendkey "$1" "${keys[$i]}"
        wait_for 60 handled $((i + 1)) ||
            die "$1: no answer to key $((i + 1)) (${keys[$i]}): $(diff "$work/expected" "$dir/printed" | head -20)"
    done
}

start battle
play battle ${#keys[@]}
ended battle
printed 0
diff "$work/expected" "$dir/printed" >"$work/diff" ||
    fail "the terminal printed other lines than the headless run spoke: $(head -40 "$work/diff")"
[ "$(cat "$dir/rc")" = 0 ] || fail "exit code $(cat "$dir/rc") after the Exit item"
[ -s "$dir/stderr" ] && fail "error output: $(head -3 "$dir/stderr")"

# A sound device (SDL's disk driver, into a file) and the voice: the lines
# are printed all the same, the hint first, and the voice is heard; no speech
# server is asked.
start voice "SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/voice/audio SPEECHD_ADDRESS=unix_socket:$work/none"
hint=1
# Before any key no sound plays: what the device writes that is not silence
# is the voice's welcome.
heard() { [ -n "$(tr -d '\000' <"$dir/audio" 2>/dev/null | head -c 1)" ]; }
wait_for 60 heard || fail "voice: the welcome was not heard"
play voice 4
tm send-keys -t voice C-c
ended voice
printed 0
{ echo "Press Tab once for printed lines only, without the voice." &&
    head -n "${sections[4]}" "$work/expected"; } >"$work/voiced"
diff "$work/voiced" "$dir/printed" >"$work/diff" ||
    fail "with a voice the terminal printed: $(head -20 "$work/diff")"
grep -q 'no audio device' "$dir/stderr" && fail "voice: the disk audio device did not open"

# A crash: the signal handler restores the terminal, then the signal ends it.
start crash
wait_for 60 grep -qs 'Main menu' "$dir/raw" || die "crash: no main menu"
kill -SEGV "$pid"
ended crash
[ "$(cat "$dir/rc")" != 0 ] || fail "crash: exit code 0"
((failed)) || echo "terminal: a battle of ${#keys[@]} keys printed as spoken, the terminal restored"
exit $failed
