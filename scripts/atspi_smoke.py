#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Starts the program and reads it through AT-SPI as a screen reader would.

    atspi_smoke.py PATH/TO/ravolin

Run by scripts/atspi-smoke.sh, which provides the D-Bus session, the accessibility bus
and the X display. Passes when the main window's board lists show their lines as list
items with text and its menu entries are named without access key marks ("&"), and,
after 新幹線検索 is pressed through the button's accessible action, the search window is
a frame whose text boxes carry every name of SEARCH_BOX_NAMES. Ends the program
it started in any case.
"""

import subprocess
import sys
import time

import pyatspi

MAIN_TITLE = "ラボリン&ホテル情報"
SEARCH_BUTTON = "新幹線検索"
SEARCH_TITLE = "新幹線の検索"
# The accessible names the search window's boxes must carry (each one at least once).
SEARCH_BOX_NAMES = [
    "乗車駅",
    "発車時刻 開始 時",
    "発車時刻 開始 分",
    "発車時刻 終了 時",
    "発車時刻 終了 分",
    "下車駅",
    "乗車予定日 年",
    "乗車予定日 月",
    "乗車予定日 日",
]
WAIT_SECONDS = 20


class SmokeFailure(Exception):
    pass


def wait_for(what, find, found_instead=None):
    """The first true answer of find() within WAIT_SECONDS, else a failure naming what
    (and what found_instead() answers then, if given)."""
    end = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < end:
        try:
            found = find()
        except Exception:  # the tree changes while it is read: ask again
            found = None
        if found:
            return found
        time.sleep(0.2)
    instead = ""
    if found_instead is not None:
        try:
            instead = " (found instead: %s)" % (found_instead(),)
        except Exception as error:  # the window has gone
            instead = " (%s)" % error
    raise SmokeFailure("not found within %d s: %s%s" % (WAIT_SECONDS, what, instead))


def descendants(acc, depth=0):
    yield acc
    if depth > 30:
        return
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from descendants(child, depth + 1)


def program_app(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def window(app, title):
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        if w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING):
            return w
    return None


def window_titles(app):
    return [app.getChildAtIndex(i).name for i in range(app.childCount)]


def board_lines(main):
    return [a.name for a in descendants(main)
            if a.getRole() == pyatspi.ROLE_LIST_ITEM and a.name.strip()]


def press(main, name):
    for a in descendants(main):
        if a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == name:
            action = a.queryAction()
            names = [action.getName(i).lower() for i in range(action.nActions)]
            action.doAction(names.index("press") if "press" in names else 0)
            return
    raise SmokeFailure("no button %r in the main window" % name)


def box_names(win):
    return [a.name for a in descendants(win) if a.getRole() == pyatspi.ROLE_TEXT]


def check(pid):
    app = wait_for("the program on the accessibility bus", lambda: program_app(pid))
    main = wait_for("the main window %r (windows: %s)" % (MAIN_TITLE, window_titles(app)),
                    lambda: window(app, MAIN_TITLE))
    lines = wait_for("board lines in the main window", lambda: board_lines(main))
    print("main window: %d board lines" % len(lines))
    for line in lines:
        print("  " + line)

    entries = [a.name for a in descendants(main) if a.getRole() == pyatspi.ROLE_MENU_ITEM]
    print("menu entries: " + ", ".join(entries))
    if not entries:
        raise SmokeFailure("no menu entries in the main window")
    marked = [name for name in entries if "&" in name]
    if marked:
        raise SmokeFailure("menu entries named with access key marks: " + ", ".join(marked))

    press(main, SEARCH_BUTTON)
    search = wait_for("the search window %r after %s" % (SEARCH_TITLE, SEARCH_BUTTON),
                      lambda: window(app, SEARCH_TITLE))
    if search.getRole() != pyatspi.ROLE_FRAME:
        raise SmokeFailure("the search window is a %s, not a frame" % search.getRoleName())
    names = wait_for("text boxes in the search window", lambda: box_names(search))
    print("search window boxes: " + ", ".join(names))
    missing = [n for n in SEARCH_BOX_NAMES if n not in names]
    if missing:
        raise SmokeFailure("search window boxes without these names: " + ", ".join(missing))


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    program = subprocess.Popen([sys.argv[1]])
    try:
        check(program.pid)
    except SmokeFailure as failure:
        print("atspi-smoke: FAILED: %s" % failure, file=sys.stderr)
        return 1
    finally:
        program.terminate()
        try:
            program.wait(timeout=5)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
    print("atspi-smoke: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
