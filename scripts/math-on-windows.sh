#!/bin/bash
# The engine's results built for Linux and for Windows (MinGW-w64, run under Wine) compared byte for byte,
# and the Windows program's imports searched for C library mathematics. Usage: scripts/math-on-windows.sh [COUNT]
set -euo pipefail

count=${1:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

sources=("$root/tools/math_print.cpp" "$root"/engine/*.cpp "$root"/numtext/*.cpp)
flags=(-std=c++20 -O2 -ffp-contract=off -fno-math-errno -I"$root" -I"$root/tests")
g++ "${flags[@]}" "${sources[@]}" -o "$work/math_print" &
linux=$!
x86_64-w64-mingw32-g++-posix "${flags[@]}" -static "${sources[@]}" -o "$work/math_print.exe"
wait $linux

# Every function the C library or the compiler's runtime could compute differently, in any spelling.
math='^_*(a?(sin|cos|tan)h?|atan2|exp(2|m1)?|log(10|2|1p)?|pow|sqrt|cbrt|hypot|fmod|remainder|floor|ceil|trunc'
math+='|l?l?round|l?l?rint|nearbyint|ldexp|frexp|scalbl?n|modf|fabs|copysign|strto[dfl]|atof)[fl]?$'
imports=$(x86_64-w64-mingw32-objdump -p "$work/math_print.exe" |
    awk '/DLL Name/ { dll = $3 } dll && NF == 3 && $2 ~ /^[0-9]+$/ { print dll ": " $3 }')
found=$(awk -F': ' -v re="$math" '$2 ~ re' <<<"$imports")
if [ -n "$found" ]; then
    echo "math imported from a DLL:"; echo "$found"; exit 1
fi
awk -F': ' '{ n[$1]++ } END { for (d in n) printf "%d imports from %s, ", n[d], d; print "none of them mathematics" }' \
    <<<"$imports"

mkdir "$WINEPREFIX"
wineserver -p # one server for the prefix's set-up and the run
"$work/math_print" "$count" >"$work/linux.txt"
wine "$work/math_print.exe" "$count" 2>/dev/null | tr -d '\r' >"$work/windows.txt" # the console's line ends
if cmp -s "$work/linux.txt" "$work/windows.txt"; then
    echo "$count argument lines, $(wc -c <"$work/linux.txt") bytes: identical"
else
    echo "differing lines (arguments first, then Linux and Windows):"
    diff "$work/linux.txt" "$work/windows.txt" | head -40
    exit 1
fi
