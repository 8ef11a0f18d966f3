#!/usr/bin/env bash
# The terminal front-end inside tmux: the terminal is in raw mode while it
# plays and exactly as before once it has gone, whether it ends by Ctrl+C,
# by the Exit item, or by a signal (crash signals included); the key
# protocols it switched on are switched off again.
set -u
bin=$(realpath "$1")
work=$(mktemp -d)
server="velloxa-restore-$$"
tm() { tmux -L "$server" -f /dev/null "$@"; }
trap 'tm kill-server >/dev/null 2>&1; rm -rf "$work"' EXIT
export TERM=xterm-256color
unset TMUX
command -v tmux >/dev/null || { echo "FAIL: tmux is not installed"; exit 1; }
fail=0

# Waits for a file; the limit only guards against a hang.
waitfor() { # file
    for ((t = 0; t < 1200; t++)); do [ -s "$1" ] && return 0; sleep 0.05; done
    return 1
}

# Starts the program in a fresh window; `dir` is its folder.
start() { # name
    dir=$work/$1
    mkdir -p "$dir/home"
    cat >"$dir/run.sh" <<EOF
cd "$dir"
stty -g >before
while [ ! -e go ]; do sleep 0.05; done
VELLOXA_NO_AUDIO=1 sh -c 'echo \$\$ >pid; exec "\$0" "\$@"' "$bin" --terminal --home "$dir/home" --seed 3 2>stderr
echo \$? >rc
stty -a >after_a
stty -g >after
sleep 600
EOF
    tm new-window -d -n "$1" "bash $dir/run.sh"
    tm pipe-pane -t "$1" -o "cat >>$dir/raw"
    touch "$dir/go"
    for ((t = 0; t < 1200; t++)); do
        grep -q 'Main menu' "$dir/raw" 2>/dev/null && break
        sleep 0.05
    done
    grep -q 'Main menu' "$dir/raw" 2>/dev/null || { echo "FAIL: $1: no start"; fail=1; return 1; }
    local modes
    modes=$(stty -a -F "$(tm display -p -t "$1" '#{pane_tty}')")
    [[ $modes == *-icanon* && $modes == *-echo\ * && $modes == *-isig* ]] ||
        { echo "FAIL: $1: not in raw mode while playing"; fail=1; }
}

finish() { # name, description of the exit codes wanted, test on $rc
    if ! waitfor "$dir/after"; then
        echo "FAIL: $1: the program did not end"
        fail=1
        return
    fi
    rc=$(cat "$dir/rc")
    eval "$3" || { echo "FAIL: $1: exit code $rc, wanted $2"; fail=1; }
    cmp -s "$dir/before" "$dir/after" ||
        { echo "FAIL: $1: terminal modes not restored: $(cat "$dir/after")"; fail=1; }
    grep -qE '(^| )icanon( |;|$)' "$dir/after_a" && grep -qE '(^| )echo( |;|$)' "$dir/after_a" ||
        { echo "FAIL: $1: no icanon echo afterwards"; fail=1; }
    grep -q $'\e\\[>4;0m' "$dir/raw" || { echo "FAIL: $1: key protocol left on"; fail=1; }
}

tm new-session -d -s idle -x 120 -y 40 "sleep 600"

start ctrlc && {
    tm send-keys -t ctrlc C-c
    finish ctrlc 0 '[ "$rc" = 0 ]'
}

start exititem && {
    tm send-keys -t exititem Enter  # no item chosen yet: Enter acts on Exit
    finish exititem 0 '[ "$rc" = 0 ]'
    grep -q 'Good bye' "$dir/raw" || { echo "FAIL: exititem: no Good bye"; fail=1; }
}

for sig in TERM HUP INT SEGV ABRT; do
    start "sig$sig" && {
        kill -s "$sig" "$(cat "$dir/pid")"
        finish "sig$sig" "death by the signal" '[ "$rc" != 0 ]'
    }
done

((fail)) || echo "terminal restore: all ways out leave the terminal as it was"
exit $fail
