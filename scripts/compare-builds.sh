#!/bin/bash
# Every function key on COUNT typed arguments (default a million) in the Linux build and in the Windows build
# under Wine: the two outputs must agree byte for byte.
#   compare-builds.sh LINUX_BUILD WINDOWS_BUILD [COUNT]
set -euo pipefail
linux=$1 windows=$2 count=${3:-1000000}
here=$(dirname "$(readlink -f "$0")")
out=$(mktemp -d)
trap '"$here/wine.sh" stop "$out/wine" >/dev/null 2>&1 || true; rm -rf "$out"' EXIT
WINE_DIR=$out/wine
export WINE_DIR
"$here/wine.sh" start "$WINE_DIR"
start=$SECONDS
"$linux/key-sweep" --count "$count" >"$out/linux"
echo "Linux:   $count arguments in $((SECONDS - start)) s"
start=$SECONDS
"$here/wine.sh" run "$windows/key-sweep.exe" --count "$count" | tr -d '\r' >"$out/windows"
echo "Windows: $count arguments in $((SECONDS - start)) s (Wine)"
lines=$(wc -l <"$out/linux")
echo "$lines lines of $(head -1 "$out/linux" | awk -F'\t' '{ print NF - 1 }') keys each, $(wc -c <"$out/linux") bytes"
if cmp -s "$out/linux" "$out/windows"; then
    echo "identical"
    exit 0
fi
echo "DIFFERENT: $(diff "$out/linux" "$out/windows" | grep -c '^<') lines; the first (Linux, then Windows):"
diff "$out/linux" "$out/windows" | head -10
exit 1
