# What the install tests share, sourced by them: a scratch folder `work`,
# fail(), and the checks of an installed copy under PREFIX (the folder
# holding games/ and share/) run by a player with a fresh home.
set -uo pipefail
work=$(mktemp -d)
started=()  # programs to end on the way out
trap 'kill "${started[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# Runs the installed program with nothing of the caller's environment but
# PATH, a fresh HOME and no audio device.
run_installed() {  # PREFIX, then arguments
    local prefix=$1
    shift
    env -i PATH="$PATH" HOME="$work/player" VELLOXA_NO_AUDIO=1 "$prefix/games/velloxa" "$@"
}

check_installed_copy() {  # PREFIX
    local prefix=$1 data=$work/player/.local/share/velloxa share=$1/share/velloxa
    rm -rf "$work/player" && mkdir -p "$work/player"
    [ -x "$prefix/games/velloxa" ] || fail "no program in $prefix/games"
    [ -f "$share/sounds/menu/arrows.wav" ] || fail "no sounds in $share"
    [ "$(run_installed "$prefix" --version)" = 0.5f ] || fail "--version of the installed copy"

    # The terminal front-end, keys from a pipe: Tab takes the window-title
    # route, whose name comes from the shipped language file, and saves it.
    printf '\t' | run_installed "$prefix" --terminal --seed 1 >"$work/printed" 2>"$work/stderr" ||
        fail "the terminal front-end ended with an error: $(cat "$work/stderr")"
    grep -qx 'Window title' "$work/printed" ||
        fail "the terminal did not name the route from the shipped language file: $(cat "$work/printed")"
    [ -f "$data/progress.ini" ] || fail "the terminal wrote no progress to $data"
    cmp -s "$share/language.txt" "$data/language.txt" ||
        fail "the shipped language file was not copied to $data"
    [ "$(head -c1 "$data/progress.ini")" = 1 ] || fail "the terminal did not save the route"

    # Headless without --home, run as root here, where the program could
    # write beside itself: the same progress file (the route saved above
    # sends the welcome line to the title), sounds from share/.
    printf 'Tab\nPageUp\n' | run_installed "$prefix" --headless - --seed 1 >"$work/transcript" ||
        fail "the headless run failed"
    grep -qx 'title Welcome to .*' "$work/transcript" ||
        fail "headless did not read the progress the terminal saved: $(head -3 "$work/transcript")"
    grep -qx "load [0-9]* $share/sounds/menu/arrows.wav" "$work/transcript" ||
        fail "headless did not take its sounds from $share: $(grep -m1 '^load' "$work/transcript")"
    grep -qx 'title Window title, second route' "$work/transcript" &&
        grep -qx 'title Voice speed 3.' "$work/transcript" ||
        fail "headless did not use the shipped language file"
    [ "$(head -c1 "$data/progress.ini")" = 2 ] || fail "headless did not save to $data"
    # --home without sounds: the data goes there, the sounds (played on
    # Down) still come from share/, so nothing is missing into the log.
    mkdir -p "$work/elsewhere"
    printf '\e[B\t' | run_installed "$prefix" --terminal --home "$work/elsewhere" >/dev/null 2>&1
    [ -f "$work/elsewhere/progress.ini" ] || fail "the terminal saved nothing into --home"
    [ ! -e "$work/elsewhere/debuglog.txt" ] ||
        fail "sounds missing with --home: $(head -3 "$work/elsewhere/debuglog.txt")"
    local beside
    beside=$(find "$prefix" -name progress.ini -o -name debuglog.txt)
    [ -z "$beside" ] || fail "files written beside the program: $beside"
}

# Waits up to LIMIT seconds for COMMAND to succeed.
wait_for() {  # LIMIT COMMAND...
    local limit=$1 i
    shift
    for ((i = 0; i < limit * 20; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# The window front-end of the same copy, after check_installed_copy: it
# reads the progress the others saved (route 2 sends the welcome line to
# the title) and saves its next route there. Needs Xvfb and xdotool.
check_window_shares_progress() {  # PREFIX
    local prefix=$1 data=$work/player/.local/share/velloxa
    if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
        echo "skipped the window: Xvfb or xdotool is missing"
        return 0
    fi
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    started+=($!)
    wait_for 20 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
    env -i PATH="$PATH" HOME="$work/player" DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy \
        VELLOXA_TRACE="$work/trace" "$prefix/games/velloxa" --seed 1 >"$work/out" 2>&1 &
    started+=($!)
    wait_for 30 grep -qs ' title Welcome to ' "$work/trace" ||
        fail "the window did not read the progress the others saved: $(cat "$work/out")"
    program_window() { xdotool search --pid "${started[-1]}" 2>/dev/null | head -n1 | grep .; }
    wait_for 10 program_window >/dev/null || fail "the program's window was not found"
    xdotool windowfocus --sync "$(program_window)" >/dev/null 2>&1
    xdotool key Tab
    route_saved() { [ "$(head -c1 "$data/progress.ini")" != 2 ]; }
    wait_for 20 route_saved || fail "the window did not save to $data"
    grep -q ' \(speak\|title\) \(Screen reader\|The screen reader is not running\)' \
        "$work/trace" || fail "the window did not use the shipped language file"
    [ -z "$(find "$prefix" -name progress.ini)" ] || fail "the window saved beside the program"
}
