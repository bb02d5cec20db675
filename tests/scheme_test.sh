#!/bin/bash
# The real program under real desktop colour settings on Xvfb, its window read back as another program sees it
# (tests/colour_probe.cpp): no desktop (Windows' classic colours), Plasma's Breeze Dark colour scheme file,
# Qt's GTK theme with Adwaita's dark variant, and GNOME's dark style served by the real xdg-desktop-portal,
# switched live to light and back and to GNOME's high-contrast style and back, with the display, the state and
# the focus kept.
#   scheme_test.sh CALC PROBE
set -u
calc=$(realpath "$1") probe=$(realpath "$2")
fail() { echo "FAIL: $*" >&2; exit 1; }
poll() { for ((i = 0; i < 100; i++)); do "$@" && return; sleep 0.1; done; false; } # up to 10 s
# The window is mapped before its first paint (on a slow machine, or under the sanitizers, a frame of unpainted
# black): the probe is asked again until the colours hold, then once more aloud to say what is wrong.
probe() { poll "${run[@]}" "$probe" "$@" 2>/dev/null || "${run[@]}" "$probe" "$@"; }
run=() # the environment the probe runs in: the session's, or the clean one below

if [ "${3:-}" = --gnome ]; then # inside dbus-run-session, with GNOME's settings and portal
    gsettings set org.gnome.desktop.interface color-scheme prefer-dark
    poll eval 'gdbus call --session --dest org.freedesktop.portal.Desktop --object-path /org/freedesktop/portal/desktop \
        --method org.freedesktop.portal.Settings.Read org.freedesktop.appearance color-scheme 2>/dev/null |
        grep -q "uint32 1"' || fail "the portal does not serve GNOME's dark style"
    "$calc" 2>"$XDG_RUNTIME_DIR/stderr" &
    app=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Calculator$' | head -1)
    [ -n "$window" ] || fail "no window under GNOME"
    probe "$window" gnome-dark || fail "GNOME's dark style"
    echo "ok   GNOME's dark style from the portal"
    # Focus on MC; eleven Tabs on to 1, Space, Tab to 2, Space: the display shows 12, the focus is on 2.
    xdotool windowfocus --sync "$window" key --delay 20 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space Tab space
    for scheme in default:classic prefer-dark:gnome-dark default:classic true:contrast false:classic; do
        case ${scheme%:*} in
        true | false) gsettings set org.gnome.desktop.a11y.interface high-contrast "${scheme%:*}" ;;
        *) gsettings set org.gnome.desktop.interface color-scheme "${scheme%:*}" ;;
        esac
        probe "$window" "${scheme#*:}" || fail "live $scheme"
        echo "ok   switched live to ${scheme#*:}"
    done
    xdotool windowfocus --sync "$window" key space ctrl+c # the focus still on 2: 122
    poll eval '[ "$(xclip -selection clipboard -o 2>/dev/null)" = 122 ]' ||
        fail "after the switches the display or the focus changed: copied $(xclip -selection clipboard -o)"
    echo "ok   display, state and focus kept"
    xdotool windowfocus --sync "$window" key ctrl+x
    timeout 10 tail --pid=$app -f /dev/null
    exit 0
fi

work=$(mktemp -d -t scheme-test.XXXXXX)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 700 "$work/home" "$work/run" "$work/config"
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
read -r display <"$work/displayfd" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$display"
clean=(env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
    LANG=C.UTF-8 DISPLAY=":$display" ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS}
    ${LSAN_OPTIONS:+LSAN_OPTIONS=$LSAN_OPTIONS})
run=("${clean[@]}")

# Breeze Dark, as Plasma writes it into kdeglobals.
printf '%s\n' '[Colors:Button]' BackgroundNormal=49,54,59 ForegroundNormal=252,252,252 \
    '[Colors:View]' BackgroundNormal=27,30,32 ForegroundNormal=252,252,252 \
    '[Colors:Window]' BackgroundNormal=35,38,41 ForegroundNormal=252,252,252 \
    '[General]' ColorScheme=BreezeDark >"$work/config/kdeglobals"

one() { # NAME MODE VAR=value...: the calculator in that setting, checked, then ended with Ctrl+X
    local name=$1 mode=$2
    shift 2
    "${clean[@]}" "$@" "$calc" 2>"$work/stderr" &
    local app=$! window
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Calculator$' | head -1)
    [ -n "$window" ] || fail "$name: no window"
    probe "$window" "$mode" ${SCHEME_PICTURES:+"$SCHEME_PICTURES/$mode-$RANDOM.png"} || fail "$name"
    echo "ok   $name"
    xdotool windowfocus --sync "$window" key ctrl+x
    timeout 10 tail --pid=$app -f /dev/null || fail "$name: Ctrl+X did not end it"
}
one "no desktop: the classic colours" classic
one "Plasma, Breeze Dark" dark XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
one "Qt's GTK theme, Adwaita dark" dark XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
# The session's daemons speak on standard error about what a headless machine lacks: kept for a failure.
timeout -k 5 60 "${clean[@]}" XDG_CURRENT_DESKTOP=GNOME dbus-run-session -- "$0" "$calc" "$probe" --gnome \
    2>"$work/session.log" || { cat "$work/session.log" >&2; exit 1; }
