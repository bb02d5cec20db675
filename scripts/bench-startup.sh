#!/bin/bash
# Start-up against xcalc: exec -> first painted frame (XDamage) and peak RSS then, in pairs on one Xvfb.
# usage: scripts/bench-startup.sh [build-dir] (default build); RUNS=N pairs (default 10, at least 10).
set -u
build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-10}
[ "$runs" -ge 10 ] || runs=10
calc="$build/calculator"
ff="$build/tools/first_frame"

[ -x "$calc" ] || { echo "no $calc: build first" >&2; exit 2; }
[ -x "$ff" ] || { echo "no $ff: it needs libx11-dev libxdamage-dev libxfixes-dev" >&2; exit 2; }
command -v xcalc >/dev/null || { echo "xcalc missing (Debian package x11-apps)" >&2; exit 2; }

work=$(mktemp -d -t bench-startup.XXXXXX)
xpid=
trap 'kill $xpid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 700 "$work/home" "$work/run"
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -br 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xpid=$!
read -r display <"$work/displayfd" || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 2; }

# What a program meets in a fresh session: no session bus, no desktop settings, a new home.
one() { # program [VAR=value...] -> one result line of first_frame
    local program=$1
    shift
    env -u DBUS_SESSION_BUS_ADDRESS -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME \
        -u SESSION_MANAGER -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR -u QT_QPA_PLATFORMTHEME \
        -u XDG_CURRENT_DESKTOP -u XDG_SESSION_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION \
        DISPLAY=":$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" "$@" \
        "$ff" -t 20 -- "$program" 2>>"$work/apps.log"
}
# The variables a GNOME or a Plasma session sets for its programs; Debian's GNOME brings Qt's GTK theme
# (qt6-gtk-platformtheme), which Qt loads by itself there unless the program or the user says otherwise.
gnome=(XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome DESKTOP_SESSION=gnome XDG_SESSION_TYPE=x11)
kde=(XDG_CURRENT_DESKTOP=KDE XDG_SESSION_DESKTOP=KDE DESKTOP_SESSION=plasma XDG_SESSION_TYPE=x11
     KDE_FULL_SESSION=true KDE_SESSION_VERSION=5)

# A GNOME session's bus with its settings portal running, in the dark style: the calculator reads the style
# from the portal before its first frame.
mkdir -m 700 "$work/config"
env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" DISPLAY=":$display" \
    XDG_CURRENT_DESKTOP=GNOME dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus" 2>/dev/null
bus=$(sed -n 1p "$work/bus")
buspid=$(sed -n 2p "$work/bus")
trap 'kill $xpid $buspid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
portal() { env DBUS_SESSION_BUS_ADDRESS="$bus" XDG_CONFIG_HOME="$work/config" HOME="$work/home" "$@" 2>/dev/null; }
portal gsettings set org.gnome.desktop.interface color-scheme prefer-dark
for ((i = 0; i < 100; i++)); do
    portal gdbus call --session --dest org.freedesktop.portal.Desktop --object-path /org/freedesktop/portal/desktop \
        --method org.freedesktop.portal.Settings.Read org.freedesktop.appearance color-scheme | grep -q "uint32 1" && break
    sleep 0.1
done
gnome_dark=("${gnome[@]}" DBUS_SESSION_BUS_ADDRESS="$bus" XDG_CONFIG_HOME="$work/config")

one "$calc" >/dev/null # warm-up: the first run of each fills the page cache
one xcalc >/dev/null
one "$calc" "${gnome[@]}" QT_QPA_PLATFORMTHEME=gtk3 >/dev/null
: >"$work/runs.txt"
for ((i = 1; i <= runs; i++)); do
    echo "calculator $(one "$calc")" >>"$work/runs.txt"
    echo "xcalc $(one xcalc)" >>"$work/runs.txt"
    echo "gnome $(one "$calc" "${gnome[@]}")" >>"$work/runs.txt"
    echo "kde $(one "$calc" "${kde[@]}")" >>"$work/runs.txt"
    echo "gnome-gtk3 $(one "$calc" "${gnome[@]}" QT_QPA_PLATFORMTHEME=gtk3)" >>"$work/runs.txt"
    echo "gnome-dark $(one "$calc" "${gnome_dark[@]}")" >>"$work/runs.txt"
done

echo "Start-up on one private Xvfb :$display, $runs rounds (calculator, xcalc, then the calculator as GNOME,"
echo "Plasma, GNOME with the GTK theme chosen by the user, and GNOME in its dark style from the portal would start it)"
awk -f "$(dirname "$0")/bench-stats.awk" -f /dev/stdin "$work/runs.txt" <<'AWK'
    {
        ok = field("status") == "ok"
        if (!ok) { failed++; if ($1 == "calculator") cp = ""; next }
        if ($1 == "calculator") { cp = field("paint_ms"); pc[++nc] = cp; rc[nc] = field("rss_mib") }
        else if ($1 == "xcalc") {
            px[++nx] = field("paint_ms"); rx[nx] = field("rss_mib")
            if (cp != "" && px[nx] > 0) { r = cp / px[nx]; ratio[++nr] = r; line = line sprintf(" %.2f", r) }
            else line = line " -"
        } else { n[$1]++; pd[$1, n[$1]] = field("paint_ms"); rd[$1, n[$1]] = field("rss_mib") }
    }
    function desktop(name, label,   i, m, p, r) {
        m = n[name]
        for (i = 1; i <= m; i++) { p[i] = pd[name, i]; r[i] = rd[name, i] }
        show(label " paint", p, m, "ms"); show(label " peak RSS", r, m, "MiB")
        if (m && nc) { sortv(p, m); sortv(pc, nc); printf "  %-22s %.2f x plain\n", label " start-up", median(p, m) / median(pc, nc) }
    }
    END {
        show("calculator paint", pc, nc, "ms"); show("xcalc paint", px, nx, "ms")
        show("calculator peak RSS", rc, nc, "MiB"); show("xcalc peak RSS", rx, nx, "MiB")
        printf "  ratio calculator/xcalc per pair:%s\n", line
        if (nr) { sortv(ratio, nr); printf "  ratio median %.2f   range %.2f .. %.2f\n", median(ratio, nr), ratio[1], ratio[nr] }
        if (nc) { sortv(rc, nc); printf "  targets: ratio <= 1.00 (%s), calculator RSS <= 31 MiB (%s)\n",
                  (nr && median(ratio, nr) <= 1.0) ? "met" : "not met", median(rc, nc) <= 31 ? "met" : "not met" }
        desktop("gnome", "GNOME"); desktop("kde", "Plasma"); desktop("gnome-gtk3", "GNOME, GTK theme")
        desktop("gnome-dark", "GNOME dark, portal")
        if (failed) printf "  failed runs: %d\n", failed
    }
AWK
