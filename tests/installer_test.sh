#!/bin/bash
# The Windows installer under Wine: silent install per machine, the installed program runs and ends with
# status 0, the entry in Apps & features; then with the program running: a reinstall over it, one into another
# folder (the first copy goes), one that cannot replace a file (status 2, nothing changed); again in German,
# and a silent uninstall that leaves no file and no registry key. The entry is there exactly while the files are.
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
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\io.github.calculatordevs.Calculator'
other="$WINEPREFIX/drive_c/Other"
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

running() { # FOLDER: the installed program started from there, its window shown
    "$here/../scripts/wine.sh" run "$1/calculator.exe" & # its own process, for kill
    app=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Calculator$' | head -1)
    [ -n "$window" ] || fail "the installed program shows no window"
}
ended() { timeout 20 tail --pid=$app -f /dev/null && wait $app; }
location() { wine reg query "$key" /v InstallLocation 2>/dev/null | tr -d '\r' | grep -o 'C:.*'; }
only() { # WINDOWS_PATH FOLDER ABSENT: one copy, in FOLDER, named by the entry; nothing at ABSENT
    [ "$(location)" = "$1" ] || fail "the entry names '$(location)', not $1"
    [ -f "$2/calculator.exe" ] && [ ! -e "$3" ] || fail "not one copy in $1: $(ls "$3")"
}

running "$dir"
xdotool windowfocus --sync "$window" key ctrl+x
ended || fail "the installed program ended with status $?"
echo "ok   the installed program runs and Ctrl+X ends it with status 0"

running "$dir"
wine "$setup" /S || fail "a reinstall over the running program failed with status $?"
ended; only 'C:\Program Files\Calculator' "$dir" "$other"
echo "ok   reinstalled over the running program: it was closed, one copy"
running "$dir"
wine "$setup" /S '/D=C:\Other' || fail "a reinstall into another folder failed with status $?"
ended; only 'C:\Other' "$other" "$dir"
echo "ok   reinstalled into another folder: the first copy gone, the entry names the new one"

# A program that does not answer cannot be closed: status 2, the copy and the entry as they were.
running "$other"
kill -STOP $app
before=$(wine reg query "$key" | md5sum; md5sum "$other"/*)
wine "$setup" /S && fail "a reinstall over a program that cannot be closed ended with status 0"
wine "$other/uninstall.exe" /S '_?=C:\Other' && fail "an uninstall of a program that cannot be closed ended with status 0"
[ "$(wine reg query "$key" | md5sum; md5sum "$other"/*)" = "$before" ] || fail "a failed run changed the copy or the entry"
kill -CONT $app
echo "ok   a run that cannot close the program ends with status 2 and changes nothing"

# Again over it (still running), on a German Windows: the entries take the catalogue's name of the program,
# the English one gone; the uninstaller, in English, removes them.
WINE_LOCALE=de_DE.UTF-8 wine "$setup" /S '/D=C:\Other' || fail "the installer failed in German"
name=$(wine reg query "$key" /v DisplayName 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ -n "$name" ] && [ "$name" != Calculator ] && [ -f "${link%/*}/$name.lnk" ] && [ ! -e "$link" ] ||
    fail "not in German: '$name', $(ls "${link%/*}")"
ended
echo "ok   in German: the Start menu entry and Apps & features named $name"

running "$other"
wine "$other/uninstall.exe" /S || fail "the uninstaller failed"
ended
poll test ! -e "$other" || fail "files left behind: $(ls "$other")" # it finishes from a copy of itself
[ ! -e "${link%/*}/$name.lnk" ] || fail "the Start menu entry is left behind"
wine reg query "$key" >/dev/null 2>&1 && fail "the registry key is left behind"
echo "ok   uninstalled while running: it was closed; no file, no Start menu entry, no registry key left"
