#!/usr/bin/env python3
"""Writes a manual page from its source (data/man/NAME.1.in) and the help the
built program prints, so that the page cannot drift from --help.

    manpage.py PROGRAM SOURCE OUTPUT VERSION

PROGRAM is run with --help; when that help lists commands (the indented
lines below a line "commands:"), PROGRAM COMMAND --help is run for each too.
The helps, one after the other, replace the line @USAGE@ of SOURCE;
@VERSION@ is replaced by VERSION. Every option the help names must have its
own .TP entry under OPTIONS, and every entry must name an option of the help:
otherwise nothing is written and the exit status is 1. OUTPUT ending in .gz is
compressed without a time stamp (the same bytes on every build).
"""
import gzip
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])(--?[a-zA-Z][\w-]*)")


def roff_verbatim(text):
    """The help text as lines a no-fill block shows as they are."""
    lines = []
    for line in text.rstrip("\n").split("\n"):
        line = line.replace("\\", "\\e").replace("-", "\\-")
        if line.startswith((".", "'")):
            line = "\\&" + line
        lines.append(line)
    return "\n".join(lines)


def documented_options(source):
    """The options named by the .TP entries of the OPTIONS section."""
    found = set()
    section = None
    lines = source.split("\n")
    for i, line in enumerate(lines):
        if line.startswith(".SH"):
            section = line[3:].strip().strip('"')
        elif section == "OPTIONS" and line.startswith(".TP") and i + 1 < len(lines):
            heading = re.sub(r"\\f[BIRP]", " ", lines[i + 1]).replace("\\-", "-")
            found.update(OPTION.findall(heading))
    return found


def commands(text):
    """The command names listed below the line "commands:" of a help."""
    names = []
    listing = False
    for line in text.split("\n"):
        if line.strip() == "commands:":
            listing = True
        elif listing:
            match = re.match(r"^  ([a-z][\w-]*)  ", line)
            if not match:
                break
            names.append(match.group(1))
    return names


def run_help(program, words):
    """The help PROGRAM WORDS --help prints; exits when it fails."""
    run = subprocess.run([program, *words, "--help"], capture_output=True, text=True,
                         check=False)
    if run.returncode != 0 or not run.stdout:
        shown = " ".join([program, *words])
        sys.exit(f"manpage.py: {shown} --help failed ({run.returncode}): {run.stderr}")
    return run.stdout


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    program, source_path, output, version = sys.argv[1:]
    top = run_help(program, [])
    helps = [top] + [run_help(program, [name]) for name in commands(top)]
    text = "\n".join(h.rstrip("\n") + "\n" for h in helps)
    with open(source_path, encoding="utf-8") as f:
        source = f.read()
    in_help = set(OPTION.findall(text))
    documented = documented_options(source)
    if in_help != documented:
        missing = ", ".join(sorted(in_help - documented)) or "none"
        extra = ", ".join(sorted(documented - in_help)) or "none"
        print(f"manpage.py: {source_path} does not match {program} --help: "
              f"undocumented options: {missing}; documented but not in the help: {extra}",
              file=sys.stderr)
        return 1
    if "@USAGE@" not in source:
        sys.exit(f"manpage.py: {source_path} has no @USAGE@ line")
    page = source.replace("@USAGE@", roff_verbatim(text)).replace("@VERSION@", version)
    data = page.encode("utf-8")
    if output.endswith(".gz"):
        with open(output, "wb") as raw:
            with gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=0,
                               compresslevel=9) as f:
                f.write(data)
    else:
        with open(output, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
