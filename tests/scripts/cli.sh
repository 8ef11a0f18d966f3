#!/usr/bin/env bash
# The command line from the outside: exit codes, one-line errors, the dump.
set -u
bin=$1
fail=0
check() { # description, expected exit code, actual exit code
    if [ "$2" != "$3" ]; then echo "FAIL: $1 (exit $3, expected $2)"; fail=1; fi
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$bin" --help >"$tmp/out" 2>&1; check "--help" 0 $?
grep -q -- '--headless' "$tmp/out" || { echo "FAIL: usage lacks --headless"; fail=1; }
[ "$("$bin" --version)" = "0.5f" ] || { echo "FAIL: --version"; fail=1; }

"$bin" --bogus >"$tmp/out" 2>"$tmp/err"; check "unknown option" 2 $?
[ "$(wc -l <"$tmp/err")" = 1 ] && grep -q -- '--bogus' "$tmp/err" || { echo "FAIL: unknown option message"; fail=1; }
[ -s "$tmp/out" ] && { echo "FAIL: output on a bad option"; fail=1; }
"$bin" --seed >/dev/null 2>"$tmp/err"; check "missing value" 2 $?
grep -q -- '--seed' "$tmp/err" || { echo "FAIL: missing value message"; fail=1; }
"$bin" --seed abc >/dev/null 2>&1; check "bad seed" 2 $?

printf 'Down\n\n# note\nShift+Foo\n' >"$tmp/bad.txt"
"$bin" --headless "$tmp/bad.txt" --home "$tmp" >"$tmp/out" 2>"$tmp/err"; check "bad script line" 2 $?
grep -q 'line 4' "$tmp/err" || { echo "FAIL: bad line number not named: $(cat "$tmp/err")"; fail=1; }
[ -s "$tmp/out" ] && { echo "FAIL: transcript written for a bad script"; fail=1; }
"$bin" --headless "$tmp/nonexistent" --home "$tmp" >/dev/null 2>"$tmp/err"; check "unreadable script" 2 $?

mkdir -p "$tmp/h"
"$bin" --headless - --home "$tmp/h" --seed 1 </dev/null >"$tmp/out" 2>&1; check "empty script" 0 $?
grep -q "^speak Welcome to Nebbin's Velloxa, version 0.5f.  Main menu.$" "$tmp/out" ||
    { echo "FAIL: no welcome line"; fail=1; }
"$bin" --headless - --home "$tmp/missing/folder" --seed 1 </dev/null >/dev/null 2>&1; check "missing home" 0 $?
# A save that fails, also for root: progress.ini is a folder. Instant action saves.
mkdir -p "$tmp/ro/progress.ini"
printf 'Down\nDown\nDown\nEnter\n' | "$bin" --headless - --home "$tmp/ro" --seed 1 >"$tmp/out" 2>/dev/null
check "failed save" 0 $?
grep -qx 'speak Your progress could not be saved.' "$tmp/out" && ! grep -qx save "$tmp/out" ||
    { echo "FAIL: a failed save is not told, or told as done"; fail=1; }
grep -q '^error in saveprogress: ' "$tmp/ro/debuglog.txt" || { echo "FAIL: failed save not logged"; fail=1; }

"$bin" --dump-content >"$tmp/dump"; check "dump" 0 $?
[ "$(grep -c '^card	' "$tmp/dump")" = 62 ] || { echo "FAIL: card lines"; fail=1; }
[ "$(grep -c '^former	' "$tmp/dump")" = 2 ] || { echo "FAIL: former lines"; fail=1; }
awk -F'\t' '$1 == "card" && NF != 13 { bad = 1 } END { exit bad }' "$tmp/dump" ||
    { echo "FAIL: card lines need 13 fields"; fail=1; }

[ $fail = 0 ] && echo "command line: all checks passed"
exit $fail
