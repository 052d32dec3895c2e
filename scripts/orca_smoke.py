#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Runs the program under the Orca screen reader and checks what Orca said.

    orca_smoke.py PATH/TO/ravolin

Run by scripts/atspi-smoke.sh --orca, which provides the D-Bus session, the accessibility
bus and the X display. Starts Orca with a debug log and no speech server (Orca logs what
it would say as "SPEECH OUTPUT: '...'"), then the program, and drives the program through
AT-SPI:

1. the date/time correction (日時補正, 一時設定) puts the program's clock at 05:00 today,
   then 10 minutes before its first Shinkansen: that board line gains 急げ!!;
2. the search window (新幹線検索) gets the travel day 32 and 検索開始, twice: refused,
   the focus going to the day's box, then staying there;
3. the travel day back and 検索開始: the results window appears with its count.

Passes when Orca says, each within HEAR_SECONDS, the hurrying line, the refusal of the
travel day with its own reason (twice) and the count ("N件"). Ends Orca and the program
in any case.
ORCA_SMOKE_LOG=FILE keeps a copy of Orca's debug log.
"""

import datetime
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unicodedata

import pyatspi

import atspi_smoke as smoke

CORRECTION = "日時補正"
TEMPORARY = "一時設定"
SEARCH = "新幹線検索"
SEARCH_START = "検索開始"
RESULTS_TITLE = "新幹線検索結果"
DAY_BOX = "乗車予定日 日"
HURRY = "急げ!!"
REFUSAL = "入力エラーです"  # a travel day out of range has no message of its own
# Orca's settings: speech on, but no speech server (nothing to start, nothing to hear);
# Orca still logs every utterance.
ORCA_SETTINGS = {
    "general": {"enableSpeech": True, "speechServerFactory": "", "speechServerInfo": None},
    "profiles": {"default": {"profile": ["Default", "default"],
                             "pronunciations": {}, "keybindings": {}}},
    "pronunciations": {},
    "keybindings": {},
}
SETTLE_SECONDS = 1.5  # Orca handles events on its own time
HEAR_SECONDS = 40  # how long Orca may take to say something (its queue lags under load)
# Orca as /usr/bin/orca starts it, but with its debug log written line by line (Orca
# buffers it), so that the test can wait for each utterance as Orca says it.
ORCA_LAUNCHER = r"""
import builtins, runpy, sys
log = sys.argv[sys.argv.index("--debug-file") + 1]
plain_open = builtins.open
def open_log_by_lines(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode:
        return plain_open(file, mode, buffering=1, encoding="utf-8")
    return plain_open(file, mode, *args, **kwargs)
builtins.open = open_log_by_lines
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""


def orca_running():
    return any(app is not None and app.name == "orca"
               for app in pyatspi.Registry.getDesktop(0))


def start_orca(folder):
    prefs = os.path.join(folder, "orca-prefs")
    os.makedirs(prefs)
    with open(os.path.join(prefs, "user-settings.conf"), "w", encoding="utf-8") as f:
        json.dump(ORCA_SETTINGS, f)
    log = os.path.join(folder, "orca-debug.log")
    out = open(os.path.join(folder, "orca-output.txt"), "w", encoding="utf-8")
    orca = subprocess.Popen(
        [sys.executable, "-c", ORCA_LAUNCHER, "--user-prefs", prefs, "--debug-file", log],
        stdout=out, stderr=subprocess.STDOUT)
    out.close()
    end = time.monotonic() + smoke.WAIT_SECONDS
    while time.monotonic() < end and orca.poll() is None:
        try:
            if orca_running():
                return orca, log
        except Exception:
            pass
        time.sleep(0.2)
    with open(os.path.join(folder, "orca-output.txt"), encoding="utf-8") as f:
        said = f.read().strip()
    stop(orca)
    raise smoke.SmokeFailure("Orca did not start (another Orca of this user running?): " + said)


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)  # Orca writes the rest of its log and ends
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def spoken(log):
    with open(log, encoding="utf-8", errors="replace") as f:
        # SPEECH OUTPUT: 'the words'{voice} (or ' voice=name{...}, or '[{...}])
        return re.findall(r"SPEECH OUTPUT: '(.*?)'(?= voice=|\{|\[|$)", f.read(), re.M)


def matches(expected, utterance):
    if hasattr(expected, "search"):
        return expected.search(utterance) is not None
    return expected in plain(utterance)


def hear(log, what, expected, since):
    """Waits until Orca has said `expected` (a text or a pattern) after its first `since`
    utterances; the number of utterances then."""
    end = time.monotonic() + HEAR_SECONDS
    while time.monotonic() < end:
        said = spoken(log)
        if any(matches(expected, s) for s in said[since:]):
            print("heard %s" % what)
            return len(said)
        time.sleep(0.3)
    raise smoke.SmokeFailure("Orca did not say %s (%r) within %d s; it said: %s"
                             % (what, getattr(expected, "pattern", expected), HEAR_SECONDS,
                                said[since:]))


def text_boxes(win):
    return [a for a in smoke.descendants(win) if a.getRole() == pyatspi.ROLE_TEXT]


def set_text(box, text):
    box.queryEditableText().setTextContents(text)


def correct_clock(app, main, hour, minute):
    """The program's clock to today at hour:minute through 日時補正 and 一時設定."""
    smoke.press(main, CORRECTION)
    win = smoke.wait_for("the correction window", lambda: smoke.window(app, CORRECTION))
    # Twelve boxes: the system's date and time (read only), then the corrected ones.
    boxes = smoke.wait_for(
        "the corrected date and time boxes",
        lambda: text_boxes(win)[6:] if len(text_boxes(win)) == 12 else None,
        lambda: [(a.name, a.getRole().value_nick) for a in smoke.descendants(win)])
    today = datetime.date.today()
    for box, value in zip(boxes, [today.year, today.month, today.day, hour, minute, 0]):
        set_text(box, "%02d" % value)
    smoke.press(win, TEMPORARY)
    smoke.wait_for("the correction window to close",
                   lambda: smoke.window(app, CORRECTION) is None or None)


def plain(text):
    """Digits and colons as ASCII, blanks as one space (the board uses full-width ones)."""
    return " ".join(unicodedata.normalize("NFKC", text).split())


def first_departure(lines):
    for line in lines:
        m = re.search(r"(\d{1,2}):(\d{2})", plain(line))
        if m:
            return int(m.group(1)) * 60 + int(m.group(2))
    raise smoke.SmokeFailure("no departure time in the board lines: %s" % lines)


def drive(app, main, log):
    """Does what Orca should speak about, waiting each time until Orca has said it."""
    # 1. A line gains 急げ!!: at 05:00 the first train is far, then 10 minutes before it.
    correct_clock(app, main, 5, 0)
    departure = first_departure(smoke.wait_for("board lines", lambda: smoke.board_lines(main)))
    if departure < 5 * 60 + 20:
        raise smoke.SmokeFailure("a first train too early to step towards: %d" % departure)
    before = set(smoke.board_lines(main))
    since = len(spoken(log))
    correct_clock(app, main, (departure - 10) // 60, (departure - 10) % 60)
    hurry = smoke.wait_for("a board line that gained %s" % HURRY,
                           lambda: [l for l in smoke.board_lines(main)
                                    if HURRY in l and l not in before])
    since = hear(log, "the line that gained %s: %s" % (HURRY, plain(hurry[0])),
                 plain(hurry[0]), since)

    # 2. A refused travel day, spoken with its own reason.
    smoke.press(main, SEARCH)
    search = smoke.wait_for("the search window", lambda: smoke.window(app, smoke.SEARCH_TITLE))
    day = smoke.wait_for("the box %s" % DAY_BOX,
                         lambda: [a for a in text_boxes(search) if a.name == DAY_BOX])[0]
    text = day.queryText()
    day_before = text.getText(0, text.characterCount)
    set_text(day, "32")
    smoke.press(search, SEARCH_START)
    refusal = DAY_BOX + ": " + REFUSAL  # its own reason, not an older message
    since = hear(log, "the refusal of the travel day", refusal, since)
    # Again, with the focus already in the box: only the notice can say it.
    smoke.press(search, SEARCH_START)
    since = hear(log, "the refusal of the travel day, the focus staying", refusal, since)

    # 3. A finished search, spoken with its count.
    set_text(day, day_before)
    smoke.press(search, SEARCH_START)
    smoke.wait_for("the results window", lambda: smoke.window(app, RESULTS_TITLE))
    hear(log, "the number of connections found", re.compile(r"\d+件"), since)


def check(program_path, folder):
    orca, log = start_orca(folder)
    program = None
    try:
        program = subprocess.Popen([program_path])
        app = smoke.wait_for("the program on the accessibility bus",
                             lambda: smoke.program_app(program.pid))
        main = smoke.wait_for("the main window %r" % smoke.MAIN_TITLE,
                              lambda: smoke.window(app, smoke.MAIN_TITLE))
        smoke.wait_for("board lines in the main window", lambda: smoke.board_lines(main))
        time.sleep(SETTLE_SECONDS)
        drive(app, main, log)
    finally:
        if program is not None:
            stop(program)
        stop(orca)
        if os.environ.get("ORCA_SMOKE_LOG"):
            shutil.copyfile(log, os.environ["ORCA_SMOKE_LOG"])


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory() as folder:
        try:
            check(sys.argv[1], folder)
        except smoke.SmokeFailure as failure:
            print("orca-smoke: FAILED: %s" % failure, file=sys.stderr)
            return 1
    print("orca-smoke: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
