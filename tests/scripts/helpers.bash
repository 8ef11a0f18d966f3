# Sourced by the scripted checks: a scratch folder `work`, commands run on
# the way out, failures, waits for what a check needs, a private X server
# and the colours of the board in a window's picture.
set -uo pipefail
work=$(mktemp -d)
cleanup=()  # commands run on the way out, such as ending started programs
trap 'for c in "${cleanup[@]}"; do eval "$c" >/dev/null 2>&1; done; wait; rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}
die() {
    fail "$@"
    exit 1
}

# Runs COMMAND until it succeeds; the limit only guards against a hang.
wait_for() { # LIMIT-SECONDS COMMAND...
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < end)) || return 1
        sleep 0.05
    done
}

# The program waits for input at its top level, not inside a timed wait:
# blocked in poll() without a time limit (ppoll() without one elsewhere).
idle() { # PID
    local nr timeout
    read -r nr _ _ timeout _ 2>/dev/null <"/proc/$1/syscall" || return 1
    case $nr in
    7) (((timeout & 0xffffffff) == 0xffffffff)) ;;
    73 | 271) [ "$timeout" = 0x0 ] ;;
    *) return 1 ;;
    esac
}

start_xvfb() {
    command -v Xvfb >/dev/null && command -v xdotool >/dev/null || die "Xvfb or xdotool is missing"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    cleanup+=("kill $xvfb")
    wait_for 30 test -s "$work/display" || die "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
}

# Gives the keyboard to the first window `xdotool search ARGS...` finds,
# once there is one, and names it in `window`.
focus() { # ARGS...
    wait_for 60 xdotool search "$@" >/dev/null 2>&1 || return 1
    window=$(xdotool search "$@" 2>/dev/null | head -n1)
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
}

# A desktop program `pid` writing its trace to `trace`: whether a line
# matching PATTERN came after the first `from` lines.
from=0
seen() { tail -n +$((from + 1)) "$trace" 2>/dev/null | grep -q -- "$1"; }
# The line a key brings, then the program waiting at its top level again,
# so that no key lands inside a wait.
press() { # KEY PATTERN
    from=$(wc -l <"$trace")
    xdotool key --delay 0 "$1"
    wait_for 60 seen "$2" && wait_for 60 idle "$pid" || die "no '$2' after $1: $(tail -n3 "$trace")"
}
# The program's first picture drawn (its draw line is written once the
# picture is saved), and its window given the keyboard.
window_ready() {
    wait_for 60 seen "^[0-9]* draw" && wait_for 60 idle "$pid" || die "no board drawn: $(cat "$work/out")"
    focus --pid "$pid" || die "no window"
}

# The board in the window's picture `shot`, read by the helper `probe`: it
# fills 480 by 480 of the 640 by 640 window, above the caption's 160 pixels,
# with spots of 160 pixels. A
# spot's plain fill is sampled near its lower left corner, where no text is
# written; its outline on its left edge.
colour() { # WHAT X Y WANTED
    local got
    got=$("$probe" pixel "$shot" "$2" "$3")
    [ "$got" = "$4" ] || fail "$1 at $2, $3 is $got, not $4"
}
spot() { # WHAT COLUMN ROW FILL OUTLINE
    colour "$1's fill" $((($2 - 1) * 160 + 24)) $((($3 - 1) * 160 + 147)) "$4"
    colour "$1's outline" $((($2 - 1) * 160)) $((($3 - 1) * 160 + 80)) "$5"
}
# The main menu's board: nine light grey spots, black outlines, no cursor.
menu_board() {
    local x y
    for x in 1 2 3; do
        for y in 1 2 3; do spot "the menu's spot $x, $y" $x $y "200 200 200" "0 0 0"; done
    done
    colour "the background" 600 240 "48 48 48"
}
