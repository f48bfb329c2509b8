#!/usr/bin/python3
"""Checks that verdal-run's manual page and its --help text agree: the same long options and
the same exit codes with the same meaning.

    check_manpage.py VERDAL_RUN MANPAGE
"""
import re
import subprocess
import sys


def roff_sections(text):
    sections, name = {}, None
    for line in text.splitlines():
        if line.startswith(".SH "):
            name = line[4:].strip().strip('"')
            sections[name] = []
        elif name:
            sections[name].append(line)
    return sections


def unroff(line):
    line = re.sub(r"^\.[A-Z]+\s*", "", line).replace("\\-", "-")
    return re.sub(r"\\f[BIRP]", "", line).replace('"', "").strip()


def tagged_entries(lines):
    """The tag line and the first body line of each .TP entry."""
    entries = []
    for i, line in enumerate(lines):
        if line == ".TP" and i + 2 < len(lines):
            entries.append((unroff(lines[i + 1]), unroff(lines[i + 2])))
    return entries


def man_facts(text):
    sections = roff_sections(text)
    options = set()
    for tag, _ in tagged_entries(sections.get("OPTIONEN", [])):
        options.update(re.findall(r"--[a-z][a-z-]*", tag))
    codes = {}
    for tag, body in tagged_entries(sections.get("RÜCKGABEWERT", [])):
        codes[tag] = re.split(r"[,(]", body)[0].strip()
    return options, codes


def help_facts(text):
    options = set()
    for line in text.splitlines():
        if line.startswith("  -"):
            options.update(re.findall(r"--[a-z][a-z-]*", line.split("  ")[1]))
    codes = {}
    tail = " ".join(text.split("Rückgabewert:", 1)[1].split()) if "Rückgabewert:" in text else ""
    for part in re.split(r",\s*", tail.rstrip(".")):
        match = re.match(r"(\d+) (.+)", part)
        if match:
            codes[match.group(1)] = match.group(2)
    return options, codes


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    run = subprocess.run([sys.argv[1], "--help"], capture_output=True, text=True, timeout=30)
    help_options, help_codes = help_facts(run.stdout)
    with open(sys.argv[2], encoding="utf-8") as f:
        man_options, man_codes = man_facts(f.read())
    failures = []
    if not help_options or not help_codes:
        failures.append("--help shows no options or exit codes:\n" + run.stdout)
    for option in sorted(help_options - man_options):
        failures.append("the manual page lacks " + option)
    for option in sorted(man_options - help_options):
        failures.append("--help lacks " + option)
    if help_codes != man_codes:
        failures.append("exit codes differ: --help %r, manual page %r" % (help_codes, man_codes))
    for text in failures:
        print("FAIL: " + text)
    if not failures:
        print("manual page and --help agree on %d options and %d exit codes"
              % (len(help_options), len(help_codes)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
