# Shared by the desktop measuring scripts: a private Xvfb display and a wait
# for a line of the program's trace. Source it after setting $work; it sets
# DISPLAY, SDL_AUDIODRIVER, VELLOXA_TRACE and $xvfb_pid.

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb could not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export VELLOXA_TRACE=$work/trace

# await TEXT [TRIES] [AFTER]: waits until the trace holds TEXT (past its
# first AFTER lines), 25 ms between looks.
await() {
    for ((i = 0; i < ${2:-400}; i++)); do
        tail -n +"$((${3:-0} + 1))" "$work/trace" 2>/dev/null | grep -q -- "$1" && return 0
        sleep 0.025
    done
    echo "timed out waiting for '$1'" >&2
    return 1
}
