#!/usr/bin/env bash
# Plays the same generated games with two builds and compares everything they
# leave behind: the transcript, progress.ini, progress.ini.bak and
# debuglog.txt, byte for byte. Use it around a change that must not change
# behaviour (a restructuring, a rename):
#
#   tools/compare_corpus.sh OLD_PROGRAM NEW_PROGRAM [COUNT] [FIRST_SEED]
#
# A program may be a command with arguments, e.g. "wine build/windows/velloxa-cli.exe".
# A Windows program (a command with a word ending in .exe; a bare .exe gets
# $WINE, else wine or wine64, in front) runs under Wine. All Wine runs share
# one prefix, made and its server started before the first game, so no game
# pays Wine's start-up or carries its messages: $WINEPREFIX, by default
# ~/.cache/velloxa-corpus-wine, kept for the next comparison; WINEDEBUG=-all
# unless set. Wine reads --home's Unix path on the current folder's drive:
# start the script outside the prefix's drive_c, so that drive is Z:.
# The games mix every speech route and headless option, damaged and edited
# progress files, language files (the shipped one and a hostile one), saves
# that fail, and keys at random times. Exit code 0 when every game agrees, 2
# when no game printed a transcript (the programs did not start).
set -uo pipefail

old=$1 new=$2 count=${3:-500} first=${4:-1}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

keys=(Up Down Left Right Enter Enter Enter Escape Shift+Escape Shift+Enter Shift+1 Shift+2
    Shift+3 Shift+4 Shift+5 1 2 3 4 5 Tab PageUp PageDown Ctrl W A S D I J K L Z Alt)
# How the player got here: menus into Instant action, the campaign, or a deck.
openings=("Down Down Enter" "Down Enter" "Down Shift+Enter Down Down Enter Down Enter"
    "Down Down Down Enter Down Enter" "Down Enter Enter Down Enter")
names=$("${source_dir}/build/release/velloxa" --dump-content 2>/dev/null | awk -F'\t' '$1 == "card" { print $3 }' | head -40)
[ -n "$names" ] || names=$'Nobody\nNothing'
mapfile -t tiles <<<"$names"

wine=${WINE:-$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)}
uses_wine=
for side in old new; do
    [[ ${!side} == *.exe ]] && [[ ${!side} != *' '* ]] && printf -v "$side" '%s %s' "$wine" "${!side}"
    [[ "${!side} " == *'.exe '* ]] && uses_wine=1
done
if [ -n "$uses_wine" ]; then
    export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/velloxa-corpus-wine}
    export WINEDEBUG=${WINEDEBUG:--all}
    mkdir -p "$WINEPREFIX"
    # A server that outlives each game by a minute serves every run; one
    # already running for the prefix serves as well.
    "$(command -v wineserver || echo "${wine%/*}/wineserver")" -p60 >/dev/null 2>&1
    "$wine" wineboot -i >/dev/null 2>&1 || { echo "Wine does not start in $WINEPREFIX" >&2; exit 2; }
fi

# One game's home folder: sounds, and depending on the game a progress file
# (whole, damaged or a folder that cannot be replaced) and a language file.
make_home() { # DIR KIND
    local dir=$1 kind=$2
    mkdir -p "$dir/sounds/menu"
    for f in arrows enter; do : >"$dir/sounds/menu/$f.wav"; done
    local deck="${tiles[RANDOM % ${#tiles[@]}]}"
    case $((kind % 8)) in
    1) printf '%s\r\n' $((RANDOM % 4)) 3 2 sounds 3 $((RANDOM % 11)) 5 "${tiles[@]:0:5}" "${tiles[@]:0:5}" >"$dir/progress.ini" ;;
    2) printf '%s\r\n' 1 2 4.5 sounds 2 3 7 "${tiles[@]:0:6}" "No such tile" "$deck" "" "" "" "" >"$dir/progress.ini" ;;
    3) printf '%s\r\n' x 9 "" sounds 0 4 20x "${tiles[@]:0:20}" >"$dir/progress.ini" ;;
    4) mkdir -p "$dir/progress.ini" ;;
    5) cp "$source_dir/packaging/language.txt" "$dir/language.txt" 2>/dev/null ;;
    6) printf 'hostile\n*\n[*]*[!a-z]*\n[\n]\n#*?*\n$T$T$T$T\n' >"$dir/language.txt" ;;
    7) printf '%s\r\n' 2 5 9 sounds 5 10 2 "${tiles[@]:0:12}" >"$dir/progress.ini" ;;
    esac
}

differ=0 played=0
for ((game = first; game < first + count; game++)); do
    RANDOM=$game
    script="$work/keys"
    : >"$script"
    read -r -a opening <<<"${openings[RANDOM % ${#openings[@]}]}"
    printf '%s\n' "${opening[@]}" >>"$script"
    for ((k = 0; k < 40 + RANDOM % 80; k++)); do
        key=${keys[RANDOM % ${#keys[@]}]}
        case $((RANDOM % 4)) in
        0) printf '+%d.%d %s\n' $((RANDOM % 3)) $((RANDOM % 10)) "$key" ;;
        *) printf '%s\n' "$key" ;;
        esac >>"$script"
    done
    options=()
    ((RANDOM % 3 == 0)) && options+=(--no-voice)
    ((RANDOM % 3 == 0)) && options+=(--screen-reader)
    ((RANDOM % 4 == 0)) && options+=(--no-title-reader)
    ((RANDOM % 40 == 0)) && options+=(--no-sound-device)
    rm -rf "$work/start" && make_home "$work/start" "$RANDOM"
    # Both play in the same folder, since paths are part of the transcript.
    for side in old new; do
        home="$work/home"
        rm -rf "$home" "${work:?}/$side" && cp -a "$work/start" "$home"
        # shellcheck disable=SC2086
        ${!side} --headless "$script" --home "$home" --seed "$game" "${options[@]}" \
            >"$work/$side.out" 2>"$work/$side.err"
        echo "exit $?" >>"$work/$side.out"
        mv "$home" "$work/$side"
    done
    # Two programs that cannot start (no wine, a wrong path) agree on every
    # game: a run in which no game printed a transcript compared nothing.
    [ "$(cat "$work/old.out" "$work/new.out" | wc -l)" -gt 2 ] && played=$((played + 1))
    for file in out err home/progress.ini home/progress.ini.bak home/debuglog.txt; do
        a="$work/old.$file" b="$work/new.$file"
        [[ $file == home/* ]] && a="$work/old/${file#home/}" b="$work/new/${file#home/}"
        [ -d "$a" ] && [ -d "$b" ] && continue
        [ ! -e "$a" ] && [ ! -e "$b" ] && continue
        if ! cmp -s "$a" "$b"; then
            echo "game $game (${options[*]:-no options}): ${file#home/} differs"
            differ=$((differ + 1))
            cp "$script" "${TMPDIR:-/tmp}/velloxa-differ-$game.keys" && echo "  keys kept in ${TMPDIR:-/tmp}/velloxa-differ-$game.keys"
            break
        fi
    done
done
echo "$count games from seed $first: $differ differ"
if [ "$played" = 0 ]; then
    echo "no game printed a transcript: $(head -c 300 "$work/old.err")" >&2
    exit 2
fi
[ "$differ" = 0 ]
