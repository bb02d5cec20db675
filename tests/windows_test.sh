#!/bin/bash
# The Windows build beside the Linux one.
#   windows_test.sh imports OBJDUMP EXE...       no mathematical function is taken from a DLL; calculator.exe
#                                                 sets where DLLs load from and is terminal-server aware
#   windows_test.sh replay LINUX_BUILD WIN_BUILD  a sample of key-sweep clicked in both builds' calc-replay
#                                                 gives the same lines
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")

case $1 in
imports)
    objdump=$2
    shift 2
    # Every C library function whose last bits differ between libraries, by any of its names.
    math='^_?(a?(sin|cos|tan)h?|atan2|exp(2|10|m1)?|log(10|2|1p|b)?|pow|sqrt|cbrt|hypot|fmod|remainder|remquo'
    math+='|floor|ceil|trunc|l?l?round|l?l?rint|nearbyint|ldexp|frexp|modf|scalbl?n|ilogb|fabs|copysign'
    math+='|fm(a|in|ax)|fdim|nextafter|nexttoward|erfc?|[lt]gamma|[jy][01n]|cabs|strtod|atof)[fl]?$'
    status=0
    for exe in "$@"; do
        imported=$("$objdump" -p "$exe" | awk '/DLL Name:/ { dll = $3 } dll && /^\t[0-9a-f]+[ \t]/ { print dll ":" $NF }')
        [ -n "$imported" ] || { echo "$exe: no import table read" >&2; status=1; continue; }
        if found=$(grep -E ":${math#^}" <<<"$imported"); then
            echo "$(basename "$exe") imports mathematics:" $found >&2
            status=1
        fi
        # The shipped program: DLLs from the system folder only, and terminal-server aware.
        [ "$(basename "$exe")" != calculator.exe ] || { grep -q ':SetDefaultDllDirectories$' <<<"$imported" &&
            "$objdump" -p "$exe" | grep TERMINAL_SERVICE_AWARE >/dev/null; } || { echo "$exe: not hardened" >&2; status=1; }
    done
    exit $status
    ;;
replay)
    linux=$2 windows=$3
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
    "$linux/key-sweep" --keys --count 200 --seed 17 >"$out/keys"
    QT_QPA_PLATFORM=offscreen "$linux/calc-replay" <"$out/keys" >"$out/linux" 2>/dev/null
    "$here/../scripts/wine.sh" run "$windows/calc-replay.exe" <"$out/keys" | tr -d '\r' >"$out/windows"
    [ "$(wc -l <"$out/linux")" = "$(wc -w <"$out/keys")" ] || { echo "calc-replay printed too few lines" >&2; exit 1; }
    if ! cmp -s "$out/linux" "$out/windows"; then
        echo "the builds differ after these keys (line: Linux | Windows):" >&2
        diff --side-by-side --suppress-common-lines "$out/linux" "$out/windows" | head -20 >&2 || true
        exit 1
    fi
    echo "$(wc -l <"$out/linux") keys, the same display after each"
    ;;
esac
