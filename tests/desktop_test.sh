#!/bin/bash
# The real program on real display servers, each run in a scratch home with servers of its own.
#   desktop_test.sh start CALC            X11: the window maps centred with its icon and class; Ctrl+X ends it
#   desktop_test.sh no-display CALC       no display to open: one line that says which, and exit status 1
#   desktop_test.sh screen-reader CALC QT [LOCALE]  X11 and AT-SPI: tests/atspi_test.py for CALC built with Qt QT,
#                                         in LOCALE (made with localedef; the names from its catalogue), then Off ends it
#   desktop_test.sh clipboard CALC        X11: Ctrl+C and the display's menu copy it, xclip reads it; Off ends it
#   desktop_test.sh wayland CALC SCALE    headless weston: the toplevel's title, app id and size; Off or Exit ends it
set -u
here=$(cd "$(dirname "$0")" && pwd)
calc=$(realpath "$2")
fail() { echo "FAIL: $*" >&2; exit 1; }
poll() { for ((i = 0; i < 100; i++)); do "$@" && return; sleep 0.1; done; false; } # up to 10 s
ended() {                                                                         # PID STDERR-FILE HOW
    timeout 10 tail --pid="$1" -f /dev/null
    wait "$1"
    status=$?
    # Qt asks the accessibility registry about each key and, with no answer in a tenth of a second (a loaded
    # machine), says so and hands the key on as it came: a slow registry, not the program's fault.
    grep -v '^QSpiApplication::keyEventError  "org.freedesktop.DBus.Error.NoReply"' "$2" >"$2.own"
    [ $status = 0 ] && [ ! -s "$2.own" ] || fail "$3: status $status, printed: $(cat "$2")"
    echo "ok   $3 ended it with status 0 and nothing printed"
}

if [ "$1" = --in-session ]; then # inside dbus-run-session: the accessibility bus first, Qt looks once
    mode=$3 scale=$4 language=${5:-} out=$XDG_RUNTIME_DIR/stderr
    trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null' EXIT
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    poll eval 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.a11y.Bus 2>/dev/null | grep -q "boolean true"'
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    if [ "$mode" != wayland ]; then
        QT_QPA_PLATFORM=xcb "$calc" 2>"$out" &
        app=$! key= qt=$4
    else
        weston --backend=headless-backend.so --use-pixman --socket=wl-test --scale="$scale" --debug \
            --idle-time=0 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
        poll test -S "$XDG_RUNTIME_DIR/wl-test"
        export WAYLAND_DISPLAY=wl-test
        weston-debug proto >"$XDG_RUNTIME_DIR/proto.log" 2>&1 &
        sleep 0.2
        env -u DISPLAY QT_QPA_PLATFORM=wayland "$calc" 2>"$out" &
        app=$! key=$([ "$scale" = 1 ] && echo off || echo Exit) qt=
        # The compositor's own view: a mapped toplevel, its title and app id, its client area in logical pixels.
        poll eval 'view=$(weston-debug scene-graph 2>/dev/null | grep -A3 "role xdg_toplevel") && [ -n "$view" ]'
        echo "$view"
        echo "$view" | grep -qF "top-level window 'Calculator' of io.github.calculatordevs.Calculator" ||
            fail "no toplevel named Calculator with the desktop entry's app id"
        size=$(echo "$view" | awk -F'[][(), \t]+' '/opaque/ { print $6 - $3 "x" $7 - $4 }')
        [ "$size" = 224x363 ] || fail "the client area is $size, not 224x363"
        # Drawn at the output's scale: a buffer of that scale, at least that many times the client area.
        [ "$scale" = 1 ] || grep -q "set_buffer_scale($scale)" "$XDG_RUNTIME_DIR/proto.log" || fail "no buffer scale $scale"
        grep -oE 'create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, [0-9]+, [0-9]+' "$XDG_RUNTIME_DIR/proto.log" |
            awk -F', ' -v s="$scale" '$3 >= 224 * s && $4 >= 363 * s { ok = 1 } END { exit !ok }' ||
            fail "no buffer of ${scale}x the window's size"
    fi
    /usr/bin/python3 "$here/atspi_test.py" $app "${key:-$mode}" $qt ${language:+"$(dirname "$calc")/locale" "$language"} ||
        exit 1
    ended $app "$out" "${key:-off}"
    exit 0
fi

work=$(mktemp -d -t desktop-test.XXXXXX)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 700 "$work/home" "$work/run"
# Nothing of the caller's desktop or session.
clean=(env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8
    ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} ${LSAN_OPTIONS:+LSAN_OPTIONS=$LSAN_OPTIONS})
if [ -n "${4:-}" ]; then # a clean root has no locale but C: made here, as a user's system has it
    mkdir "$work/locales"
    # Its status is 1 for a mere warning (a release's locale data not ISO C to the letter): the files decide.
    localedef -c -i "${4%%.*}" -f UTF-8 "$work/locales/$4" >"$work/localedef.log" 2>&1
    [ -s "$work/locales/$4/LC_MESSAGES/SYS_LC_MESSAGES" ] || fail "localedef could not make $4: $(cat "$work/localedef.log")"
    clean+=(LOCPATH="$work/locales" LANG="$4")
fi
if [[ $1 =~ ^(start|screen-reader|clipboard)$ ]]; then
    mkfifo "$work/displayfd"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
    read -r display <"$work/displayfd" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    clean+=(DISPLAY=":$display")
    export DISPLAY=":$display"
fi

case $1 in
start)
    wm_class=$(sed -n 's/^StartupWMClass=//p' "$here/../packaging/io.github.calculatordevs.Calculator.desktop.in")
    "${clean[@]}" "$calc" 2>"$work/stderr" &
    app=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Calculator$' | head -1) # or none: no icon
    poll eval 'xprop -id "$window" _NET_WM_ICON | grep -q "Icon (48 x 48)"' || fail "no icon after the first frame"
    xprop -id "$window" WM_CLASS | grep -qF "\"$wm_class\"" || fail "WM_CLASS is not the entry's $wm_class"
    geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left/ { printf "%s ", $4 } /Width|Height/ { printf "%s ", $2 }')
    [ "$geometry" = "400 202 224 363 " ] || fail "window at $geometry, not centred 224x363 on 1024x768"
    xdotool windowfocus --sync "$window" key ctrl+x # Off: the screen-reader and clipboard runs
    ended $app "$work/stderr" Ctrl+X
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
LANGUAGE=xx_YY LANG=fr_CA.UTF-8|an X display (DISPLAY is not set)
EOF
    ;;
*) timeout -k 5 90 "${clean[@]}" dbus-run-session -- "$0" --in-session "$calc" "$1" "${3:-1}" "${4:-}" ;;
esac
