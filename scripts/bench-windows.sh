#!/bin/bash
# Start-up of the Windows build under Wine, as it ships (stripped): exec -> first painted frame (XDamage) and
# peak RSS then, against a bare Win32 window of the same size and menu bar (bare-window.exe, the floor), in
# pairs, in one private prefix with a persistent wineserver on one private Xvfb.
#   scripts/bench-windows.sh LINUX_BUILD WINDOWS_BUILD     RUNS=N pairs (default 10, at least 10)
set -u
here=$(dirname "$(readlink -f "$0")")
ff=$(realpath "$1")/tools/first_frame
windows=$(realpath "$2")
runs=${RUNS:-10}
[ "$runs" -ge 10 ] || runs=10
[ -x "$ff" ] || { echo "no $ff: build the Linux side first (it needs libx11-dev libxdamage-dev)" >&2; exit 2; }
for exe in calculator bare-window; do
    [ -f "$windows/$exe.exe" ] || { echo "no $windows/$exe.exe: build the Windows side first" >&2; exit 2; }
done
work=$(mktemp -d -t bench-windows.XXXXXX)
trap '"$here/wine.sh" stop "$work/wine" >/dev/null 2>&1; rm -rf "$work"' EXIT
# The programs as they ship, stripped: the build's debugging sections would add their pages to the start.
mkdir "$work/bin"
for exe in calculator bare-window; do
    x86_64-w64-mingw32-strip -o "$work/bin/$exe.exe" "$windows/$exe.exe" || exit 2
done
"$here/wine.sh" start "$work/wine" || exit 2
# shellcheck disable=SC1091
. "$work/wine/env"
export WINEPREFIX DISPLAY WINEDEBUG=-all
wine=/usr/lib/wine/wine64
[ -x $wine ] || wine=$(command -v wine)
# Top-level windows as a desktop has them (the tests' prefix makes them unmanaged, which the timer passes by).
$wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1

one() { "$ff" -t 30 -- $wine "$work/bin/$1.exe" 2>>"$work/apps.log"; }
one calculator >/dev/null # warm-up: the page cache, Wine's own DLLs
one bare-window >/dev/null
: >"$work/runs.txt"
for ((i = 1; i <= runs; i++)); do
    echo "calculator $(one calculator)" >>"$work/runs.txt"
    echo "bare $(one bare-window)" >>"$work/runs.txt"
done

echo "Windows build (stripped, as shipped) under $($wine --version 2>/dev/null), one private prefix and Xvfb $DISPLAY, $runs pairs"
awk -f "$(dirname "$0")/bench-stats.awk" -f /dev/stdin "$work/runs.txt" <<'AWK'
    {
        if (field("status") != "ok") { failed++; if ($1 == "calculator") cp = ""; next }
        if ($1 == "calculator") { cp = field("paint_ms"); pc[++nc] = cp; rc[nc] = field("rss_mib") }
        else {
            pb[++nb] = field("paint_ms"); rb[nb] = field("rss_mib")
            if (cp != "" && pb[nb] > 0) { r = cp / pb[nb]; ratio[++nr] = r; line = line sprintf(" %.2f", r) }
            else line = line " -"
        }
    }
    END {
        show("calculator.exe paint", pc, nc, "ms"); show("bare window paint", pb, nb, "ms")
        show("calculator.exe peak RSS", rc, nc, "MiB"); show("bare window peak RSS", rb, nb, "MiB")
        printf "  ratio calculator/bare per pair:%s\n", line
        if (nr) {
            sortv(ratio, nr)
            printf "  ratio median %.2f   range %.2f .. %.2f\n", median(ratio, nr), ratio[1], ratio[nr]
            printf "  target: ratio <= 1.10 (%s)\n", median(ratio, nr) <= 1.10 ? "met" : "not met"
        }
        if (failed) printf "  failed runs: %d\n", failed
    }
AWK
