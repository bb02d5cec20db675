#!/bin/bash
# Every function key on COUNT typed arguments (default a million) in the Linux build, in the Windows build
# under Wine and in a clang build of the toolkit-free core: the outputs must agree byte for byte, so that
# neither a platform nor a compiler changes a digit.
#   compare-builds.sh LINUX_BUILD WINDOWS_BUILD CLANG_BUILD [COUNT]
set -euo pipefail
linux=$1 windows=$2 clang=$3 count=${4:-1000000}
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
start=$SECONDS
"$clang/key-sweep" --count "$count" >"$out/clang"
echo "clang:   $count arguments in $((SECONDS - start)) s"
lines=$(wc -l <"$out/linux")
echo "$lines lines of $(head -1 "$out/linux" | awk -F'\t' '{ print NF - 1 }') keys each, $(wc -c <"$out/linux") bytes"
status=0
for other in windows clang; do
    if cmp -s "$out/linux" "$out/$other"; then
        echo "$other: identical"
        continue
    fi
    echo "$other: DIFFERENT: $(diff "$out/linux" "$out/$other" | grep -c '^<') lines; the first (Linux, then $other):"
    diff "$out/linux" "$out/$other" | head -10
    status=1
done
exit $status
