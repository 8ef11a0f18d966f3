#!/usr/bin/env bash
# Shows that the tests catch real faults: applies deliberate breaks one at a
# time to a copy of the tree, builds the test program that should notice,
# runs it and prints whether it failed. Run by hand; the real tree is only
# read. The copy and its build stay in $VELLOXA_MUTATE_DIR (default
# /tmp/velloxa-mutate-$USER), so later runs build only what changed.
#
#   tools/mutate.sh            every break
#   tools/mutate.sh plus ai    only the breaks whose names contain a word given
set -u

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel) || exit 2
copy=${VELLOXA_MUTATE_DIR:-/tmp/velloxa-mutate-${USER:-$(id -u)}}
build=$copy/build
jobs=${JOBS:-2}
limit=${MUTATE_TIMEOUT:-300}  # seconds; a break that hangs a test counts as caught

# name#test program#sed script. Each break edits the one line of src/ that
# carries the marker "// mutate: NAME" (or, where the marker stands alone on
# its line, the line below it), so the script only has to say what changes
# within that line. A marker that is missing, or an edit that no longer
# matches its line, is reported and fails the run. A test program named
# script_NAME is the check tests/scripts/NAME.sh (as ctest names it), run on
# the program built from the copy.
breaks=(
    "drop-equal-attack-wins#test_engine#s/>/>=/"
    "drop-chain-from-chain#test_engine#s/kind == Drop::Placed/kind == Drop::Placed || kind == Drop::Chained/"
    "drop-stale-tile#test_engine#s/match.tile_at(spot)/tile/"
    "plus-one-member#test_engine#s/>= 2/>= 1/"
    "plus-takes-own#test_engine#d"
    "ai-tie-takes-later#test_engine#s/>/>=/"
    "ai-pick-range#test_engine#s/6 - level/5 - level/"
    "ai-wall-term#test_engine#s/0\\.01/0.02/"
    "waits-end-early#test_flow#s/keys_ == before/(keys_ == before || true)/"
    "deal-starter-rarity#test_cards#s/, 2)/, 3)/"
    "deal-roll-table#test_cards#s/<=/</"
    "deal-draw-twice#test_cards#d"
    "reward-weight#test_cards#s/27/9/"
    "reward-insert#test_cards#s/> rarity/>= rarity/"
    "progress-read-level#test_cards#s/>= 1/>= 0/"
    "progress-read-unknown-name#test_cards#s/= 5;/= 4;/"
    "progress-write-folder#test_cards#s/sound_folder)/sound_folder + \" \")/"
    "progress-no-backup#test_flow#d"
    "speech-title-not-repeated#test_io#s/(same)/(same \\&\\& text.empty())/"
    "speech-chord-unguarded#test_io#s/true/false/"
    "speech-untranslated#test_io#s/!= 0/< 0/"
    "sound-slot-rotation#test_io#s/2/1/g"
    "sound-no-fallback#test_io#d"
    "sound-rows-swapped#test_io#s/-2000, -1000/-1000, -2000/"
    "language-no-length-limit#test_io#s/4000/8000/"
    "language-empty-lines-read#test_io#s/next_non_empty(lines, match)/lines.next(match)/"
    "language-order#test_io#s/>/>=/"
    "language-more-entries#test_io#s/6000/7000/"
    "keys-chord-guard#test_flow#d"
    "startup-silent-route#test_flow#s/!speech.reader_available/false/"
    "keys-during-drop#test_flow#s/ || match_.dropping//"
    "keys-escape-in-last-drop#test_flow#s/match.turn == Side::Nobody/true/"
    "keys-leave-keeps-drop#test_flow#s/match_.dropping = false;//"
    "keys-leave-stays-in-move#test_flow#s/(leaving_move)/(leaving_move \\&\\& keys.depth < 0)/"
    "menu-continue-skip#test_flow#s/== 5/== 6/"
    "battle-no-point-gained#test_flow#s/side == Side::Player/false/"
    "battle-coin-flip-wait#test_flow#s/battle_mode_ == BattleMode::Campaign ? 5 : 4/5/"
    "campaign-back-past-ten#test_flow#s/11/12/g"
    "campaign-no-reward#test_flow#d"
    "challenge-empty-slot#test_flow#s/empty != 0/false/"
    "headless-every-save#test_flow#s/if (path.ends_with(\"\\/progress.ini\")) //"
    "posix-rename-failure-ignored#test_platform#s/if (failure == 0 \\&\\& ::rename(\\(.*\\)) != 0) failure = errno;/if (failure == 0) ::rename(\\1);/"
    "folder-lock-shared#test_platform#s/LOCK_EX/LOCK_SH/"
    "speechd-cancel-keeps-queue#test_platform#d"
    "terminal-shifted-digits-off-by-one#test_platform#s/'1' + at/'0' + at/"
    "terminal-ctrl-x-lost#test_platform#s/'X'/'Y'/"
    "terminal-f9-not-slot-five#test_platform#s/n <= 9/n <= 8/"
    "terminal-f3-plain-escape#test_platform#s/key::ShiftDown/0/"
    "backup-written-in-background#test_platform#s/is_backup(path)/false/"
    "save-renamed-unsynced#script_last_saves#s/::fsync(fd) == 0/true/"
    "save-lost-on-sigterm#script_last_saves#s/SIGTERM, //"
    "save-lost-on-signal#script_last_saves#d"
    "speechd-reply-unbounded#test_platform#d"
    "speechd-loss-kept-open#test_platform#d"
    "voice-no-speechd-fallback#test_platform#s/speechd_.connect()/false/"
    "braille-pan-back-to-first-window#test_platform#d"
    "braille-new-text-not-shown#test_platform#d"
    "braille-new-text-mid-window#test_platform#d"
    "reader-not-cancelled-on-key#test_io#d"
)

words=("$@")
selected() {
    [ ${#words[@]} -eq 0 ] && return 0
    local word
    for word in "${words[@]}"; do [[ $1 == *"$word"* ]] && return 0; done
    return 1
}
# What builds a test program, and how it runs.
target_of() { [[ $1 == script_* ]] && echo all || echo "$1"; }
run_test() { # PROGRAM
    if [[ $1 == script_* ]]; then
        bash "$copy/tests/scripts/${1#script_}.sh" "$build/velloxa" "$copy"
    else
        "$build/tests/$1" --gtest_brief=1
    fi
}

# A copy of the tree as it is now, committed so that each edit can be undone.
# Only files whose content differs are copied: the others keep their times
# and are not built again.
mkdir -p "$copy"
files=$(cd "$repo" && git ls-files --cached --others --exclude-standard | sort -u)
[ -n "$files" ] || { echo "no files to copy from $repo"; exit 2; }
cd "$copy" || exit 2
printf '%s\n' "$files" >.files
if [ ! -d .git ]; then
    git init -q && git config user.email mutate@localhost && git config user.name mutate
fi
git checkout -q -- . 2>/dev/null  # a run stopped in the middle leaves a break behind
while IFS= read -r f; do
    [ -f "$repo/$f" ] || continue
    cmp -s "$repo/$f" "$f" && continue
    mkdir -p "$(dirname "$f")" && cp "$repo/$f" "$f"
done <.files
git ls-files | sort | comm -23 - .files | xargs -r -d '\n' rm -f
git add -A . ':!.files' ':!*.log' && git commit -qm copy --allow-empty

echo "building the copy in $build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLOXA_WERROR=ON \
    -DVELLOXA_BENCH=OFF >"$copy/cmake.log" 2>&1 || { echo "cmake failed: $copy/cmake.log"; exit 2; }
# Only the test programs of the breaks chosen are built and run unbroken.
programs=$(for entry in "${breaks[@]}"; do
    selected "${entry%%#*}" && cut -d'#' -f2 <<<"$entry"
done | sort -u)
targets=$(for p in $programs; do target_of "$p"; done | sort -u)
# shellcheck disable=SC2086
cmake --build "$build" -j"$jobs" --target $targets >"$copy/build.log" 2>&1 ||
    { echo "the unbroken copy does not build: $copy/build.log"; exit 2; }
export VELLOXA_BINARY=$build/velloxa VELLOXA_SOURCE=$copy
for p in $programs; do
    run_test "$p" >"$copy/$p.log" 2>&1 ||
        { echo "the unbroken copy fails $p: $copy/$p.log"; exit 2; }
done

caught=0 total=0
printf '%-34s %-18s %s\n' break test result
for entry in "${breaks[@]}"; do
    IFS='#' read -r name program script <<<"$entry"
    selected "$name" || continue
    total=$((total + 1))
    mapfile -t marked < <(git grep -n -e "// mutate: $name\$" -- src)
    file=${marked[0]%%:*}
    line=${marked[0]#*:} && line=${line%%:*}
    # A marker alone on its line marks the line below it.
    [[ ${marked[0]#*:*:} =~ ^[[:space:]]*// ]] && line=$((line + 1))
    if [ ${#marked[@]} -ne 1 ]; then
        result="NO MARKER (${#marked[@]} lines carry it)"
    elif ! sed -i -e "${line}{${script}}" "$file" || git diff --quiet -- "$file"; then
        result="NOT APPLIED (the edit matched nothing on $file:$line)"
    elif ! cmake --build "$build" -j"$jobs" --target "$(target_of "$program")" >"$copy/break.log" 2>&1; then
        result="DOES NOT BUILD"
    elif (export -f run_test; timeout "$limit" bash -c "$(declare -p copy build); run_test $program") \
        >"$copy/break.log" 2>&1; then
        result="SURVIVED"
    else
        failed=$(grep -c '^\[  FAILED  \] [A-Za-z]' "$copy/break.log")
        [[ $program == script_* ]] && failed=$(grep -c '^FAIL' "$copy/break.log")
        result="caught ($failed failing)"
        caught=$((caught + 1))
    fi
    printf '%-34s %-18s %s\n' "$name" "$program" "$result"
    git checkout -q -- src
done
# Back to the unbroken build, so the next run starts from it.
# shellcheck disable=SC2086
cmake --build "$build" -j"$jobs" --target $targets >/dev/null 2>&1
echo "$caught of $total breaks caught"
[ "$caught" -eq "$total" ]
