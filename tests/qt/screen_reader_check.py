#!/usr/bin/env python3
"""The toolbox window as a screen reader meets it, over AT-SPI: run by screen-reader-check.

  screen_reader_check.py QUORRAN QUORRAN_CLI

Opens `QUORRAN --toolbox predict` with Qt's accessibility bridge on, on a first run in
the United States (settings empty, LANG=en_US.UTF-8), and through the AT-SPI registry
checks that every entry field is named by its label and that the unit setting is a group
named Units whose "miles" is checked; sets the race as an assistive technology would (5k
in 20:00, through EditableText); finds the main answer as the report's one heading,
before its other values, larger than they are, named with what `quorran-cli predict 5k
20:00 --json` gives as its main answer; reads the prediction table cell by cell with its
column names, which must give what the command line gives. Then chooses km by the radio
button's action, closes the window with Escape, and opens `QUORRAN --toolbox vdot`: the
race typed in Race prediction is in VDOT's fields, km is still the unit setting, and the
heading is VDOT's main answer.
"""
import json
import os
import subprocess
import sys
import time

import pyatspi
from pyatspi import Atspi

ESCAPE = 0xFF1B  # an X keysym


def tree(node, out):
    out.append(node)
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child:
            tree(child, out)
    return out


def app_named(name, seconds=10):
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(seconds * 10):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app and app.name == name:
                return app
        time.sleep(0.1)
    sys.exit(f"screen_reader_check: no application named {name} on the AT-SPI bus")


def until(found, seconds=5):
    for _ in range(seconds * 10):
        result = found()
        if result:
            return result
        time.sleep(0.1)
    return None


def open_toolbox(quorran, tool, lang="en_US.UTF-8"):
    """The toolbox on a tool (or the first), in a locale: a first run's units are miles in
    the United States' (en_US.UTF-8), km elsewhere."""
    env = {k: v for k, v in os.environ.items() if k not in ("LC_ALL", "LC_MEASUREMENT")}
    env["LANG"] = lang
    return subprocess.Popen([quorran, "--toolbox", *([tool] if tool else [])], env=env)


def cli_answer(cli, *args):
    return json.loads(subprocess.run([cli, *args, "--json"], capture_output=True, text=True, check=True).stdout)


def main_answer(answer):
    main = next(h for h in answer["headlines"] if h.get("main"))
    return main["text"].strip() if main["self_described"] else f"{main['label']}: {main['text'].strip()}"


class Window:
    def __init__(self, app):
        self.app = app

    def nodes(self, role):
        return [n for n in tree(self.app, []) if n.getRoleName() == role]

    def fields(self):
        return {n.name: n for n in self.nodes("text")}

    # The radio buttons of the group named Units, by name, each with whether it is checked.
    def units(self):
        groups = [n for n in tree(self.app, []) if n.name == "Units" and n.getRoleName() == "panel"]
        buttons = [n for g in groups for n in tree(g, []) if n.getRoleName() == "radio button"]
        return {b.name: b.getState().contains(pyatspi.STATE_CHECKED) for b in buttons}, buttons

    # The report as read in order: its headings and its labels.
    def report(self):
        area = next(n for n in self.nodes("filler") if n.name == "Result")
        return [n for n in tree(area, []) if n.getRoleName() in ("heading", "label")]


def check_main_answer(window, want, failures):
    """One heading in the report, the main answer, before every value and larger than them."""
    heard = until(lambda: [n for n in window.report() if n.getRoleName() == "heading"])
    names = [n.name for n in heard or []]
    if names != [want]:
        return failures.append(f"the report's headings are {names}, not the main answer {want!r}")
    report = window.report()
    values = [n for n in report if n.getRoleName() == "label" and ": " in n.name]
    height = lambda n: n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).height
    if report.index(heard[0]) > 1 or any(height(v) >= height(heard[0]) for v in values):
        failures.append(f"the main answer {want!r} is not first and largest")


def main():
    quorran, cli = sys.argv[1:]
    failures = []
    window = open_toolbox(quorran, "predict")
    try:
        win = Window(app_named("quorran"))
        fields = until(win.fields)
        want = {"Distance", "Time", "Riegel exponent", "Predict for"}
        if set(fields) != want:
            failures.append(f"entry fields named {sorted(fields)}, not {sorted(want)}")
        else:
            fields["Distance"].queryEditableText().setTextContents("5k")
            fields["Time"].queryEditableText().setTextContents("20:00")
        units, buttons = win.units()
        if units != {"km": False, "miles": True}:
            failures.append(f"a first run in the United States: the unit setting reads {units}, not miles checked")
        answer = cli_answer(cli, "predict", "5k", "20:00")
        check_main_answer(win, main_answer(answer), failures)
        tables = until(lambda: win.nodes("table"))
        expected = [[f"{c['label']}: {cell['text']}" for c, cell in zip(t["columns"], row)]
                    for t in answer["tables"] for row in t["rows"]]
        heard = []
        for table in tables or []:
            if not table.name:
                failures.append("a table without a name")
            cells = table.queryTable()
            for r in range(cells.nRows):
                heard.append([f"{cells.getColumnDescription(c)}: {cells.getAccessibleAt(r, c).name}"
                              for c in range(cells.nColumns)])
        if heard != expected:
            failures.append(f"the table's cells read {heard[:2]}..., not {expected[:2]}...")

        # km chosen as an assistive technology chooses, then the window closed as a user closes it.
        km = next(b for b in buttons if b.name == "km")
        km.queryAction().doAction(0)
        if not until(lambda: win.units()[0] == {"km": True, "miles": False}):
            failures.append(f"km chosen: the unit setting reads {win.units()[0]}")
        # With no window manager, a click (on km, chosen already) gives the window the keys.
        box = km.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        Atspi.generate_mouse_event(box.x + box.width // 2, box.y + box.height // 2, "b1c")
        time.sleep(0.2)
        Atspi.generate_keyboard_event(ESCAPE, None, Atspi.KeySynthType.SYM)
        window.wait(10)
    except subprocess.TimeoutExpired:
        failures.append("Escape did not close the toolbox")
    finally:
        if window.poll() is None:
            window.terminate()
            window.wait()

    # The next run, on another tool: the race typed, and km, kept.
    window = open_toolbox(quorran, "vdot")
    try:
        win = Window(app_named("quorran"))
        fields = until(lambda: (f := win.fields()) and "Distance" in f and f)
        kept = {name: fields[name].queryText().getText(0, -1) for name in ("Distance", "Time") if name in fields}
        if kept != {"Distance": "5k", "Time": "20:00"}:
            failures.append(f"the next run's VDOT shows {kept}, not the race typed in Race prediction")
        if win.units()[0] != {"km": True, "miles": False}:
            failures.append(f"the next run's unit setting reads {win.units()[0]}, not km as chosen")
        check_main_answer(win, main_answer(cli_answer(cli, "vdot", "5k", "20:00")), failures)
    finally:
        window.terminate()
        window.wait()
    for f in failures:
        print("FAILED " + f)
    print(f"screen reader: {len(failures)} problem(s)")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
