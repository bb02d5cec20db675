#!/bin/bash
# The real program on real display servers, each run in a scratch home with its own servers.
#   desktop_test.sh start CALC            X11: the window maps centred with its icon and class; Off and Ctrl+X end it
#   desktop_test.sh no-display CALC       no display to open: one line that says which, and exit status 1
#   desktop_test.sh screen-reader CALC    X11 and AT-SPI: tests/atspi_test.py, then Off ends it
#   desktop_test.sh wayland CALC SCALE    headless weston: the toplevel's title, app id and size; it ends cleanly
set -u
here=$(cd "$(dirname "$0")" && pwd)
mode=$1
calc=$(realpath "$2")
scale=${3:-1}
app_id=io.github.calculatordevs.Calculator
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "$mode" = --in-session ]; then # inside dbus-run-session: the accessibility bus, then the display server
    mode=$3 scale=$4
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    pids=$!
    trap 'kill $pids 2>/dev/null; wait 2>/dev/null' EXIT
    # Qt looks for the accessibility bus once, at start: it must be up before the program is.
    for ((i = 0; i < 100; i++)); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
            string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
        sleep 0.1
    done
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    if [ "$mode" = screen-reader ]; then
        QT_QPA_PLATFORM=xcb "$calc" 2>"$XDG_RUNTIME_DIR/stderr" &
        app=$!
        pids="$pids $app"
        /usr/bin/python3 "$here/atspi_test.py" $app || exit 1
    else
        weston --backend=headless-backend.so --use-pixman --socket=wl-test --scale="$scale" --debug \
            --idle-time=0 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
        pids="$pids $!"
        for ((i = 0; i < 100; i++)); do [ -S "$XDG_RUNTIME_DIR/wl-test" ] && break; sleep 0.1; done
        export WAYLAND_DISPLAY=wl-test
        weston-debug proto >"$XDG_RUNTIME_DIR/proto.log" 2>&1 &
        pids="$pids $!"
        sleep 0.2
        env -u DISPLAY QT_QPA_PLATFORM=wayland "$calc" 2>"$XDG_RUNTIME_DIR/stderr" &
        app=$!
        pids="$pids $app"
        # The compositor's own view: a mapped toplevel, its title and app id, its client area in logical pixels.
        for ((i = 0; i < 100; i++)); do
            view=$(weston-debug scene-graph 2>/dev/null | grep -A3 "role xdg_toplevel")
            [ -n "$view" ] && break
            sleep 0.1
        done
        echo "$view"
        echo "$view" | grep -qF "top-level window 'Calculator' of $app_id" || fail "no toplevel 'Calculator' of $app_id"
        echo "$view" | grep -qE 'opaque: \(([0-9]+), ([0-9]+)\) -> \(([0-9]+), ([0-9]+)\)' || fail "no client area"
        size=$(echo "$view" | sed -nE 's/.*opaque: \(([0-9]+), ([0-9]+)\) -> \(([0-9]+), ([0-9]+)\).*/echo $((\3 - \1))x$((\4 - \2))/p' | sh)
        [ "$size" = 224x363 ] || fail "the client area is $size, not 224x363"
        # Drawn at the output's scale: a buffer of that scale, at least that many times the client area.
        grep -q "set_buffer_scale($scale)" "$XDG_RUNTIME_DIR/proto.log" || [ "$scale" = 1 ] || fail "buffer scale is not $scale"
        grep -oE 'create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, [0-9]+, [0-9]+' "$XDG_RUNTIME_DIR/proto.log" |
            awk -F', ' -v s="$scale" '$3 >= 224 * s && $4 >= 363 * s { ok = 1 } END { exit !ok }' ||
            fail "no buffer of ${scale}x the window's size"
        /usr/bin/python3 "$here/atspi_test.py" $app "$([ "$scale" = 1 ] && echo off || echo Exit)" || exit 1
    fi
    timeout 10 tail --pid=$app -f /dev/null
    wait $app
    status=$?
    [ $status = 0 ] || fail "the program ended with status $status"
    [ ! -s "$XDG_RUNTIME_DIR/stderr" ] || fail "the program printed: $(cat "$XDG_RUNTIME_DIR/stderr")"
    echo "ok   the program ended with status 0 and printed nothing"
    exit 0
fi

work=$(mktemp -d -t desktop-test.XXXXXX)
xpid=
trap 'kill $xpid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 700 "$work/home" "$work/run"
# Nothing of the caller's desktop or session.
clean=(env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8
    ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} ${LSAN_OPTIONS:+LSAN_OPTIONS=$LSAN_OPTIONS})
xvfb() {
    mkfifo "$work/displayfd"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
    xpid=$!
    read -r display <"$work/displayfd" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    clean+=(DISPLAY=":$display")
}

case $mode in
start)
    xvfb
    wm_class=$(sed -n 's/^StartupWMClass=//p' "$here/../packaging/$app_id.desktop")
    for end_by in Off Ctrl+X; do
        "${clean[@]}" "$calc" 2>"$work/stderr" &
        app=$!
        xpid="$xpid $app"
        export DISPLAY=":$display"
        window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Calculator$' | head -1)
        [ -n "$window" ] || fail "no window named Calculator"
        # The icon is set once the first frame is painted.
        for ((i = 0; i < 50; i++)); do xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (48 x 48)' && break; sleep 0.1; done
        xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (48 x 48)' || fail "the window has no icon"
        xprop -id "$window" WM_CLASS | grep -qF "\"$wm_class\"" || fail "WM_CLASS is not the entry's $wm_class"
        geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
            /Width/ {w=$2} /Height/ {h=$2} END {print x, y, w, h}')
        [ "$geometry" = "400 202 224 363" ] || fail "window at $geometry, not centred 224x363 on 1024x768"
        if [ $end_by = Off ]; then # the middle of the Off key: 135..208 across, 72..97 down in the client area
            xdotool mousemove --window "$window" 171 $((363 - 344 + 85)) click 1
        else
            xdotool windowfocus --sync "$window" key ctrl+x
        fi
        timeout 10 tail --pid=$app -f /dev/null
        wait $app
        status=$?
        [ $status = 0 ] || fail "$end_by: the program ended with status $status"
        [ ! -s "$work/stderr" ] || fail "$end_by: the program printed: $(cat "$work/stderr")"
        echo "ok   mapped centred with icon and class $wm_class, $end_by ended it"
    done
    ;;
no-display)
    n=99
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    while IFS='|' read -r vars said; do
        # shellcheck disable=SC2086
        out=$("${clean[@]}" $vars "$calc" 2>&1)
        status=$?
        [ $status = 1 ] && [ "$out" = "calculator: cannot open $said; run it on an X11 or Wayland desktop" ] ||
            fail "with '$vars': status $status, said: $out"
        echo "ok   with '$vars': $out"
    done <<EOF
|an X display (DISPLAY is not set)
DISPLAY=:$n|X display :$n
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wl-none|Wayland display wl-none
QT_QPA_PLATFORM=wayland;xcb WAYLAND_DISPLAY=wl-none|Wayland display wl-none or an X display (DISPLAY is not set)
EOF
    ;;
screen-reader | wayland)
    [ $mode = wayland ] || xvfb
    timeout -k 5 90 "${clean[@]}" dbus-run-session -- "$0" --in-session "$calc" "$mode" "$scale"
    ;;
*) fail "unknown mode $mode" ;;
esac
