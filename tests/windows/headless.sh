#!/usr/bin/env bash
# The Windows program in headless mode writes byte for byte the transcripts,
# progress files and debug logs of the Linux program, over games of random
# keys from homes whose names, files and failures go through the Windows
# file and text handling. Run by run.sh, which starts Wine:
#   headless.sh LINUX_PROGRAM WINDOWS_PROGRAM
. "$(dirname "$0")/../scripts/helpers.bash"
linux=$(realpath "$1")
windows=$(realpath "$2")
names=("Jörg Ødegård" "用户 Ελένη" "Ünïcödé and blanks" "Łukasz")
# The catalogues beside each program are read alike: the first game speaks
# the texts as written, the others a language each.
languages=("" ru zh_CN de)
# Instant action, the campaign begun, Instant action again, Continue.
openings=("Down Down Down Enter" "Down Shift+Enter Down Down Enter Down Enter"
    "Down Down Down Enter" "Down Down Enter Enter")
keys=(Up Down Left Right Enter Enter Enter Escape Shift+Enter Shift+1 Shift+2
    Shift+3 Shift+4 Shift+5 Tab PageUp PageDown Ctrl Z "+0.5 Enter" "+1.3 Down")
# The same random keys on every run: bash's generator from a fixed seed.
for n in "${!names[@]}"; do
    RANDOM=$n
    printf '%s\n' ${openings[n]} >"$work/keys$n"
    for ((i = 0; i < 300; i++)); do echo "${keys[RANDOM % ${#keys[@]}]}"; done >>"$work/keys$n"
done

prepare() { # N: the home game N starts with, in homes/N
    local home=$work/homes/$1
    case $1 in
    0) mkdir -p "$home" && cp -r "$(dirname "$linux")/sounds" "$home/" ;;
    1)  # what the first game saved, read back, and a language file of many scripts
        cp -a "$work/linux/0/home" "$home"
        printf '%s\r\n' "Språk, 言語" "New game" "Neues Spiel" "Welcome*" "Välkommen, \$T" "How to play" "遊び方" \
            "Enemy*" "Gegner — \$T" $'\xC4pfel' "Windows-1252" >"$home/language.txt" ;;
    2) mkdir -p "$home/progress.ini" ;;  # every save fails
    esac  # 3: no home folder at all
}
# Plays game N in run/N, the same folder for both programs (paths are part
# of the transcript), and keeps the transcript with the exit code and the
# home as the program left it in WHO/N.
play() { # WHO N COMMAND...
    local who=$1 n=$2
    shift 2
    local run=$work/run/$n result=$work/$who/$n
    local home=$run/${names[n]}
    mkdir -p "$run" "$result"
    [ -d "$work/homes/$n" ] && cp -a "$work/homes/$n" "$home"
    (cd "$run" && "$@" --headless "$work/keys$n" --home "$home" --seed $((n + 1)) \
        ${languages[n]:+--language ${languages[n]}} >"$result/out" 2>"$result/err")
    echo "exit $?" >>"$result/out"
    if [ -d "$home" ]; then mv "$home" "$result/home"; else mkdir "$result/home"; fi
    rm -rf "$run"
}

for n in "${!names[@]}"; do
    prepare "$n"
    play linux "$n" "$linux"
done
# Two games at a time under Wine: most of each run is Wine starting up.
for n in "${!names[@]}"; do
    play windows "$n" "$WINE" "$windows" &
    (($(jobs -rp | wc -l) >= 2)) && wait -n
done
wait

for n in "${!names[@]}"; do
    l=$work/linux/$n w=$work/windows/$n
    if [ "$(tail -n1 "$l/out")" != "exit 0" ]; then
        fail "game $n: the Linux program failed: $(head -c 300 "$l/err")"
    elif ! cmp -s "$l/out" "$w/out" || ! diff -r "$l/home" "$w/home" >/dev/null; then
        fail "game $n differs: $(diff "$l/out" "$w/out" | head -5; diff -r "$l/home" "$w/home" | head -5; head -3 "$w/err")"
    else
        echo "game $n alike: $(grep -c '^key ' "$l/out") keys, $(wc -l <"$l/out") lines${languages[n]:+ in ${languages[n]}}"
    fi
done
exit $failed
