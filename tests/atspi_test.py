#!/usr/bin/python3
"""A screen reader's view of the running calculator: finds it on the AT-SPI desktop by its process id,
presses keys by their spoken names, reads the display and switches the angle unit.
Run by tests/atspi_test.sh inside its own X server and D-Bus session: atspi_test.py PID."""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# get_action_name is the only action-name call this libatspi offers to Python.
warnings.filterwarnings("ignore", category=DeprecationWarning)

WAIT = 10.0  # seconds for anything to appear or change; a click lands ~100 ms after its action
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def wait_for(probe, seconds=WAIT):
    """Polls probe() until it returns something truthy or the time is up; returns the last value."""
    end = time.monotonic() + seconds
    while not (value := probe()) and time.monotonic() <= end:
        time.sleep(0.05)
    return value


def children(node):
    return (node.get_child_at_index(i) for i in range(node.get_child_count()))


def find_app(pid):
    return next((app for app in children(Atspi.get_desktop(0)) if app and app.get_process_id() == pid), None)


def walk(node, depth=0):
    if node is not None and depth <= 20:
        yield node
        for child in children(node):
            yield from walk(child, depth + 1)


def by_name(app, name, role):
    return next((n for n in walk(app) if n.get_name() == name and n.get_role() == role), None)


def press(node, name):
    actions = [node.get_action_name(i) for i in range(node.get_n_actions())]
    for wanted in ("Press", "press", "click", "Toggle", "toggle"):
        if wanted in actions:
            node.do_action(actions.index(wanted))
            return True
    check(False, f"'{name}' offers a press action (has {actions})")
    return False


# Qt pushes changes as events; reading through the cache could see the text before the click.
def display_text(display):
    display.clear_cache()
    text = display.get_description()
    if not text and display.get_text_iface() is not None:
        text = display.get_text(0, -1)
    return text


def checked(node):
    node.clear_cache()
    return node.get_state_set().contains(Atspi.StateType.CHECKED)


def main():
    pid = int(sys.argv[1])
    Atspi.set_timeout(2000, 10000)
    app = wait_for(lambda: find_app(pid))
    check(app is not None, "the calculator is on the AT-SPI desktop")
    if app is None:
        return 1
    window = wait_for(lambda: app.get_child_count() > 0 and app.get_child_at_index(0))
    check(bool(window) and window.get_name() == "Calculator", "its window is named Calculator")

    keys = {}
    for name in ("two", "plus", "three", "equals", "square root", "memory recall", "decimal point"):
        keys[name] = by_name(app, name, Atspi.Role.PUSH_BUTTON)
        check(keys[name] is not None, f"a push button is named '{name}'")
    display = by_name(app, "display", Atspi.Role.LABEL)
    check(display is not None, "a label is named 'display'")
    deg = by_name(app, "degrees", Atspi.Role.RADIO_BUTTON)
    rad = by_name(app, "radians", Atspi.Role.RADIO_BUTTON)
    check(deg is not None and rad is not None, "DEG and RAD are radio buttons named 'degrees', 'radians'")
    if failures:
        return 1

    check(display_text(display) == "0", "the display reads '0' at start")
    for name, shown in (("two", "2"), ("plus", "2"), ("three", "3"), ("equals", " 5")):
        before = display_text(display)
        if not press(keys[name], name):
            return 1
        if before != shown:
            wait_for(lambda: display_text(display) == shown)
        else:  # the text stays: let the click land before the next key
            time.sleep(0.3)
    check(display_text(display) == " 5", f"2 + 3 = reads ' 5' (read {display_text(display)!r})")

    check(checked(deg) and not checked(rad), "DEG is selected at start")
    # RAD, RAD again, DEG, DEG again: each time exactly the one pressed stays selected.
    for node, other, label in ((rad, deg, "RAD"), (rad, deg, "RAD again"), (deg, rad, "DEG"),
                               (deg, rad, "DEG again")):
        press(node, label)
        wait_for(lambda: checked(node) and not checked(other), 2.0)
        time.sleep(0.3)  # a late click would show here
        check(checked(node) and not checked(other),
              f"after {label} exactly that one is selected (DEG {checked(deg)}, RAD {checked(rad)})")
    return 1 if failures else 0


if __name__ == "__main__":
    status = main()
    print(f"{'FAILED' if status else 'PASSED'}: {len(failures)} check(s) failed", flush=True)
    sys.exit(status)
