#!/usr/bin/env python3
"""Reads the translation window over the AT-SPI bus, as a screen reader (Orca) does.

Run under an X server and a D-Bus session of its own (xvfb-run, dbus-run-session), with the
program as the argument. It starts the program in a scratch home, presses "Anglicko český
překlad" through its accessible action, finds the translation window's controls by their names
and roles, prints the window's tree, closes the window through the close picture's action and
ends the program with "Konec". Exits non-zero, saying what is missing, when a control is not
found as a screen reader needs it.
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

MAIN_CAPTION = "Anglicko-český slovník verze 2.0"
CAPTION = "Překlad anglicko-český"
# (role, name) of every control a screen reader must find in the translation window.
EXPECTED = [
    ("text", "Zapište text a klepněte na tlačítko Překlad:"),
    ("text", "Výsledek překladu"),
    ("push button", "Překlad"),
    ("label", "Zapište text a klepněte na tlačítko Překlad:"),
    ("push button", "Zavřít"),
]


def wait_for(what, find, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit(f"not found over AT-SPI: {what}")


def windows():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None:
                yield window


def window_named(caption):
    return next((w for w in windows() if w.name == caption and showing(w)), None)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def descendants(accessible):
    for child in accessible:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(window, role, name):
    return next((c for c in descendants(window) if c.getRoleName() == role and c.name == name), None)


def press(accessible):
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        sys.exit(f"{accessible.getRoleName()} '{accessible.name}' cannot be pressed: {names}")
    actions.doAction(names.index("Press"))


def dump(accessible, depth=0):
    actions = ""
    try:
        action = accessible.queryAction()
        actions = " [" + ", ".join(action.getName(i) for i in range(action.nActions)) + "]"
    except NotImplementedError:
        pass
    print(f"{'  ' * depth}{accessible.getRoleName()} '{accessible.name}'{actions}")
    for child in accessible:
        if child is not None:
            dump(child, depth + 1)


def main():
    home = tempfile.mkdtemp(prefix="slovnik-atspi-")
    env = dict(os.environ, HOME=home, XDG_DATA_HOME=os.path.join(home, "share"),
               QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        main_window = wait_for(MAIN_CAPTION, lambda: window_named(MAIN_CAPTION))
        press(wait_for("Anglicko český překlad",
                       lambda: find(main_window, "push button", "Anglicko český překlad")))
        window = wait_for(CAPTION, lambda: window_named(CAPTION))
        dump(window)
        missing = [f"{role} '{name}'" for role, name in EXPECTED if find(window, role, name) is None]
        if missing:
            sys.exit("missing over AT-SPI: " + ", ".join(missing))
        press(find(window, "push button", "Zavřít"))
        wait_for("the translation window closed",
                 lambda: True if window_named(CAPTION) is None else None)
        press(find(main_window, "push button", "Konec"))
        program.wait(timeout=30)
    finally:
        if program.poll() is None:
            program.kill()


if __name__ == "__main__":
    main()
