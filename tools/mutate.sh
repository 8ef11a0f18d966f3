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

# name#file#sed script (one edit)#test program
breaks=(
    "drop-equal-attack-wins#src/engine/droptile.cpp#s/if (mine > theirs) {/if (mine >= theirs) {/#test_engine"
    "drop-chain-from-chain#src/engine/droptile.cpp#s/if (kind == Drop::Placed)/if (kind == Drop::Placed || kind == Drop::Chained)/#test_engine"
    "drop-stale-tile#src/engine/droptile.cpp#s/tiles.attack(match.board\[x\]\[y\], kDirections\[d\])/tiles.attack(tile, kDirections[d])/#test_engine"
    "plus-one-member#src/engine/droptile.cpp#s/members >= 2/members >= 1/#test_engine"
    "plus-takes-own#src/engine/droptile.cpp#/board_owner\[x + kDx\[d\]\]\[y + kDy\[d\]\] == side) continue;/d#test_engine"
    "ai-tie-takes-later#src/engine/ai.cpp#s/if (v > best) {/if (v >= best) {/#test_engine"
    "ai-pick-range#src/engine/ai.cpp#s/random.below(6 - level) + 1/random.below(5 - level) + 1/#test_engine"
    "ai-wall-term#src/engine/ai.cpp#s/if (x == 1 \&\& l < r) s = s + 0.01/if (x == 1 \&\& l < r) s = s + 0.02/#test_engine"
    "waits-end-early#src/engine/waits.cpp#s/if (keys_ == before \&\& /if ((keys_ == before || true) \&\& /#test_flow"
    "deal-starter-rarity#src/cards/decks.cpp#s/listrarity(cards, collection.draw_pool, 2);/listrarity(cards, collection.draw_pool, 3);/#test_cards"
    "deal-roll-table#src/cards/decks.cpp#s/if (roll <= 24)/if (roll < 24)/#test_cards"
    "deal-draw-twice#src/cards/decks.cpp#/list.erase(list.begin() + pos);/d#test_cards"
    "reward-weight#src/cards/reward.cpp#s/return 27;/return 9;/#test_cards"
    "reward-insert#src/cards/reward.cpp#s/)\] > rarity)/)] >= rarity)/#test_cards"
    "progress-read-level#src/cards/progress.cpp#s/\*v >= 1 \&\& \*v <= 5/*v >= 0 \&\& *v <= 5/#test_cards"
    "progress-read-unknown-name#src/cards/progress.cpp#0,/collection.unlocked_count = 5;/s//collection.unlocked_count = i - 1;/#test_cards"
    "progress-write-folder#src/cards/progress.cpp#s/line(settings.sound_folder);/line(settings.sound_folder + \" \");/#test_cards"
    "progress-no-backup#src/flow/files.cpp#/if (read.partial) collection_.unreadable/d#test_flow"
    "speech-title-not-repeated#src/io/speech.cpp#s/if (same) {/if (same \&\& text.empty()) {/#test_io"
    "speech-chord-unguarded#src/io/speech.cpp#s/speech.sending_chord = true;/speech.sending_chord = false;/#test_io"
    "speech-untranslated#src/io/speech.cpp#s/if (language.entry_count != 0)/if (language.entry_count < 0)/#test_io"
    "sound-slot-rotation#src/io/sound.cpp#s/if (sound.next_slot < 2) sound.next_slot = 2;/if (sound.next_slot < 1) sound.next_slot = 1;/#test_io"
    "sound-no-fallback#src/io/sound.cpp#/if (!g.platform.files.exists(path)) path = original;/d#test_io"
    "sound-rows-swapped#src/io/sound.cpp#s/kVolumes\[\] = {0, -2000, -1000, 0}/kVolumes[] = {0, -1000, -2000, 0}/#test_io"
    "language-no-length-limit#src/io/language.cpp#s/kMaxTextLength = 4000;/kMaxTextLength = 8000;/#test_io"
    "language-empty-lines-read#src/io/language.cpp#s/while (nextnonempty(lines, match)/while (lines.next(match)/#test_io"
    "language-order#src/io/language.cpp#s/if (node.shortest > length) return/if (node.shortest >= length) return/#test_io"
    "language-more-entries#src/io/language.h#s/kMaxEntries = 6000;/kMaxEntries = 7000;/#test_io"
    "keys-chord-guard#src/flow/keys.cpp#/if (out.speech.sending_chord) return;/d#test_flow"
    "startup-silent-route#src/flow/startup.cpp#s/(speech.speech_route == kReaderRoute \&\& !speech.reader_available) ||/(false) ||/#test_flow"
    "keys-during-drop#src/flow/battle.h#s/return match_.turn == kEnemy || match_.dropping;/return match_.turn == kEnemy;/#test_flow"
    "keys-escape-in-last-drop#src/flow/keys.cpp#s/match.turn == kNobody \&\&$/true \&\&/#test_flow"
    "keys-leave-keeps-drop#src/flow/battle.h#s/void abandonmove() { match_.dropping = false; }/void abandonmove() {}/#test_flow"
    "keys-leave-stays-in-move#src/flow/keys.cpp#s/if (leavingmove) throw/if (leavingmove \&\& keys.depth < 0) throw/#test_flow"
    "menu-continue-skip#src/flow/menus.cpp#s/collection.unlocked_count == 5 ||/collection.unlocked_count == 6 ||/#test_flow"
    "battle-no-point-gained#src/flow/battle.cpp#/if (side == kUser) text += \"  Point gained.\";/d#test_flow"
    "battle-coin-flip-wait#src/flow/battle.cpp#s/hold(battlemode_ == 0 ? 5 : 4);/hold(5);/#test_flow"
    "campaign-back-past-ten#src/flow/campaign.cpp#s/if (collection_.opponent > 11) collection_.opponent = 11;/if (collection_.opponent > 12) collection_.opponent = 12;/#test_flow"
    "campaign-no-reward#src/flow/campaign.cpp#/            campaign.steal_tile();/d#test_flow"
    "headless-every-save#src/platform/headless/headless.cpp#s/if (path.ends_with(\"\/progress.ini\")) line(\"save\");/line(\"save\");/#test_flow"
    "posix-rename-failure-ignored#src/platform/posix_files.cpp#s/if (failure == 0 \&\& ::rename(save.temporary.c_str(), save.target.c_str()) != 0) failure = errno;/if (failure == 0) ::rename(save.temporary.c_str(), save.target.c_str());/#test_platform"
    "folder-lock-shared#src/platform/data_folder_lock.cpp#s/LOCK_EX | LOCK_NB/LOCK_SH | LOCK_NB/#test_platform"
    "speechd-cancel-keeps-queue#src/platform/speech/speechd_reader.cpp#/    channel_->texts.clear();/d#test_platform"
    "terminal-shifted-digits-off-by-one#src/platform/terminal/keys.cpp#s/at == 9 ? '0' : static_cast<int>('1' + at)/at == 9 ? '0' : static_cast<int>('0' + at)/#test_platform"
)

words=("$@")
selected() {
    [ ${#words[@]} -eq 0 ] && return 0
    local word
    for word in "${words[@]}"; do [[ $1 == *"$word"* ]] && return 0; done
    return 1
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
programs=$(printf '%s\n' "${breaks[@]}" | cut -d'#' -f4 | sort -u)
# shellcheck disable=SC2086
cmake --build "$build" -j"$jobs" --target $programs >"$copy/build.log" 2>&1 ||
    { echo "the unbroken copy does not build: $copy/build.log"; exit 2; }
export VELLOXA_BINARY=$build/velloxa VELLOXA_SOURCE=$copy
for p in $programs; do
    "$build/tests/$p" --gtest_brief=1 >"$copy/$p.log" 2>&1 ||
        { echo "the unbroken copy fails $p: $copy/$p.log"; exit 2; }
done

caught=0 total=0
printf '%-30s %-12s %s\n' break test result
for entry in "${breaks[@]}"; do
    IFS='#' read -r name file script program <<<"$entry"
    selected "$name" || continue
    total=$((total + 1))
    sed -i -e "$script" "$file"
    if git diff --quiet -- "$file"; then
        result="NOT APPLIED (the edit matched nothing)"
    elif ! cmake --build "$build" -j"$jobs" --target "$program" >"$copy/break.log" 2>&1; then
        result="DOES NOT BUILD"
    elif timeout "$limit" "$build/tests/$program" --gtest_brief=1 >"$copy/break.log" 2>&1; then
        result="SURVIVED"
    else
        failed=$(grep -c '^\[  FAILED  \] [A-Za-z]' "$copy/break.log")
        result="caught ($failed failing)"
        caught=$((caught + 1))
    fi
    printf '%-30s %-12s %s\n' "$name" "$program" "$result"
    git checkout -q -- "$file"
done
# Back to the unbroken build, so the next run starts from it.
cmake --build "$build" -j"$jobs" --target $programs >/dev/null 2>&1
echo "$caught of $total breaks caught"
[ "$caught" -eq "$total" ]
