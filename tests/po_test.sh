#!/bin/bash
# The catalogues: po_test.sh PO_DIR. Each language of LINGUAS translates every text of the template, which
# is the sources' own; format marks and access keys survive; the menu bar's two access keys differ.
set -eu
export LC_ALL=C.UTF-8 # a letter is a character
po=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Compared as texts, comments and flags, so that another release's xgettext, laying them out otherwise, agrees.
normal() { msgcat --no-location --no-wrap --sort-output "$1" | sed '1,/^$/d'; }
"$po/../scripts/pot.sh" "$scratch/calculator.pot"
diff -u <(normal "$po/calculator.pot") <(normal "$scratch/calculator.pot") ||
    fail "po/calculator.pot is not the sources' template: run make pot"
for language in $(sed '/^#/d' "$po/LINGUAS"); do
    file=$po/$language.po
    # --check: the header, and each c-format text's conversions, as the English has them.
    stats=$(msgfmt --check --statistics -o /dev/null "$file" 2>&1) || fail "$language: $stats"
    [[ $stats =~ ^[0-9]+\ translated\ messages\.$ ]] || fail "$language: $stats"
    msgcmp "$file" "$po/calculator.pot" || fail "$language lacks texts of the template"
    # Each menu text keeps one access key, on a letter; File and Help differ in theirs.
    bar=
    while IFS=$'\t' read -r english text; do
        rest=${text#*&} key=${rest:0:1}
        [[ $text == *'&'* && $rest != *'&'* && $key =~ ^[[:alnum:]]$ ]] || fail "$language: $english -> $text: not one access key"
        [[ $english != '&File' && $english != '&Help' ]] || { [[ $bar != "${key,,}" ]] || fail "$language: File and Help share $key"; bar=${key,,}; }
    done < <(msgexec -i "$file" sh -c 'case $MSGEXEC_MSGID in *"&"*) printf "%s\t%s\n" "$MSGEXEC_MSGID" "$(cat)"; esac')
done
echo "$(sed '/^#/d' "$po/LINGUAS" | wc -l) catalogues complete"
