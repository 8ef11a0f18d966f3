#!/usr/bin/env bash
# How long espeak-ng takes to say each translated text against its English,
# at the game's starting speed: the capture lines (those naming {tile}) and
# the coin-flip lead-ins, which must fit the pause that follows them (the
# template's comments name both kinds).
#   tools/measure_pace.sh po/LANG.po [VOICE]
# Prints seconds in English and translated, their ratio, and "LONG" where
# the translation takes more than 1.3 times the English.
set -euo pipefail
po=$1
lang=$(basename "$po" .po)
voice=${2:-$(case $lang in pt_BR) echo pt-br ;; zh_CN) echo cmn-latn-pinyin ;; *) echo "${lang%%_*}" ;; esac)}
export VOICE=$voice WPM=${WPM:-218}
# espeak-ng writes 16-bit mono at 22050 Hz behind a 44-byte header.
seconds() { espeak-ng -v "$1" -s "$WPM" --stdout "$2" | wc -c | awk '{ printf "%.2f", ($1 - 44) / 44100 }'; }
export -f seconds
msggrep -X -e coinflip -e captures "$po" | msgexec bash -c '
    id=$MSGEXEC_MSGID text=$(cat)
    [ -n "$id" ] && [ -n "$text" ] || exit 0
    # The tile names are left out: the sentence around them is what is measured.
    en=$(seconds en "${id//\{tile\}/}")
    tr=$(seconds "$VOICE" "${text//\{tile\}/}")
    awk -v e="$en" -v t="$tr" -v id="$id" '"'"'BEGIN {
        r = t / e; printf "%5.2f %5.2f %4.2f%s  %s\n", e, t, r, (r > 1.3 ? " LONG" : ""), substr(id, 1, 60) }'"'"'
'
