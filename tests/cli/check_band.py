#!/usr/bin/env python3
"""The pace band from the outside: quorran-cli plan ... --band FORMAT against --json.

  check_band.py CLI

For each plan: --band prints the report's document as it is; the SVG is well-formed
XML sized in mm, black on white, digits at least 3 mm high; its times are the plan's
JSON (every cumulative time, and halfway) in order; every row lies in one of the strips
it draws, and a marathon by the mile takes two strips 25 mm wide. The CSV reads back
with the title the runner typed, whatever it holds; so does the SVG.
"""
import csv
import json
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
DIGIT_HEIGHT = 0.72  # of the font size, in common sans-serif faces


def run(cli, args, errors="strict"):
    """Standard output; the bands must be UTF-8 whatever was typed (the JSON echoes the
    entries as typed, so it is read with errors="replace")."""
    result = subprocess.run([cli] + args, capture_output=True)
    if result.returncode != 0:
        raise AssertionError(f"quorran-cli {args}: exit {result.returncode}: {result.stderr!r}")
    return result.stdout.decode("utf-8", errors)


def expected_times(report):
    """The cumulative times of the splits and the halfway time, in order, once each."""
    rows = next(t for t in report["tables"] if t["key"] == "splits")["rows"]
    times = {(row[2]["value"], row[2]["text"]) for row in rows}
    halfway = next(h for h in report["headlines"] if h["key"] == "halfway")
    times.add((halfway["value"], halfway["text"]))
    return [text for _, text in sorted(times)]


def mm(value, where):
    if not re.fullmatch(r"\d+(\.\d+)?mm", value):
        raise AssertionError(f"{where} is not in mm: {value!r}")
    return float(value[:-2])


def check_svg(svg, report, strips_wanted, title):
    problems = []
    root = ET.fromstring(svg.encode("utf-8"))  # raises when it is not well-formed
    width, height = mm(root.get("width"), "width"), mm(root.get("height"), "height")
    if [float(v) for v in root.get("viewBox").split()] != [0, 0, width, height]:
        problems.append(f"the viewBox {root.get('viewBox')} is not the page, {width} x {height} mm")
    strips = [(float(r.get("x")), float(r.get("y")), float(r.get("width")), float(r.get("height")))
              for r in root.iter(SVG + "rect") if r.get("class") == "strip"]
    if len(strips) != strips_wanted[0] or any(w != strips_wanted[1] for _, _, w, _ in strips):
        problems.append(f"strips {strips}, wanted {strips_wanted[0]} of {strips_wanted[1]} mm")
    for x, y, w, h in strips:
        if x < 0 or y < 0 or x + w > width or y + h > height:
            problems.append(f"a strip off the page: {(x, y, w, h)}")
    for element in root.iter():
        for attribute in ("fill", "stroke"):
            if element.get(attribute) not in (None, "#000", "#fff", "none"):
                problems.append(f"not black on white: {attribute}={element.get(attribute)}")
    times = []
    for text in root.iter(SVG + "text"):
        x, y, size = float(text.get("x")), float(text.get("y")), float(text.get("font-size"))
        inside = [s for s in strips if s[0] <= x <= s[0] + s[2] and s[1] <= y <= s[1] + s[3]]
        if not inside:
            problems.append(f"{text.text!r} at {x}, {y} lies in no strip")
        if re.search(r"\d", text.text or "") and size * DIGIT_HEIGHT < 3:
            problems.append(f"{text.text!r}: digits {size * DIGIT_HEIGHT:.2f} mm high")
        if text.get("class") == "time":
            times.append(text.text)
    if times != expected_times(report):
        problems.append(f"the band's times {times} are not the plan's {expected_times(report)}")
    # Lines break at blanks, so blanks are compared as one.
    heading = " ".join(t.text for t in root.iter(SVG + "text") if t.get("class") == "head")
    if not " ".join(heading.split()).startswith(" ".join(title.split())):
        problems.append(f"the heading {heading!r} does not begin with the title {title!r}")
    return problems


def check_csv(text, report, title, svg_times):
    rows = list(csv.reader(text.splitlines()))
    problems = []
    goal = next(h for h in report["headlines"] if h["key"] == "race")["text"].split(" in ")[-1]
    if rows[0] != ["race", "goal", "strategy"] or rows[1][:2] != [title, goal] or len(rows[1]) != 3:
        problems.append(f"the CSV's heading rows: {rows[:2]}")
    if [row[1] for row in rows[4:]] != svg_times:
        problems.append("the CSV's times are not the SVG's")
    return problems


# Arguments, the strips and their width, and the title as the band should show it.
CASES = [
    (["plan", "marathon", "3:30:00"], (2, 25), "Marathon", None),
    (["plan", "half", "1:45:00", "--negative", "-3"], (1, 25), "Half marathon", None),
    (["plan", "10k", "45:00"], (1, 25), "10 km", None),
    (["plan", "42.195km", "3:30:00", "--negative", "2", "--title", '<b>&"'], (2, 25), '<b>&"', None),
    (["plan", "100mi", "30:00:00"], (5, 27), "100 mi", None),
    # Three lines of title at most, the last cut with an ellipsis.
    (["plan", "marathon", "3:30:00", "--title", "Berlin Marathon 2026 with a long name"], (2, 25),
     "Berlin Marathon 2026 with\u2026 3:30:00", "Berlin Marathon 2026 with a long name"),
    (["plan", "5k", "20:00", "--title", 'Big "City", 5k\r\nrun'], (1, 25), 'Big "City", 5k  run', None),
    (["plan", "5k", "20:00", "--title", "=1+2"], (1, 25), "=1+2", "'=1+2"),
    (["plan", "5k", "20:00", "--title", b"Caf\xc3\xa9 \xff\x01"], (1, 25), "Caf\u00e9 \ufffd ", None),
]


def main():
    cli = sys.argv[1]
    failures = 0
    for args, strips, title, csv_title in CASES:
        shown = " ".join(a if isinstance(a, str) else repr(a) for a in args)
        try:
            report = json.loads(run(cli, args + ["--json"], "replace"))
            documents = {d["key"]: d for d in report["documents"]}
            bands = {key: run(cli, args + ["--band", key]) for key in ("text", "csv", "svg")}
            problems = [f"--band {k} is not the report's document" for k in bands if bands[k] != documents[k]["text"]]
            problems += check_svg(bands["svg"], report, strips, title)
            svg_times = [t.text for t in ET.fromstring(bands["svg"].encode()).iter(SVG + "text") if t.get("class") == "time"]
            problems += check_csv(bands["csv"], report, csv_title or title, svg_times)
        except (AssertionError, ET.ParseError, KeyError, StopIteration, ValueError, UnicodeError) as e:
            problems = [f"{type(e).__name__}: {e}"]
        if problems:
            failures += 1
            print(f"FAILED quorran-cli {shown}\n  " + "\n  ".join(problems))
    print(f"{len(CASES)} bands, {failures} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
