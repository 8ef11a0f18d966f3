# What the install tests share, sourced by them: a scratch folder `work`,
# fail(), and the checks of an installed copy under PREFIX (the folder
# holding games/ and share/) run by a player with a fresh home.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# Runs the installed program with nothing of the caller's environment but
# PATH, a fresh HOME and the given variables.
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
    printf 'Tab\n' | run_installed "$prefix" --headless - --seed 1 >"$work/transcript" ||
        fail "the headless run failed"
    grep -qx 'title Welcome to .*' "$work/transcript" ||
        fail "headless did not read the progress the terminal saved: $(head -3 "$work/transcript")"
    grep -qx "load [0-9]* $share/sounds/menu/arrows.wav" "$work/transcript" ||
        fail "headless did not take its sounds from $share: $(grep -m1 '^load' "$work/transcript")"
    grep -qx 'title Window title, second route' "$work/transcript" ||
        fail "headless did not use the shipped language file"
    [ "$(head -c1 "$data/progress.ini")" = 2 ] || fail "headless did not save to $data"
    local beside
    beside=$(find "$prefix" -name progress.ini -o -name debuglog.txt)
    [ -z "$beside" ] || fail "files written beside the program: $beside"
}
