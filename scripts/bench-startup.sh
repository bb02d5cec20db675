#!/bin/bash
# Start-up against xcalc: exec -> first painted frame (XDamage) and peak RSS then, in pairs on one Xvfb.
# usage: scripts/bench-startup.sh [build-dir] (default build); RUNS=N pairs (default 10, at least 10).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-10}
[ "$runs" -ge 10 ] || runs=10
calc="$build/calculator"
src="$root/../shared/tools/first-frame/first-frame.c"
ff="$build/first-frame"

[ -x "$calc" ] || { echo "no $calc: build first" >&2; exit 2; }
command -v xcalc >/dev/null || { echo "xcalc missing (Debian package x11-apps)" >&2; exit 2; }
if [ ! -x "$ff" ] || [ "$src" -nt "$ff" ]; then
    [ -f "$src" ] || { echo "no $src (the shared tools beside the repository)" >&2; exit 2; }
    cc -O2 -Wall -o "$ff" "$src" -lX11 -lXdamage -lXfixes || exit 2
fi

work=$(mktemp -d -t bench-startup.XXXXXX)
xpid=
trap 'kill $xpid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 700 "$work/home" "$work/run"
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -br 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xpid=$!
read -r display <"$work/displayfd" || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 2; }

# What a program meets in a fresh session: no session bus, no desktop settings, a new home.
one() { # program -> one result line of first-frame
    env -u DBUS_SESSION_BUS_ADDRESS -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME \
        -u SESSION_MANAGER -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR \
        DISPLAY=":$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
        "$ff" -t 20 -- "$1" 2>>"$work/apps.log"
}

one "$calc" >/dev/null # warm-up: the first run of each fills the page cache
one xcalc >/dev/null
: >"$work/runs.txt"
for ((i = 1; i <= runs; i++)); do
    echo "calculator $(one "$calc")" >>"$work/runs.txt"
    echo "xcalc $(one xcalc)" >>"$work/runs.txt"
done

echo "Start-up on one private Xvfb :$display, $runs pairs (calculator, then xcalc)"
awk '
    function field(name,   i, kv) {
        for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == name) return kv[2] }
        return ""
    }
    function sortv(a, m,   i, j, t) {
        for (i = 2; i <= m; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    }
    function median(a, m) { return (m % 2) ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2 }
    function show(label, a, m, unit) {
        if (!m) { printf "  %-22s no successful run\n", label; return }
        sortv(a, m)
        printf "  %-22s median %7.1f %s   range %7.1f .. %7.1f   (%d runs)\n", label, median(a, m), unit, a[1], a[m], m
    }
    {
        ok = field("status") == "ok"
        if ($1 == "calculator") { cp = ok ? field("paint_ms") : ""; if (ok) { pc[++nc] = cp; rc[nc] = field("rss_mib") } else failed++ }
        else {
            if (ok) { px[++nx] = field("paint_ms"); rx[nx] = field("rss_mib") } else failed++
            pair++
            if (ok && cp != "" && px[nx] > 0) { r = cp / px[nx]; ratio[++nr] = r; line = line sprintf(" %.2f", r) }
            else line = line " -"
        }
    }
    END {
        show("calculator paint", pc, nc, "ms"); show("xcalc paint", px, nx, "ms")
        show("calculator peak RSS", rc, nc, "MiB"); show("xcalc peak RSS", rx, nx, "MiB")
        printf "  ratio calculator/xcalc per pair:%s\n", line
        if (nr) { sortv(ratio, nr); printf "  ratio median %.2f   range %.2f .. %.2f\n", median(ratio, nr), ratio[1], ratio[nr] }
        if (nc) { sortv(rc, nc); printf "  targets: ratio <= 1.00 (%s), calculator RSS <= 31 MiB (%s)\n",
                  (nr && median(ratio, nr) <= 1.0) ? "met" : "not met", median(rc, nc) <= 31 ? "met" : "not met" }
        if (failed) printf "  failed runs: %d\n", failed
    }' "$work/runs.txt"
