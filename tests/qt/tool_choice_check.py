#!/usr/bin/env python3
"""Choosing a tool in the toolbox window as assistive technology does, over AT-SPI: run
by screen-reader-check.

  tool_choice_check.py QUORRAN QUORRAN_CLI TOOLBOX_TABLE

TOOLBOX_TABLE prints the tool table as the window shows it in km. `QUORRAN --toolbox` is
opened on a first run outside the United States (so in km, as `quorran-cli` reads bare
values with QUORRAN_UNITS=km), and every tool of the table is chosen in the tool list in each way there is: the
list's accessible selection (Selection.selectChild where the bridge offers it; Qt 6.4's
offers the Table interface's row selection instead), the item's own action (what voice
control and switch access do), and the mouse and the keyboard through the registry's
synthesized events. After each: the list highlights that tool alone, as its selected and
its current (focused) item; the fields shown are the tool's, by their names; and with
the tool's examples typed into them, the report's values and table cells are what
`quorran-cli TOOL ... --json` gives for the same entries. A choice that would leave no
tool chosen (the chosen item's action again, a Ctrl+click) keeps the tool shown.
"""
import json
import os
import subprocess
import sys
import time

import pyatspi
from pyatspi import Atspi

from screen_reader_check import app_named, open_toolbox, until

FIELD_ROLES = {"text", "combo box", "check box"}
HOME, DOWN = 0xFF50, 0xFF54  # X keysyms
CONTROL, ALT = 4, 8  # X modifier masks
PAUSE = 0.05  # between synthesized events, for the X server and the window


# A watch's run, named by its full path: what the run tool reads wherever it was started.
SAMPLE_RUN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "runs", "xml", "gpx11-garmin.gpx")

def widgets(node, out):
    """The node and its descendants, but not the items of a list or the cells of a table."""
    out.append(node)
    if node.getRoleName() not in ("list", "table", "combo box"):
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child:
                widgets(child, out)
    return out


def key(sym):
    Atspi.generate_keyboard_event(sym, None, Atspi.KeySynthType.SYM)
    time.sleep(PAUSE)


# Does what with a modifier held: Alt+letter, Ctrl+click.
def holding(modifier, what):
    Atspi.generate_keyboard_event(modifier, None, Atspi.KeySynthType.LOCKMODIFIERS)
    time.sleep(PAUSE)
    what()
    Atspi.generate_keyboard_event(modifier, None, Atspi.KeySynthType.UNLOCKMODIFIERS)
    time.sleep(PAUSE)


# A label's mnemonic: Alt and its letter.
def alt(label):
    holding(ALT, lambda: key(ord(label[label.index("&") + 1].lower())))


def click(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    Atspi.generate_mouse_event(box.x + box.width // 2, box.y + box.height // 2, "b1c")
    time.sleep(PAUSE)


def has(node, interface):
    return interface in node.get_interfaces()


class Window:
    def __init__(self, app, table):
        self.table = table
        self.frame = app.getChildAtIndex(0)
        children = [self.frame.getChildAtIndex(i) for i in range(self.frame.childCount)]
        self.list = next(c for c in children if c.getRoleName() == "list")
        self.report_area = next(c for c in children if c.name == table["report_name"] and c.getRoleName() != "label")

    def items(self):
        return [self.list.getChildAtIndex(i) for i in range(self.list.childCount)]

    # The tools the list highlights (selected) and has current (focused), by title.
    def highlighted(self):
        items = self.items()
        return ([i.name for i in items if i.getState().contains(pyatspi.STATE_SELECTED)],
                [i.name for i in items if i.getState().contains(pyatspi.STATE_FOCUSED)])

    def fields(self):
        return [n for n in widgets(self.frame, []) if n.getRoleName() in FIELD_ROLES]

    # The report as a screen reader reads it: each value by its name, then each table's
    # cells with their columns' names.
    def report(self):
        nodes = widgets(self.report_area, [])
        heard = [n.name for n in nodes if n.getRoleName() == "label"]
        for table in (n for n in nodes if n.getRoleName() == "table"):
            cells = table.queryTable()
            heard += [f"{cells.getColumnDescription(c)}: {cells.getAccessibleAt(r, c).name}"
                      for r in range(cells.nRows) for c in range(cells.nColumns)]
        return heard


# What the report should read for an answer of quorran-cli --json: a value with its label
# unless it says what it is, a flagged one with its note's mark, then the cells.
def expected_report(answer):
    marks = {n["key"]: n["mark"] for n in answer["notes"] if n.get("mark")}
    shown = lambda cell: cell["text"] + (" " + marks[cell["flag"]] if cell.get("flag") in marks else "")
    values = [shown(h).strip() if h["self_described"] else f"{h['label']}: {shown(h).strip()}" for h in answer["headlines"]]
    cells = [f"{c['label']}: {shown(cell)}" for t in answer["tables"] for row in t["rows"]
             for c, cell in zip(t["columns"], row)]
    return values, cells


class Check:
    def __init__(self, window, cli, units):
        self.window, self.cli, self.units = window, cli, units
        self.failures = []
        self.answers = {}

    def fail(self, what):
        self.failures.append(what)

    # The tool shown and highlighted: its fields by name, its title alone selected and current.
    def shown(self, way, tool):
        labels = [e["label"] for e in tool["entries"]]
        if not until(lambda: [f.name for f in self.window.fields()] == labels):
            self.fail(f"{way} {tool['title']}: fields {[f.name for f in self.window.fields()]}, not {labels}")
            return False
        highlighted = until(lambda: self.window.highlighted() == ([tool["title"]], [tool["title"]]), 2)
        if not highlighted:
            self.fail(f"{way} {tool['title']}: the list highlights {self.window.highlighted()[0]} "
                      f"with {self.window.highlighted()[1]} current, the panel shows {tool['title']}")
        return bool(highlighted)

    # Types the table's examples as an assistive technology sets a field's text, takes a
    # choice with no default at its first value by the keyboard, empties an example that
    # the others exclude (the field it marks), and compares the report with quorran-cli's.
    def report(self, way, tool):
        fields = dict(zip((e["name"] for e in tool["entries"]), self.window.fields()))
        given = {}
        for e in tool["entries"]:
            if e["kind"] == "file":
                fields[e["name"]].queryEditableText().setTextContents(SAMPLE_RUN)
                given[e["name"]] = SAMPLE_RUN
            elif e["kind"] == "text" and e["example"]:
                fields[e["name"]].queryEditableText().setTextContents(e["example"])
                given[e["name"]] = e["example"]
            elif e["kind"] == "choice" and not e["text"]:
                fields[e["name"]].queryComponent().grabFocus()
                time.sleep(PAUSE)
                key(HOME)
                given[e["name"]] = e["choices"][0]["value"]
        for e in tool["entries"]:
            if e["name"] in given and e["kind"] in ("text", "file") and fields[e["name"]].description != e["tooltip"]:
                fields[e["name"]].queryEditableText().setTextContents("")
                del given[e["name"]]
        args = [given[e["name"]] for e in tool["entries"] if e["positional"] and e["name"] in given]
        args += [f"--{e['name']}={given[e['name']]}" for e in tool["entries"]
                 if not e["positional"] and e["name"] in given and given[e["name"]] != e["text"]]
        line = " ".join([tool["name"], *args])
        if line not in self.answers:
            run = subprocess.run([self.cli, tool["name"], *args, "--json"], capture_output=True, text=True,
                                 env=dict(os.environ, QUORRAN_UNITS=self.units))
            self.answers[line] = json.loads(run.stdout) if run.stdout else {"status": run.stderr}
        answer = self.answers[line]
        if answer["status"] != "ok":
            return self.fail(f"{way} {tool['title']}: quorran-cli {line}: {answer['status']}")
        values, cells = expected_report(answer)
        reads = lambda heard: [h for h in heard if h in values] == values and heard[len(heard) - len(cells):] == cells
        if not until(lambda: reads(self.window.report()), 3):
            self.fail(f"{way} {tool['title']}: the report reads {self.window.report()[:4]}..., not "
                      f"{(values + cells)[:4]}... (quorran-cli {line})")


def main():
    quorran, cli, table_program = sys.argv[1:]
    table = json.loads(subprocess.run([table_program], capture_output=True, text=True, check=True).stdout)
    tools = table["tools"]
    process = open_toolbox(quorran, None, "C.UTF-8")
    try:
        window = Window(app_named("quorran"), table)
        check = Check(window, cli, table["units"])
        if not until(lambda: [i.name for i in window.items()] == [t["title"] for t in tools]):
            sys.exit(f"the list shows {[i.name for i in window.items()]}, not the table's tools")
        lst = window.list
        ways = [
            ("mouse", lambda i: click(window.items()[i])),
            ("keyboard", lambda i: (alt(table["tools_label"]), key(HOME), *[key(DOWN) for _ in range(i)])),
        ]
        if has(lst, "Selection"):
            ways.append(("Selection.selectChild", lambda i: lst.querySelection().selectChild(i)))
        else:
            print("tool_choice_check: the list offers no Selection interface; its accessible selection is the Table's")
        ways += [
            ("Table.addRowSelection", lambda i: lst.queryTable().addRowSelection(i)),
            (f"the item's action ({window.items()[0].queryAction().getName(0)})",
             lambda i: window.items()[i].queryAction().doAction(0)),
        ]
        # Every tool each way, starting from the one after the tool shown, so each choice changes it.
        for way, choose in ways:
            for index in list(range(1, len(tools))) + [0]:
                tool = tools[index]
                choose(index)
                if check.shown(way, tool):
                    check.report(way, tool)
        # What would unselect the tool chosen keeps it chosen and shown, entries and report as they are.
        again = [
            ("the chosen item's action again", lambda i: window.items()[i].queryAction().doAction(0)),
            ("Table.removeRowSelection", lambda i: lst.queryTable().removeRowSelection(i)),
            ("Ctrl+click", lambda i: holding(CONTROL, lambda: click(window.items()[i]))),
        ]
        if has(lst, "Selection"):
            again.append(("Selection.deselectChild", lambda i: lst.querySelection().deselectChild(i)))
        before = window.report()
        for way, unchoose in again:
            unchoose(0)
            time.sleep(0.3)
            if check.shown(way, tools[0]) and window.report() != before:
                check.fail(f"{way}: the report changed to {window.report()[:4]}...")
        print(f"tool_choice_check: {len(tools)} tools chosen {len(ways)} ways: {', '.join(w for w, _ in ways)}")
        failures = check.failures
    finally:
        process.terminate()
        process.wait()
    for f in failures:
        print("FAILED " + f)
    print(f"tool choice: {len(failures)} problem(s)")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
