#!/usr/bin/env python3
"""Mutation testing: plants one fault at a time and runs the default test suite.

Usage: tools/mutate [--record] [WORD...]   (tools/mutate installs what is missing first)

Each mutant of tools/mutants.txt is applied alone to a copy of the tree in
build/mutate/src, rebuilt there with Ninja (incrementally) and run through ctest,
which stops at the first failing test. A mutant is killed when the build or a test
fails, and survives when every test passes. WORDs run only the mutants whose line
contains one of them.

The mutants killed so far are listed in tools/mutants-killed.txt; a mutant of that
list that survives fails the run, as does a survivor not marked equivalent or a
pattern no longer found in its file. --record rewrites that list from this run (with
WORDs, only the lines of the mutants run).
"""
import filecmp
import json
import os
import shutil
import subprocess
import sys
import time

ROOT = subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True, text=True,
                      cwd=os.path.dirname(os.path.abspath(__file__)), check=True).stdout.strip()
LIST = os.path.join(ROOT, "tools", "mutants.txt")
KILLED = os.path.join(ROOT, "tools", "mutants-killed.txt")
WORK = os.path.join(ROOT, "build", "mutate")
SRC = os.path.join(WORK, "src")
BUILD = os.path.join(WORK, "build")
EQUIVALENT = "[equivalent]"


class Mutant:
    def __init__(self, line):
        self.line = line
        self.equivalent = line.startswith(EQUIVALENT)
        body = line[len(EQUIVALENT):].strip() if self.equivalent else line
        self.file, rest = body.split(": ", 1)
        pattern, replacement = rest.split(" => ", 1)
        # Leading blanks belong to the pattern: they pin an indented statement.
        self.pattern = pattern.rstrip().replace("\\n", "\n")
        self.replacement = replacement.strip().replace("\\n", "\n")
        if self.replacement == "(nothing)":
            self.replacement = ""
        self.key = body


def read_mutants():
    with open(LIST, encoding="utf-8") as f:
        lines = [l.rstrip("\n") for l in f]
    mutants = [Mutant(l) for l in lines if l.strip() and not l.startswith("#")]
    # One file after the other: a file put back and mutated again is compiled once.
    order = {}
    for m in mutants:
        order.setdefault(m.file, len(order))
    return sorted(mutants, key=lambda m: order[m.file])


def sync_tree():
    """Copies the work tree (tracked and untracked, not ignored) to SRC, touching only
    files that differ, so that Ninja rebuilds only what changed."""
    files = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                           cwd=ROOT, capture_output=True, text=True, check=True).stdout.split("\0")
    wanted = {f for f in files if f and os.path.isfile(os.path.join(ROOT, f))}
    for f in wanted:
        src, dst = os.path.join(ROOT, f), os.path.join(SRC, f)
        if not os.path.exists(dst) or not filecmp.cmp(src, dst, shallow=False):
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copy2(src, dst)
            os.utime(dst)
    for dirpath, _, names in os.walk(SRC):
        for name in names:
            rel = os.path.relpath(os.path.join(dirpath, name), SRC)
            if rel not in wanted:
                os.remove(os.path.join(dirpath, name))


def run(cmd, timeout):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    try:
        return subprocess.run(cmd, cwd=WORK, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def build(targets=()):
    return run(["ninja", "-C", BUILD, "-j", "2", *targets], 600)


def test_programs():
    """The files of the build that the tests run: only these are rebuilt for a mutant."""
    listing = subprocess.run(["ctest", "--test-dir", BUILD, "--show-only=json-v1"], capture_output=True, text=True,
                             check=True).stdout
    files = set()
    for test in json.loads(listing).get("tests", []):
        for arg in test.get("command", []):
            path = arg.split("=", 1)[-1]
            if path.startswith(BUILD + os.sep) and os.path.isfile(path):
                files.add(os.path.relpath(path, BUILD))
    return sorted(files)


def tests_pass():
    # The package checks build and inspect the .deb: slow, and no planted fault changes them.
    return run(["ctest", "--test-dir", BUILD, "-j", "2", "--stop-on-failure", "--timeout", "60",
                "--label-exclude", "package"], 600)


def diff_of(m):
    old = ["- " + l for l in m.pattern.splitlines()] or ["- "]
    new = ["+ " + l for l in m.replacement.splitlines()] or ["+ "]
    return "\n".join(["    " + l for l in old + new])


def main(argv):
    record = "--record" in argv
    words = [a for a in argv if a != "--record"]
    mutants = [m for m in read_mutants() if not words or any(w in m.line for w in words)]
    killed_before = set()
    if os.path.exists(KILLED):
        with open(KILLED, encoding="utf-8") as f:
            killed_before = {l.rstrip("\n") for l in f if l.strip()}

    start = time.monotonic()
    os.makedirs(SRC, exist_ok=True)
    sync_tree()
    configure = ["cmake", "-S", SRC, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                 "-DCMAKE_CXX_FLAGS_RELEASE=-O1", "-DQUORRAN_TESTS=ON"]
    if not run(configure, 300) or not build() or not tests_pass():
        print("mutate: the unmutated tree does not build or pass its tests in " + BUILD)
        return 2
    targets = test_programs()

    killed, survived, missing = [], [], []
    for i, m in enumerate(mutants, 1):
        path = os.path.join(SRC, m.file)
        original = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
        count = original.count(m.pattern)
        if count != 1:
            missing.append(m)
            print(f"[{i}/{len(mutants)}] NOT FOUND ({count} matches): {m.key}", flush=True)
            continue
        began = time.monotonic()
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(m.pattern, m.replacement))
        try:
            dead = not build(targets) or not tests_pass()
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        (killed if dead else survived).append(m)
        verdict = "killed" if dead else ("survived (equivalent)" if m.equivalent else "SURVIVED")
        print(f"[{i}/{len(mutants)}] {verdict} ({time.monotonic() - began:.0f} s): {m.key}", flush=True)
    build()  # leave the copy as the tree is

    unexplained = [m for m in survived if not m.equivalent]
    regressions = [m for m in survived if m.key in killed_before]
    if survived:
        print("\nsurvivors:")
        for m in survived:
            print(("  equivalent: " if m.equivalent else "  ") + m.file)
            print(diff_of(m))
    for m in regressions:
        print("killed before, survives now: " + m.key)
    if record:
        # A run of some mutants (WORDs) keeps what is recorded of the others; in the list's order.
        now = {m.key for m in killed}
        ran = {m.key for m in mutants}
        keys = dict.fromkeys(m.key for m in read_mutants())
        with open(KILLED, "w", encoding="utf-8") as f:
            f.writelines(k + "\n" for k in keys if k in now or (k not in ran and k in killed_before))
    minutes, seconds = divmod(int(time.monotonic() - start), 60)
    print(f"\n{len(unexplained)} unexplained survivor(s), {len(missing)} pattern(s) not found, "
          f"{len(survived) - len(unexplained)} equivalent; {minutes} min {seconds} s")
    print(f"mutants: {len(killed)} killed, {len(survived)} survived")
    return 1 if unexplained or regressions or missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
