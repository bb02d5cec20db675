#!/bin/bash
# Writes the translation template from the sources: scripts/pot.sh [OUTPUT] (default po/calculator.pot).
# Texts are marked N_("...") or NC_("context", "...") in the code; a `TRANSLATORS:` comment above one reaches
# the translator. Locations name files only, so that an edit elsewhere in a file changes nothing here.
set -eu
cd "$(dirname "$0")/.."
out=${1:-po/calculator.pot}
common=(--from-code=UTF-8 --add-comments=TRANSLATORS: --add-location=file --package-name=calculator
        --copyright-holder="The Calculator developers" --msgid-bugs-address=calculator@example.org)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
LC_ALL=C ls form/*.h form/*.cpp qt/*.h qt/*.cpp win32/*.h win32/*.cpp 2>/dev/null >"$scratch/sources"
xgettext "${common[@]}" --language=C++ --keyword=N_ --keyword=NC_:1c,2 --files-from="$scratch/sources" \
    -o "$scratch/code.pot"
xgettext "${common[@]}" --language=Desktop -o "$scratch/desktop.pot" packaging/io.github.calculatordevs.Calculator.desktop.in
xgettext "${common[@]}" --its=po/its/metainfo.its -o "$scratch/metainfo.pot" \
    packaging/io.github.calculatordevs.Calculator.metainfo.xml.in
msgcat --use-first --add-location=file "$scratch/code.pot" "$scratch/desktop.pot" "$scratch/metainfo.pot" -o "$out"
