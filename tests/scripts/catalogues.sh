#!/usr/bin/env bash
# Every shipped catalogue is whole against a template made afresh from the
# sources: no text missing, none fuzzy or untranslated, and no placeholder
# the English does not have (the game would say it as "{name}"). The
# committed template is the fresh one, so translators start from the truth.
#   catalogues.sh PROGRAM SOURCE-DIR
. "$(dirname "$0")/helpers.bash"
program=$1 source=$2
bash "$source/tools/make_pot.sh" "$program" "$source" "$work/fresh.pot" >/dev/null ||
    die "the template cannot be made"
msgcmp --use-untranslated "$source/po/velloxa.pot" "$work/fresh.pot" 2>"$work/cmp" &&
    msgcmp --use-untranslated "$work/fresh.pot" "$source/po/velloxa.pot" 2>>"$work/cmp" ||
    fail "po/velloxa.pot is not the template the sources make (make pot): $(head -c 600 "$work/cmp")"

# The placeholders of a translation that its English lacks, one per line.
cat >"$work/placeholders" <<'EOT'
english=$MSGEXEC_MSGID
[ -n "${MSGEXEC_MSGID_PLURAL:-}" ] && english+=" $MSGEXEC_MSGID_PLURAL"
grep -o '{[a-z_]*}' | sort -u | while read -r p; do
    [[ $english == *"$p"* ]] || echo "$p in the translation of: ${MSGEXEC_MSGID:0:70}"
done
EOT
shopt -s nullglob
for po in "$source"/po/*.po; do
    name=$(basename "$po")
    stats=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1) || fail "$name: $stats"
    [[ $stats == *untranslated* || $stats == *fuzzy* ]] && fail "$name: $stats"
    msgcmp "$po" "$work/fresh.pot" 2>"$work/missing" ||
        fail "$name misses texts of the template: $(head -c 600 "$work/missing")"
    extra=$(msgexec -i "$po" bash "$work/placeholders")
    [ -z "$extra" ] || fail "$name: placeholders the English does not have: $extra"
done
[ $failed -eq 0 ] && echo "catalogues whole"
exit $failed
