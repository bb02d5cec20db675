#!/usr/bin/python3
"""A screen reader's view of the running calculator over AT-SPI, run by tests/desktop_test.sh.
   atspi_test.py PID        keys by their spoken names, what is announced, the display, DEG and RAD; then Off
   atspi_test.py PID NAME   only presses the push button or menu item NAME ("off", "Exit")"""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

warnings.filterwarnings("ignore", category=DeprecationWarning)  # get_action_name: the only one offered
failures = []
announced = []  # what a screen reader speaks by itself: the names of notifications as they appear


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


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


def press(node):
    actions = [node.get_action_name(i) for i in range(node.get_n_actions())]
    wanted = next((a for a in ("Press", "press", "click", "Toggle", "toggle") if a in actions), None)
    if wanted is None:
        check(False, f"'{node.get_name()}' offers a press action (has {actions})")
    return wanted is not None and node.do_action(actions.index(wanted))


def fresh(node):  # Qt pushes changes as events; a cached value could predate the click
    node.clear_cache()
    return node


def on_showing(event):
    if event.detail1 and event.source.get_role() == Atspi.Role.NOTIFICATION:
        announced.append(event.source.get_name())


def screen_reader_checks(app):
    keys = {name: find(app, Atspi.Role.PUSH_BUTTON, name) for name in
            ("two", "plus", "three", "equals", "divided by", "zero", "square root", "memory recall")}
    display = find(app, Atspi.Role.LABEL, description="display")
    deg = find(app, Atspi.Role.RADIO_BUTTON, "degrees")
    rad = find(app, Atspi.Role.RADIO_BUTTON, "radians")
    missing = [name for name, node in (*keys.items(), ("display", display), ("DEG", deg), ("RAD", rad)) if not node]
    check(not missing, f"keys, DEG and RAD are found by their spoken names, the display by its description ({missing})")
    if missing:
        return
    check(fresh(display).get_name() == "0", "the display reads '0' at start")

    listener = Atspi.EventListener.new(on_showing)
    listener.register("object:state-changed:showing")
    # (key, display after it): a key that leaves the display as it was is not announced.
    for name, shown in (("two", "2"), ("plus", "2"), ("three", "3"), ("equals", " 5"), ("divided by", " 5"),
                        ("zero", "0"), ("equals", "Cannot divide by 0")):
        count = len(announced)
        press(keys[name])
        wait_for(lambda: fresh(display).get_name() == shown and len(announced) > count, 1.0)
        if (name, shown) == ("equals", " 5"):
            check(fresh(display).get_name() == " 5", f"after 2 + 3 = review reads ' 5' ({display.get_name()!r})")
    wait_for(lambda: False, 0.3)  # a late or repeated announcement would show here
    want = ["2", "3", "5", "0", "Cannot divide by 0"]
    check(announced == want, f"each change is announced once: {announced} (want {want})")

    group = deg.get_parent()
    check(group.get_name() == "angle unit" and rad.get_parent() == group,
          f"DEG and RAD are heard in one group named 'angle unit' ({group.get_name()!r})")
    checked = lambda node: fresh(node).get_state_set().contains(Atspi.StateType.CHECKED)  # noqa: E731
    check(checked(deg) and not checked(rad), "DEG is selected at start")
    # A screen reader's Toggle selects without clicking: exactly the one pressed stays selected.
    for node, other, label in ((rad, deg, "RAD"), (rad, deg, "RAD again"), (deg, rad, "DEG"), (deg, rad, "DEG again")):
        press(node)
        wait_for(lambda: checked(node) and not checked(other), 2.0)
        wait_for(lambda: False, 0.3)
        check(checked(node) and not checked(other), f"after {label} exactly that one is selected")


def main():
    pid = int(sys.argv[1])
    Atspi.set_timeout(2000, 10000)
    desktop = Atspi.get_desktop(0)
    app = wait_for(lambda: next((a for a in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
                                 if a and a.get_process_id() == pid), None))
    check(app is not None, "the calculator is on the AT-SPI desktop")
    if app is None:
        return 1
    window = wait_for(lambda: app.get_child_count() > 0 and app.get_child_at_index(0))
    check(bool(window) and window.get_name() == "Calculator", "its window is named Calculator")
    name = sys.argv[2] if len(sys.argv) > 2 else None
    if name is None:
        screen_reader_checks(app)
        name = "off"
    key = find(app, Atspi.Role.PUSH_BUTTON, name) or find(app, Atspi.Role.MENU_ITEM, name)
    check(key is not None and press(key), f"'{name}' is pressed")
    return 1 if failures else 0


if __name__ == "__main__":
    status = main()
    print(f"{'FAILED' if status else 'PASSED'}: {len(failures)} check(s) failed", flush=True)
    sys.exit(status)
