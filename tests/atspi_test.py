#!/usr/bin/python3
"""A screen reader's view of the running calculator over AT-SPI, run by tests/desktop_test.sh.
   atspi_test.py PID screen-reader QT [LOCALEDIR LOCALE]  keys by their spoken names, what is announced, the
                                       display, the DEG/RAD group, the menus, the About box; Off. QT: the Qt version
                                       the program is built with; LOCALE: the names are its catalogue's
   atspi_test.py PID clipboard         Ctrl+C and the display's menu (X11), and what another program reads; Off
   atspi_test.py PID NAME              only presses the push button or menu item NAME ("off", "Exit")"""
import contextlib
import gettext
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

warnings.filterwarnings("ignore", category=DeprecationWarning)  # get_action_name: the only one offered
failures = []
announced = []  # what a screen reader speaks by itself, as the program sends it
Role = Atspi.Role
_ = gettext.NullTranslations().gettext  # the program's language: English unless given one


def menu(text):  # a menu's name as heard: without the access key's mark
    return _(text).replace("&", "", 1)


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    return ok or failures.append(what)


def wait_for(probe, seconds=10.0):
    """Polls probe() until it is truthy or the time is up, dispatching AT-SPI events meanwhile."""
    end = time.monotonic() + seconds
    while not (value := probe()) and time.monotonic() <= end:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.05)
    return value


def walk(node, depth=0):
    if node is not None and depth <= 20:
        yield node
        for i in range(node.get_child_count()):
            yield from walk(node.get_child_at_index(i), depth + 1)


def find(app, role, name=None, description=None):
    return next((n for n in walk(app) if n.get_role() == role and name in (None, n.get_name())
                 and description in (None, n.get_description())), None)


def press(node):  # as a screen reader does: its Press or Toggle action, no click
    actions = [node.get_action_name(i) for i in range(node.get_n_actions())]
    return node.do_action(next(i for i, a in enumerate(actions) if a in ("Press", "Toggle")))


def fresh(node):  # Qt pushes changes as events; a cached value could predate the key
    node.clear_cache()
    return node


def click(node, button=1, times=1):  # with the mouse, in the middle of the node
    box = node.get_extents(Atspi.CoordType.SCREEN)
    subprocess.run(f"xdotool mousemove {box.x + box.width // 2} {box.y + box.height // 2} click --repeat {times} "
                   f"--delay 1 {button}".split())


def clipboard_checks(app):
    display, menus = find(app, Role.LABEL, description="display"), []  # menus: popup menus as they show
    listener = Atspi.EventListener.new(lambda event: event.detail1 and event.source.get_role() == Role.POPUP_MENU
                                       and menus.append(event.source))
    listener.register("object:state-changed:showing")
    xclip = lambda: subprocess.run("xclip -o -selection clipboard".split(), capture_output=True, text=True).stdout
    # Keys clicked (a count after *), the display, how it is copied, what another program reads: each unlike the
    # read before. The display's menu twice: a screen reader hears its item at every opening.
    for keys, shown, how, want in (
            ("two plus three equals", " 5", "Copy", "5"), ("change_sign", "- 5", "Ctrl+C", "-5"),
            ("change_sign", " 5", "Ctrl+C", "5"), ("change_sign", "- 5", "Copy", "-5"),
            ("clear one*300", "1" * 300, "Ctrl+C", "1" * 300),
            ("equals change_sign", "- Infinity", "Ctrl+C", "-Infinity"),
            ("clear seven*8 equals", " 7.777778E+07", "Ctrl+C", "7.777778E+07"),
            ("clear one divided_by two equals", " .5", "Ctrl+C", ".5"),
            ("divided_by zero equals", "Cannot divide by 0", "Ctrl+C", "Cannot divide by 0")):
        for name, _, times in (key.partition("*") for key in keys.split()):
            click(find(app, Role.PUSH_BUTTON, name.replace("_", " ")), times=times or 1)
        if how == "Copy":  # the display's menu, its item found by name
            menus.clear()
            click(display, button=3)
            click(wait_for(lambda: menus and find(menus[-1], Role.MENU_ITEM, "Copy")))
        else:  # to the key clicked last, which has the focus
            subprocess.run("xdotool search --onlyvisible --name ^Calculator$ windowfocus --sync key ctrl+c".split())
        got = wait_for(lambda: xclip() == want and want) or xclip()
        check(got == want and fresh(display).get_name() == shown, f"{how}: xclip reads {got[:20]!r}, {len(got)} long")


def screen_reader_checks(app, qt68):
    keys = {name: find(app, Role.PUSH_BUTTON, _(name)) for name in ("two", "plus", "three", "equals", "divided by", "zero",
                                                                    "square root")}
    display = find(app, Role.LABEL, description=_("display"))
    deg, rad = find(app, Role.RADIO_BUTTON, _("degrees")), find(app, Role.RADIO_BUTTON, _("radians"))
    menus = [(name, find(app, Role.MENU_ITEM, menu(name))) for name in ("&File", "E&xit", "&Help", "&About")]
    missing = [name for name, node in (*keys.items(), ("display", display), ("DEG", deg), ("RAD", rad), *menus)
               if not node]
    if not check(not missing, f"keys, DEG, RAD, menus are found by their names, the display as such {missing}"):
        return
    # Qt 6.8 announces the text from the display; before it, a notification named with the text appears.
    listener = Atspi.EventListener.new(lambda e: (qt68 or e.detail1) and e.source.get_role() == (
        Role.LABEL if qt68 else Role.NOTIFICATION) and announced.append(e.any_data if qt68 else e.source.get_name()))
    listener.register("object:announcement" if qt68 else "object:state-changed:showing")
    # "plus" and "divided by" leave the display as it was: they are not announced.
    for name in ("two", "plus", "three", "equals", "divided by", "zero", "equals"):
        count = len(announced)
        press(keys[name])
        wait_for(lambda: len(announced) > count, 1.0)
    wait_for(lambda: False, 0.3)  # a late or repeated announcement would show here
    want = ["2", "3", "5", "0", _("Cannot divide by 0")]
    check(announced == want, f"each change is announced once: {announced} (want {want})")
    check(deg.get_parent().get_name() == _("angle unit") and rad.get_parent() == deg.get_parent(),
          "DEG and RAD are heard in one group named 'angle unit'")
    about_checks(app)


def about_checks(app):
    """Late events make a screen reader read the About box after it closed: the box and its parts must still
    answer (one gone is an error here and a warning on the program's stderr). Orca 48 also listens for
    window:destroy, which Qt 6.8 does not send and would warn of whenever the listeners change."""
    Atspi.EventListener.new(lambda event: None).register("window:destroy")
    Atspi.set_timeout(300, 300)  # Qt replies to the action only when the modal box is closed
    with contextlib.suppress(GLib.Error):
        find(app, Role.MENU_ITEM, menu("&About")).do_action(0)
    Atspi.set_timeout(2000, 10000)
    parts = list(walk(wait_for(lambda: find(app, Role.ALERT, _("About Calculator")))))
    text = [node.get_name() for node in parts]
    about = _("Calculator, written by the Calculator developers in December 2026.")
    if check(text[-1:] == ["OK"] and about in text, f"the About box reads {text}"):
        press(parts[-1])
        check(wait_for(lambda: not fresh(parts[0]).get_state_set().contains(Atspi.StateType.SHOWING)),
              "OK closes the About box")
        gone = [node for node in parts if fresh(node).get_state_set().contains(Atspi.StateType.DEFUNCT)]
        check(not gone, f"closed, the About box and its {len(parts) - 1} parts still answer ({len(gone)} gone)")


def main():
    global _
    pid, name = int(sys.argv[1]), sys.argv[2]
    if len(sys.argv) > 5:  # fails unless the program's catalogue for the locale is there
        _ = gettext.translation("calculator", sys.argv[4], [sys.argv[5]]).gettext
    Atspi.set_timeout(2000, 10000)
    desktop = Atspi.get_desktop(0)
    app = wait_for(lambda: next((a for a in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
                                 if a and a.get_process_id() == pid), None), 30)  # sanitizers on a loaded machine
    window = app and wait_for(lambda: app.get_child_count() > 0 and app.get_child_at_index(0), 30)
    if not check(bool(window) and window.get_name() == _("Calculator"), "a window named Calculator is on AT-SPI"):
        return 1
    if name == "screen-reader":
        screen_reader_checks(app, tuple(int(n) for n in sys.argv[3].split(".")[:2]) >= (6, 8))
    elif name == "clipboard":
        clipboard_checks(app)
    name = _("off") if name in ("screen-reader", "clipboard") else name  # Off ends their runs
    key = find(app, Role.PUSH_BUTTON, name) or find(app, Role.MENU_ITEM, name)
    check(key is not None and press(key), f"'{name}' is pressed")
    return 1 if failures else 0


if __name__ == "__main__":
    status = main()
    print(f"{'FAILED' if status else 'PASSED'}: {len(failures)} check(s) failed", flush=True)
    sys.exit(status)
