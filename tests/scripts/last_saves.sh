#!/usr/bin/env bash
# Every way out of the terminal and desktop programs finishes the save the
# game has just handed to the background writer, with each sync of a save
# made slow (400 ms) by a preloaded helper: the newest save is on disk after
# each signal, Ctrl+C, the end of input, a closed window and the X server
# going away. A sync that never returns still lets the program end, and a
# sync that fails is told on standard error.
#   last_saves.sh PROGRAM SOURCE-DIR
. "$(dirname "$0")/helpers.bash"
bin=$(realpath "$1")
shim=$(dirname "$bin")/velloxa_slow_fsync.so
probe=$(dirname "$bin")/velloxa_desktop_probe
[ -e "$shim" ] && [ -x "$probe" ] || die "the helpers beside $bin were not built"
# A sanitizer's runtime need not come first: the helper only wraps fsync.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

# Two Page Ups: the first save is in its slow sync when the second is
# handed over. The file they must leave is the headless run's.
mkdir "$work/expected"
printf 'PageUp\nPageUp\n' | "$bin" --headless - --home "$work/expected" --seed 1 >/dev/null 2>&1
[ -s "$work/expected/progress.ini" ] || die "the headless run saved nothing"

# Starts the program in `dir` with keys from the FIFO `dir/keys` (kept open
# on descriptor 3); `pid` is its process, `dir/rc` its exit code once over.
start() { # NAME FRONT-END-OPTIONS...
    dir=$work/$1
    shift
    mkdir -p "$dir/home"
    mkfifo "$dir/keys"
    exec 3<>"$dir/keys"
    (
        exec 3>&-
        cd "$dir" || exit
        LD_PRELOAD=$shim VELLOXA_FSYNC_LOG=$dir/syncs VELLOXA_NO_AUDIO=1 SDL_AUDIODRIVER=dummy \
            VELLOXA_TRACE=$dir/trace sh -c 'echo $$ >pid; exec "$0" "$@"' \
            "$bin" --home "$dir/home" --seed 1 "$@" <keys >out 2>err
        echo $? >rc
    ) 2>/dev/null &
    wait_for 60 test -s "$dir/pid" || die "$1: the program did not start"
    pid=$(cat "$dir/pid")
    cleanup+=("kill -9 $pid")
}
# The program has said `text` and waits at its top level.
said() { grep -qF -- "$1" "$dir/out" "$dir/trace" 2>/dev/null && idle "$pid"; }
# The Page Ups, each answered, the first save's sync begun.
rates="3 4"
two_saves() { # NAME SEND-COMMAND
    for rate in $rates; do
        $2
        wait_for 60 said "Voice speed $rate." || die "$1: no answer to Page Up: $(cat "$dir/err")"
    done
    wait_for 60 test -s "$dir/syncs" || die "$1: the helper did not slow the sync"
    # The newest save is handed to the writer once its temporary file is
    # written: only then is it the program's to finish.
    # (A sync that fails takes its file away with it.)
    [ "${VELLOXA_FSYNC:-}" = fail ] ||
        wait_for 60 handed_over "${rates##* }" || die "$1: the newest save was never handed over"
}
handed_over() { # RATE
    local f
    for f in "$dir/home"/progress.ini*; do
        [ "$(sed -n 3p "$f" 2>/dev/null | tr -d '\r')" = "$1" ] && return 0
    done
    return 1
}
ended() { # NAME
    exec 3>&-
    wait_for 60 test -s "$dir/rc" || die "$1: the program did not end"
}
newest_saved() { # NAME
    cmp -s "$work/expected/progress.ini" "$dir/home/progress.ini" ||
        fail "$1: the newest save is not on disk: $(od -c "$dir/home/progress.ini" 2>&1 | head -3)"
    # No BRLTTY runs here, which the desktop says once; nothing else is told.
    grep "^velloxa:" "$dir/err" | grep -qv "no braille display" &&
        fail "$1: error output: $(head -3 "$dir/err")"
}
pageup_terminal() { printf '\e[5~' >&3; }

# Two saves in the terminal, then the way out, a command run by eval.
terminal() { # NAME WAY-OUT
    start "$1" --terminal
    wait_for 60 said "Main menu" || die "$1: no main menu: $(cat "$dir/err")"
    two_saves "$1" pageup_terminal
    eval "$2"
    ended "$1"
}
for sig in TERM HUP INT; do
    terminal "terminal-$sig" "kill -$sig \$pid"
    newest_saved "terminal-$sig"
done
terminal terminal-ctrl-c 'printf "\x03" >&3'
newest_saved terminal-ctrl-c
terminal terminal-end-of-input true
newest_saved terminal-end-of-input

# A sync that never returns: the program still ends, at Ctrl+C (which
# waited for it once) and at the end of input, and says the save was given
# up; the old file (none here) is left as it was.
export VELLOXA_FSYNC=hang
for way in ctrl-c end-of-input; do
    case $way in
    ctrl-c) terminal terminal-hung-$way 'printf "\x03" >&3' ;;
    *) terminal terminal-hung-$way true ;;
    esac
    [ -e "$dir/home/progress.ini" ] && fail "hung, $way: a progress file appeared"
    grep -q "^velloxa: the last progress was not saved" "$dir/err" && [ "$(wc -l <"$dir/err")" = 1 ] ||
        fail "hung, $way: not told in one line: $(cat "$dir/err")"
done
# A sync that fails is told in one line (one save: a failure of the first
# would be thrown to the game by the second).
export VELLOXA_FSYNC=fail
rates=3 terminal terminal-failed 'kill -HUP $pid'
grep -q "^velloxa: the last progress could not be saved in $work/terminal-failed/home: Input/output error$" \
    "$dir/err" && [ "$(wc -l <"$dir/err")" = 1 ] || fail "failed: not told in one line: $(cat "$dir/err")"
unset VELLOXA_FSYNC

start_xvfb
pageup_desktop() { xdotool key --delay 0 Prior; }
desktop() { # NAME WAY-OUT
    start "$1"
    wait_for 60 said " draw" || die "$1: no board drawn: $(cat "$dir/err")"
    focus --pid "$pid" || die "$1: no window"
    two_saves "$1" pageup_desktop
    eval "$2"
    ended "$1"
}
for sig in TERM HUP INT; do
    desktop "desktop-$sig" "kill -$sig \$pid"
    newest_saved "desktop-$sig"
done
desktop desktop-closed '"$probe" close "$window"'
newest_saved desktop-closed
# The X server going away makes Xlib end the program through exit().
desktop desktop-x-gone 'kill $xvfb'
cmp -s "$work/expected/progress.ini" "$dir/home/progress.ini" ||
    fail "x-gone: the newest save is not on disk: $(cat "$dir/err" "$dir/rc" 2>&1 | head -5)"
((failed)) || echo "last saves: the newest save on disk on every way out; a hung or failed sync told"
exit $failed
