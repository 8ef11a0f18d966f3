# Sourced by the install tests: the checks of an installed copy under a
# prefix (the folder holding games/ and share/), played by a player with a
# fresh home. Both front-ends find the shipped data in share/ and keep one
# progress file in the player's folder; nothing is written beside the program.
. "$(dirname "${BASH_SOURCE[0]}")/../scripts/helpers.bash"

check_installed() { # PREFIX
    local program=$1/games/velloxa data=$work/player/.local/share/velloxa pid
    rm -rf "$work/player" && mkdir -p "$work/player"
    local player=(env -i PATH="$PATH" HOME="$work/player")
    # Keys from a pipe: Down plays a menu sound, Tab takes the window-title
    # route, named by the shipped language file, and saves it.
    printf '\e[B\t' | "${player[@]}" VELLOXA_NO_AUDIO=1 "$program" --terminal --seed 1 \
        >"$work/printed" 2>"$work/stderr" ||
        fail "the terminal front-end failed: $(cat "$work/stderr")"
    grep -qx 'Window title' "$work/printed" ||
        fail "the terminal did not name the route from the shipped language file: $(cat "$work/printed")"
    [ "$(head -c1 "$data/progress.ini" 2>/dev/null)" = 1 ] || fail "the terminal did not save its route to $data"

    # The window reads the progress the terminal saved, but nobody reads its
    # title there: the welcome goes to the voice, and Tab goes on to the
    # screen-reader route, named by the shipped language file, and saves.
    start_xvfb
    "${player[@]}" DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy VELLOXA_TRACE="$work/trace" \
        "$program" --seed 1 >"$work/window" 2>&1 &
    pid=$!
    cleanup+=("kill $pid")
    wait_for 60 grep -qs ' speak Welcome to ' "$work/trace" ||
        fail "the window did not read the progress the terminal saved: $(cat "$work/window")"
    focus --pid "$pid" || die "the program's window was not found"
    xdotool key Tab
    wait_for 60 grep -qsE ' (reader|speak) (Screen reader|The screen reader is not running.  Voice on.)$' \
        "$work/trace" || fail "the window did not name the route from the shipped language file"
    wait_for 60 grep -qs '^[03]' "$data/progress.ini" || fail "the window did not save to $data"

    [ ! -e "$data/debuglog.txt" ] || fail "errors logged: $(head -3 "$data/debuglog.txt")"
    local beside
    beside=$(find "$1" -name progress.ini -o -name debuglog.txt)
    [ -z "$beside" ] || fail "files written beside the program: $beside"
}
