#!/usr/bin/env python3
"""quorran-cli from the outside.

  check_cli.py CLI transcript FILE...   each command of the transcripts: output and exit
  check_cli.py CLI schema SCHEMA        every subcommand's --json against the JSON Schema
  check_cli.py CLI docs MAN COMPLETION  the built manual page and completion agree with --help
  check_cli.py CLI readme README        every "$ quorran-cli ..." example of the README, as shown
  check_cli.py CLI entries TABLE        the odd entries of tests/odd_entries.txt, as each row says

Transcript lines: "$ ARGS" (shell quoting; <<X*N>> is X repeated N times; NAME=VALUE words
first set the environment), "? STATUS",
"> LINE" for each line of standard output (none: it must be empty; ">..." ends a listing
that goes on), ">~ PATTERN" for a pattern standard output must match instead, "! LINE"
for each line of standard error (none: unchecked; "!" alone: it must be empty). Any standard output that is JSON is
also checked against the schema when one is given with --schema.
"""
import json
import os
import re
import shlex
import subprocess
import sys
import tempfile


# Where quorran-cli runs: the project's root, so that the files it reads are named
# tests/runs/... in what it prints, wherever the build is.
ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


def run(cli, args):
    """quorran-cli with these arguments; NAME=VALUE words before them set its environment,
    and "< FILE" among them gives it that file as standard input."""
    env = {k: v for k, v in os.environ.items() if k != "QUORRAN_UNITS"}
    while args and re.match(r"^[A-Z_]+=", args[0]):
        name, value = args[0].split("=", 1)
        env[name], args = value, args[1:]
    stdin = subprocess.DEVNULL
    if "<" in args:
        at = args.index("<")
        stdin = open(os.path.join(ROOT, args[at + 1]), "rb")
        args = args[:at] + args[at + 2:]
    try:
        result = subprocess.run([cli] + args, capture_output=True, text=True, env=env, stdin=stdin, cwd=ROOT)
    finally:
        if stdin is not subprocess.DEVNULL:
            stdin.close()
    return result.returncode, result.stdout, result.stderr


def expand(arg):
    return re.sub(r"<<(.+?)\*(\d+)>>", lambda m: m.group(1) * int(m.group(2)), arg)


class Case:
    def __init__(self, where, args):
        self.where, self.args = where, args
        self.status, self.out, self.more, self.pattern, self.err = 0, [], False, None, None


def read_transcript(path):
    cases = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("$ "):
                cases.append(Case(f"{path}:{number}", [expand(a) for a in shlex.split(line[2:])]))
            elif line.startswith("? "):
                cases[-1].status = int(line[2:])
            elif line == ">...":
                cases[-1].more = True
            elif line.startswith(">~ "):
                cases[-1].pattern = line[3:]
            elif line.startswith(">"):
                cases[-1].out.append(line[2:])
            elif line == "!":
                cases[-1].err = []
            elif line.startswith("!"):
                cases[-1].err = (cases[-1].err or []) + [line[2:]]
    return cases


def validator(schema_path):
    import jsonschema
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    return jsonschema.Draft202012Validator(schema)


def schema_problems(check, text):
    try:
        document = json.loads(text)
    except json.JSONDecodeError as e:
        return [f"not JSON: {e}"]
    return [f"{'/'.join(map(str, e.path))}: {e.message}" for e in check.iter_errors(document)]


def transcript(cli, files, check):
    failures = count = 0
    for path in files:
        for case in read_transcript(path):
            count += 1
            status, out, err = run(cli, case.args)
            lines = out.split("\n")[:-1] if out else []
            problems = []
            if status != case.status:
                problems.append(f"exit {status}, expected {case.status}")
            if case.pattern is not None:
                if not re.search(case.pattern, out, re.S):
                    problems.append(f"standard output does not match {case.pattern!r}")
            elif (lines[: len(case.out)] if case.more else lines) != case.out:
                problems.append("standard output differs:\n" + out)
            if case.err is not None and err.split("\n")[:-1] != case.err:
                problems.append("standard error differs:\n" + err)
            if check and out.startswith("{"):
                problems += schema_problems(check, out)
            if problems:
                failures += 1
                print(f"FAILED {case.where}: quorran-cli {shlex.join(case.args)}\n  " + "\n  ".join(problems))
    print(f"{count} commands, {failures} failed")
    return failures == 0


def subcommands(cli):
    """The subcommands as the program's help lists them."""
    _, out, _ = run(cli, ["help"])
    listing = out.split("Subcommands:\n", 1)[1].split("\n\n", 1)[0]
    return [line.split()[0] for line in listing.split("\n") if line.startswith("  ") and line[2] != " "]


def help_section(cli, tool, title):
    _, out, _ = run(cli, ["help", tool])
    section = out.split(f"\n{title}:\n", 1)[1].split("\n\n", 1)[0]
    return [line.strip() for line in section.split("\n") if line.startswith("  ") and line[2] != " "]


def schema(cli, schema_path):
    """Every subcommand's examples, each with --json: answered, refused, usage errors."""
    check = validator(schema_path)
    failures = count = 0
    for tool in subcommands(cli):
        calls = [shlex.split(e)[1:] + ["--json"] for e in help_section(cli, tool, "Examples")]
        calls += [[tool, "--json"], [tool, "--json", "--bogus"], [tool, "--json", "0", "0", "0", "0", "0", "0"]]
        calls += [["help", tool, "--json"]]
        for args in calls:
            count += 1
            status, out, err = run(cli, args)
            problems = schema_problems(check, out)
            document = json.loads(out) if not problems else {}
            expected = {0: ("help" if args[0] == "help" else "ok"), 1: "warning", 2: ("refused", "usage")}.get(status, ())
            if document.get("status") not in expected:
                problems.append(f"status {document.get('status')!r} with exit {status}")
            if status == 2 and len(err.splitlines()) != 1:
                problems.append(f"standard error is not one line: {err!r}")
            if problems:
                failures += 1
                print(f"FAILED quorran-cli {shlex.join(args)}\n  " + "\n  ".join(problems))
    # The table itself: every tool, in the order help lists them.
    status, out, _ = run(cli, ["help", "--json"])
    count += 1
    if status != 0 or schema_problems(check, out) or [t["name"] for t in json.loads(out)["tools"]] != subcommands(cli):
        failures += 1
        print("FAILED quorran-cli help --json: " + out[:200])
    status, out, _ = run(cli, ["--json", "nosuch"])
    count += 1
    if status != 2 or schema_problems(check, out):
        failures += 1
        print("FAILED quorran-cli --json nosuch: " + out)
    print(f"{count} JSON outputs, {failures} failed")
    return failures == 0


def complete(completion, words):
    """What the bash completion offers for the words typed so far (the last being completed)."""
    script = f"""source {shlex.quote(completion)}
COMP_WORDS=({' '.join(shlex.quote(w) for w in words)}); COMP_CWORD={len(words) - 1}
_quorran_cli; printf '%s\\n' "${{COMPREPLY[@]}}" """
    return sorted(subprocess.run(["bash", "-c", script], capture_output=True, text=True, check=True).stdout.split())


def docs(cli, man, completion):
    failures = []
    tools = subcommands(cli)
    with open(man, encoding="utf-8") as f:
        page = f.read().replace("\\-", "-")
    if complete(completion, ["quorran-cli", ""]) != sorted(tools + ["help"]):
        failures.append("the completion's subcommands differ from help's")
    for tool in tools:
        _, out, _ = run(cli, ["help", tool])
        usage = out.split("\n", 1)[0].removeprefix("Usage: quorran-cli ")
        if usage not in page:
            failures.append(f"the manual page lacks the synopsis {usage!r}")
        options = sorted(o.split()[0].rstrip(",") for o in help_section(cli, tool, "Options") if o.startswith("--"))
        options += ["--help"]
        if complete(completion, ["quorran-cli", tool, "--"]) != sorted(options):
            failures.append(f"{tool}: the completion's options differ from help's: {options}")
        for option in options:
            if option not in ("--json", "--help") and f"\n.B {option}" not in page:
                failures.append(f"{tool}: the manual page lacks {option}")
        # A tool that reads a file completes files' names; the others, their own words.
        offered = complete(completion, ["quorran-cli", tool, os.path.join(ROOT, "tests", "runs", "fit", "garmin-fenix-5-run.f")])
        reads_files = "FILE" in usage.split()
        if (offered == [os.path.join(ROOT, "tests", "runs", "fit", "garmin-fenix-5-run.fit")]) != reads_files:
            failures.append(f"{tool}: the completion {'does not offer' if reads_files else 'offers'} files' names")
    with tempfile.TemporaryDirectory() as work:
        made = os.path.join(work, "made")
        subprocess.run([os.path.join(os.path.dirname(cli), "quorran-cli-docs"), "completion", made], check=True)
        if open(made).read() != open(completion).read():
            failures.append("the built completion is not what the table makes now")
    for f in failures:
        print("FAILED " + f)
    print(f"{len(tools)} subcommands, {len(failures)} problems")
    return not failures


def readme_examples(path):
    """The README's examples: in its code blocks, each line "$ quorran-cli ARGS" (a "# ..."
    after it is a comment) and the lines shown after it, up to the next command or the
    block's end. A line "..." stands for any lines, "..." inside a line for any text."""
    examples, block = [], None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("```"):
                block = None if block is not None else []
                continue
            if block is None:
                continue
            if line.startswith("$ quorran-cli"):
                command = re.sub(r"\s+#.*$", "", line[len("$ quorran-cli"):])
                examples.append((f"{path}:{number}", shlex.split(command), []))
                block.append(examples[-1])
            elif block:
                block[-1][2].append(line)
    return examples


def shown_as(expected, actual):
    """Whether the lines actually printed are the ones shown, with its elisions."""
    pattern = "".join(".*?\n" if line == "..." else re.escape(line).replace(re.escape("..."), ".*?") + "\n"
                      for line in expected)
    return re.fullmatch(pattern, "".join(l + "\n" for l in actual), re.S) is not None


def readme(cli, path):
    failures = 0
    examples = readme_examples(path)
    for where, args, expected in examples:
        while expected and not expected[-1]:
            expected.pop()  # a blank line between examples
        status, out, err = run(cli, args)
        actual = (out + err).split("\n")[:-1]
        if not shown_as(expected, actual):
            failures += 1
            print(f"FAILED {where}: quorran-cli {shlex.join(args)} prints:\n" + "\n".join(actual[:40]))
    print(f"{len(examples)} README examples, {failures} failed")
    return failures == 0 and examples


def odd_entries(path):
    """The rows of tests/odd_entries.txt: (line, tool, [(name, value)], what, name, rest)."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            tool, entries, what = (part.strip() for part in (line[:line.index("|")], line[line.index("|") + 1:line.rindex("|")], line[line.rindex("|") + 1:]))
            pairs = []
            for m in re.finditer(r'\s*([\w-]+)=("([^"]*)"|[^;]*)\s*;?', entries):
                pairs.append((m.group(1), m.group(3) if m.group(3) is not None else m.group(2).strip()))
            kind, name, rest = (what.split(" ", 2) + ["", ""])[:3]
            rows.append((line, tool, pairs, kind, name, rest))
    return rows


def entries(cli, path):
    """Each odd entry on the command line: its JSON reads, refuses or marks as the row says."""
    _, out, _ = run(cli, ["help", "--json"])
    table = {t["name"]: t for t in json.loads(out)["tools"]}
    failures, rows = 0, odd_entries(path)
    for line, tool, pairs, kind, name, rest in rows:
        given = dict(pairs)
        args = [tool]
        for p in table[tool]["params"]:
            if p["name"] not in given:
                continue
            value = given[p["name"]]
            if p["positional"]:
                args.append(value)
            elif p["kind"] == "flag":
                args.append("--" + p["name"].replace("_", "-"))
            else:
                args.append("--" + p["name"].replace("_", "-") + "=" + value)
        status, out, err = run(cli, args + ["--json"])
        document = json.loads(out)
        problem = None
        if kind == "refuses":
            param = next(p for p in table[tool]["params"] if p["name"] == name)
            argument = param["metavar"] if param["positional"] else "--" + name.replace("_", "-")
            error = document.get("error", {})
            if document["status"] != "refused" or error.get("argument") != argument or not error.get("reason", "").startswith(rest):
                problem = f"refused {error.get('argument')!r}: {error.get('reason')!r}" if error else document["status"]
        elif document["status"] != "ok":
            problem = document.get("error", {}).get("message", document["status"])
        elif kind == "marks":
            if not any(n["key"] == name for n in document["notes"]):
                problem = f"notes {[n['key'] for n in document['notes']]}"
        else:
            value = document["input"][name]["value"]
            if isinstance(value, (int, float)):
                ok = (str(value).startswith(rest[:-3]) if rest.endswith("...") else abs(value - float(rest)) <= 1e-9 * max(1, abs(value)))
            else:
                ok = value == rest
            if not ok or any(n["kind"] == "flag" for n in document["notes"]):
                problem = f"read as {value!r}, notes {[n['key'] for n in document['notes']]}"
        if problem:
            failures += 1
            print(f"FAILED {line}\n  quorran-cli {shlex.join(args)}: {problem}")
    print(f"{len(rows)} odd entries, {failures} failed")
    return failures == 0


def main():
    cli, what, *rest = sys.argv[1:]
    if what == "transcript":
        check = None
        if rest[0] == "--schema":
            check, rest = validator(rest[1]), rest[2:]
        ok = transcript(cli, rest, check)
    elif what == "schema":
        ok = schema(cli, rest[0])
    elif what == "readme":
        ok = readme(cli, rest[0])
    elif what == "entries":
        ok = entries(cli, rest[0])
    else:
        ok = docs(cli, *rest)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
