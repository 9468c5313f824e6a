#!/usr/bin/env python3
"""The toolbox window as a screen reader meets it, over AT-SPI: run by screen-reader-check.

  screen_reader_check.py QUORRAN QUORRAN_CLI

Opens `QUORRAN --toolbox predict` with Qt's accessibility bridge on, and through the
AT-SPI registry checks that every entry field is named by its label; sets the race as an
assistive technology would (5k in 20:00, through EditableText); and reads the prediction
table cell by cell with its column names, which must give what `quorran-cli predict 5k
20:00 --json` gives.
"""
import json
import subprocess
import sys
import time

import pyatspi


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


def main():
    quorran, cli = sys.argv[1:]
    window = subprocess.Popen([quorran, "--toolbox", "predict"])
    failures = []
    try:
        app = app_named("quorran")
        fields = until(lambda: {n.name: n for n in tree(app, []) if n.getRoleName() == "text"})
        want = {"Distance", "Time", "Riegel exponent"}
        if set(fields) != want:
            failures.append(f"entry fields named {sorted(fields)}, not {sorted(want)}")
        else:
            fields["Distance"].queryEditableText().setTextContents("5k")
            fields["Time"].queryEditableText().setTextContents("20:00")
        tables = until(lambda: [n for n in tree(app, []) if n.getRoleName() == "table"])
        answer = json.loads(subprocess.run([cli, "predict", "5k", "20:00", "--json"], capture_output=True,
                                           text=True, check=True).stdout)
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
    finally:
        window.terminate()
        window.wait()
    for f in failures:
        print("FAILED " + f)
    print(f"screen reader: {len(failures)} problem(s)")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
