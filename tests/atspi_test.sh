#!/bin/sh
# Runs tests/atspi_test.py against the real program: its own Xvfb, its own D-Bus session with the AT-SPI bus.
# usage: atspi_test.sh CALCULATOR
set -u
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = --in-session ]; then
    calc=$2
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    launcher=$!
    app=
    trap 'kill $app $launcher 2>/dev/null; wait 2>/dev/null' EXIT
    # Qt looks for the accessibility bus only once, at start: it must be up before the program is.
    tries=0
    until dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || { echo "the AT-SPI bus did not start" >&2; exit 1; }
        sleep 0.1
    done
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$calc" &
    app=$!
    /usr/bin/python3 "$here/atspi_test.py" "$app"
    exit $?
fi

calc=$(realpath "$1")
work=$(mktemp -d -t atspi-test.XXXXXX)
xpid=
trap 'kill $xpid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 700 "$work/home" "$work/run"
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xpid=$!
read -r display <"$work/displayfd" || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

# A clean session: nothing of the caller's desktop, and a bound on the whole run.
env -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME \
    DISPLAY=":$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
    timeout -k 5 90 dbus-run-session -- "$0" --in-session "$calc"
