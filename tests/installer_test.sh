#!/bin/bash
# The Windows installer under Wine: silent install per machine, the installed program runs and ends with
# status 0, the entry in Apps & features; installed again in German, then a silent uninstall that leaves no
# file and no registry key.
#   installer_test.sh SETUP.EXE VERSION
set -u
here=$(dirname "$(readlink -f "$0")")
setup=$(readlink -f "$1") version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
poll() { for ((i = 0; i < 100; i++)); do "$@" && return; sleep 0.1; done; false; } # up to 10 s
wine() { "$here/../scripts/wine.sh" run "$@"; }
# shellcheck disable=SC1091
. "$(dirname "$setup")/wine/env"
export DISPLAY
dir="$WINEPREFIX/drive_c/Program Files/Calculator"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Calculator'
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Calculator.lnk"

wine "$setup" /S || fail "the installer failed"
for file in calculator.exe LICENSE.txt uninstall.exe; do [ -f "$dir/$file" ] || fail "no $file installed"; done
[ -f "$link" ] || fail "no Start menu entry"
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName    REG_SZ    Calculator" "DisplayVersion    REG_SZ    $version" \
    "Publisher    REG_SZ    The Calculator developers" 'DisplayIcon    REG_SZ    C:\Program Files\Calculator\calculator.exe,0' \
    "EstimatedSize    REG_DWORD"; do
    grep -qF "$value" <<<"$entry" || fail "the Apps & features entry lacks $value: $entry"
done
echo "ok   installed: $(ls "$dir" | tr '\n' ' ')and the Start menu entry; Apps & features: $(grep -oE 'EstimatedSize +REG_DWORD +0x[0-9a-f]+' <<<"$entry")"

wine "$dir/calculator.exe" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Calculator$' | head -1)
[ -n "$window" ] || fail "the installed program shows no window"
xdotool windowfocus --sync "$window" key ctrl+x
timeout 20 tail --pid=$app -f /dev/null
wait $app
status=$?
[ $status = 0 ] || fail "the installed program ended with status $status"
echo "ok   the installed program runs and Ctrl+X ends it with status 0"

# Again over it, on a German Windows: the entries take the catalogue's name of the program, the English one
# gone; the uninstaller, in English, removes them.
WINE_LOCALE=de_DE.UTF-8 wine "$setup" /S || fail "the installer failed in German"
name=$(wine reg query "$key" /v DisplayName 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ -n "$name" ] && [ "$name" != Calculator ] && [ -f "${link%/*}/$name.lnk" ] && [ ! -e "$link" ] ||
    fail "not in German: '$name', $(ls "${link%/*}")"
echo "ok   in German: the Start menu entry and Apps & features named $name"

wine "$dir/uninstall.exe" /S || fail "the uninstaller failed"
poll test ! -e "$dir" || fail "files left behind: $(ls "$dir")" # it finishes from a copy of itself
[ ! -e "${link%/*}/$name.lnk" ] || fail "the Start menu entry is left behind"
wine reg query "$key" >/dev/null 2>&1 && fail "the registry key is left behind"
echo "ok   uninstalled: no file, no Start menu entry, no registry key left"
