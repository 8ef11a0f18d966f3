#!/usr/bin/env bash
# Soak run: random key scripts, with random progress and language files and
# random opponents, through the headless program built with AddressSanitizer
# and UndefinedBehaviorSanitizer. Any crash, hang (30 s without ending) or
# sanitizer report fails it; the folders of failed runs are kept.
# Usage: bench/soak.sh [RUNS] [PATH-TO-VELLOXA]
#   RUNS defaults to 10000, the program to build/asan/velloxa (`make asan`).
#   SOAK_JOBS runs in parallel (default 2); SOAK_SEED varies the whole set;
#   SOAK_FIRST numbers the first run (default 1), to repeat a failed one.
set -uo pipefail

runs=${1:-10000}
velloxa=$(realpath "${2:-build/asan/velloxa}")
jobs=${SOAK_JOBS:-2}
base=${SOAK_SEED:-0}
first=${SOAK_FIRST:-1}
# Memory-backed when there is one: the saves' syncs would set the pace.
scratch=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
work=$(mktemp -d "$scratch/velloxa-soak-XXXXXX")
export velloxa work base
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

"$velloxa" --dump-content | awk -F'\t' '$1 == "card" {print $3}' >"$work/names"
[ -s "$work/names" ] || { echo "soak: $velloxa gives no content" >&2; exit 1; }
ln -s "$(dirname "$velloxa")/sounds" "$work/sounds"

one() {
    local n=$1 home=$work/run$1 i
    RANDOM=$((base * 100003 + n))
    mkdir -p "$home"
    ln -s "$work/sounds" "$home/sounds"
    mapfile -t names <"$work/names"
    pick() { echo "${names[RANDOM % ${#names[@]}]}"; }
    number() { # mostly sensible, sometimes hostile
        case $((RANDOM % 8)) in
            0) echo "$((RANDOM - 16384))e$((RANDOM % 40))" ;;
            1) echo " ${RANDOM}.5 " ;;
            2) echo "x$RANDOM" ;;
            3) echo "" ;;
            *) echo "$((RANDOM % 7))" ;;
        esac
    }
    if ((RANDOM % 5)); then
        {
            number; number; number
            case $((RANDOM % 3)) in 0) echo "/sounds/" ;; 1) echo "" ;; *) echo "/nowhere/" ;; esac
            number
            echo "$((RANDOM % 12 - 1))" # the opponent
            local count=$((RANDOM % 40))
            ((RANDOM % 6)) || count=$((RANDOM * 1000))
            echo "$count"
            for ((i = 0; i < count % 60 + 5; i++)); do
                case $((RANDOM % 10)) in 0) echo "No Such Tile" ;; 1) echo "" ;; *) pick ;; esac
            done
        } | awk -v crlf=$((RANDOM % 2)) '{printf "%s%s", $0, crlf ? "\r\n" : "\n"}' >"$home/progress.ini"
        ((RANDOM % 10)) || head -c $((RANDOM % 300)) /dev/urandom >>"$home/progress.ini"
    fi
    if ((RANDOM % 3 == 0)); then
        local patterns=('*' '?' '[a-z]' '[!0-9]' '#' '[' '**' '*e*' 'Spot*' '[z-a]' '*?*?*?*')
        for ((i = 0; i < RANDOM % 12; i++)); do
            echo "${patterns[RANDOM % ${#patterns[@]}]}$(p=$(pick); echo "${p:0:RANDOM % 6}")${patterns[RANDOM % ${#patterns[@]}]}"
            ((RANDOM % 4)) && echo "$(pick) ${patterns[RANDOM % ${#patterns[@]}]}"
        done >"$home/language.txt"
    fi
    local keys=(Enter Enter Escape Tab PageUp PageDown Up Down Left Right Up Down Left Right
                Shift+1 Shift+2 Shift+3 Shift+4 Shift+5 1 2 3 4 5 Ctrl Shift+Escape Shift+Enter
                A S Z D Q W 0 9 vk112 Alt+Tab)
    for ((i = 0; i < 20 + RANDOM % 300; i++)); do
        case $((RANDOM % 6)) in
            0) echo "+$((RANDOM % 3)).$((RANDOM % 10)) ${keys[RANDOM % ${#keys[@]}]}" ;;
            *) echo "${keys[RANDOM % ${#keys[@]}]}" ;;
        esac
    done >"$home/script"
    local flags=()
    ((RANDOM % 4)) || flags+=(--no-voice)
    ((RANDOM % 3)) || flags+=(--screen-reader)
    timeout 30 "$velloxa" --home "$home" --seed "$n" --headless "$home/script" "${flags[@]}" \
        >/dev/null 2>"$home/stderr"
    local rc=$?
    if [ "$rc" -ne 0 ] || [ -s "$home/stderr" ]; then
        echo "FAIL run $n: exit code $rc ($([ "$rc" = 124 ] && echo hang || head -c 200 "$home/stderr"))"
        return 1
    fi
    rm -rf "$home"
}
export -f one

start=$(date +%s)
failed=$(seq "$first" $((first + runs - 1)) | xargs -P "$jobs" -I{} bash -c 'one {}' | tee /dev/stderr | grep -c '^FAIL')
seconds=$(($(date +%s) - start))
echo "soak: $runs runs in ${seconds} s, $failed failed"
if [ "$failed" -eq 0 ]; then rm -rf "$work"; else echo "soak: failed runs kept in $work"; fi
[ "$failed" -eq 0 ]
