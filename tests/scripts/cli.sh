#!/usr/bin/env bash
# The command line from the outside: exit codes, one-line errors, and a
# home the game cannot write to.
#   cli.sh PROGRAM SOURCE-DIR
. "$(dirname "$0")/helpers.bash"
bin=$1
exits() { # CODE COMMAND...: the exit code, and nothing on standard output
    local want=$1
    shift
    "$@" >"$work/out" 2>"$work/err"
    local code=$?
    [ "$code" = "$want" ] || fail "$* exited with $code, not $want: $(head -3 "$work/err")"
    [ "$want" = 0 ] || [ ! -s "$work/out" ] || fail "$* wrote to standard output"
}

exits 2 "$bin" --bogus
[ "$(wc -l <"$work/err")" = 1 ] && grep -q -- --bogus "$work/err" || fail "unknown option not named on one line"
printf 'Down\n\n# note\nShift+Foo\n' >"$work/bad.txt"
exits 2 "$bin" --headless "$work/bad.txt" --home "$work"
grep -q 'line 4' "$work/err" || fail "the bad script line is not named: $(cat "$work/err")"
exits 2 "$bin" --headless "$work/nonexistent" --home "$work"
exits 0 "$bin" --dump-content
grep -q '^card	' "$work/out" || fail "--dump-content lists no tiles"

# Page Up and Instant action save. Neither a home under a regular file nor a
# progress file that is a folder can be written, by root either: the player
# is told each time, nothing is reported as saved, and the game plays on.
touch "$work/file"
mkdir -p "$work/folder/progress.ini"
for home in "$work/file/home" "$work/folder"; do
    printf 'PageUp\nDown\nDown\nEnter\n' >"$work/keys"
    exits 0 "$bin" --headless "$work/keys" --home "$home" --seed 1
    [ "$(grep -cx 'speak Your progress could not be saved.' "$work/out")" = 2 ] && ! grep -qx save "$work/out" &&
        grep -q '^draw' "$work/out" || fail "$home: a failed save is not told each time, or told as done"
done
grep -q '^error in saveprogress: ' "$work/folder/debuglog.txt" || fail "the failed save is not logged"
((failed)) || echo "command line: all checks passed"
exit $failed
