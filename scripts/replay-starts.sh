#!/bin/bash
# Starts of calc-replay.exe under Wine, one after another, while two busy loops load both cores: every start
# must print its line, and a start that fails must say why on standard error.
#   scripts/replay-starts.sh WINDOWS_BUILD [COUNT]     (default 2000)
set -u -o pipefail
here=$(dirname "$(readlink -f "$0")")
exe=$(realpath "$1")/calc-replay.exe
count=${2:-2000}
[ -f "$exe" ] || { echo "no $exe: build the Windows side first" >&2; exit 2; }
work=$(mktemp -d -t replay-starts.XXXXXX)
load=()
cleanup() {
    [ ${#load[@]} -eq 0 ] || kill "${load[@]}" 2>/dev/null
    "$here/wine.sh" stop "$work/wine" >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
"$here/wine.sh" start "$work/wine" || exit 2
export WINE_DIR=$work/wine
for _ in 1 2; do
    (while :; do :; done) &
    load+=($!)
done
failed=0 silent=0 start=$SECONDS
for ((i = 1; i <= count; i++)); do
    status=0
    out=$("$here/wine.sh" run "$exe" 2 + 3 = 2>"$work/stderr" | tr -d '\r') || status=$?
    [ "$status" = 0 ] && [ "$out" = $'2\n2\n3\n 5' ] && continue
    failed=$((failed + 1))
    [ -s "$work/stderr" ] || silent=$((silent + 1))
    echo "start $i: status $status, printed $(wc -l <<<"$out") lines, said: $(head -c 300 "$work/stderr" | tr '\n' ' ')"
done
echo "$count starts of calc-replay.exe under $(/usr/lib/wine/wine64 --version 2>/dev/null || wine --version) with both cores loaded, $((SECONDS - start)) s: $failed failed, $silent of them without saying why"
[ $silent = 0 ]
