#!/usr/bin/env bash
# Renews the translators' template, po/velloxa.pot: the texts the code
# composes (marked with tr and tr_plural) as xgettext finds them, and the
# content the game tells (tiles and story) as the program's own content dump
# lists it, so a table row needs no marking.
#   tools/make_pot.sh PROGRAM SOURCE_DIR [OUTPUT]
set -euo pipefail
program=$1 source_dir=$2 output=${3:-$2/po/velloxa.pot}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$source_dir"
git ls-files 'src/*.cpp' 'src/*.h' 2>/dev/null >"$work/files" ||
    find src -name '*.cpp' -o -name '*.h' | sort >"$work/files"
xgettext --from-code=UTF-8 --language=C++ -k -ktr:1 -ktranslatable:1 \
    --add-comments=TRANSLATORS: --sort-by-file --force-po --package-name=velloxa \
    --msgid-bugs-address=translations@velloxa.invalid -f "$work/files" -o "$work/code.pot"

# A tile's capture texts name the captured tile "$T" in the content; the
# template names it as the code does.
"$program" --dump-content | awk -F '\t' '
    function entry(comment, text) {
        if (text == "" || seen[text]++) return
        gsub(/\\/, "\\\\", text); gsub(/"/, "\\\"", text); gsub(/\$T/, "{tile}", text)
        printf "#. %s\nmsgid \"%s\"\nmsgstr \"\"\n\n", comment, text
    }
    BEGIN {
        print "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    }
    $1 == "card" {
        entry("Tile " $2 ": name, shown on the board and said in every line about it", $3)
        entry("Tile " $2 " (" $3 "): description", $4)
        entry("Tile " $2 " (" $3 "): the place it comes from", $5)
        entry("Tile " $2 " (" $3 "): the player'"'"'s tile captures the enemy tile {tile}", $7)
        entry("Tile " $2 " (" $3 "): the enemy'"'"'s tile captures the player'"'"'s tile {tile}", $8)
    }
    $1 == "story" { entry("Story, opponent " $2 ": " $3, $4) }
' >"$work/content.pot"
msgcat --use-first --to-code=UTF-8 "$work/code.pot" "$work/content.pot" -o "$output"
echo "$(grep -c '^msgid ' "$output") texts in $output"
