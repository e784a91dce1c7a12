#!/usr/bin/env python3
"""Writes a manual page from its source (data/man/NAME.1.in) and the help the
built program prints, so that the page cannot drift from --help.

    manpage.py PROGRAM SOURCE OUTPUT VERSION

PROGRAM is run with --help; its text replaces the line @USAGE@ of SOURCE,
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


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    program, source_path, output, version = sys.argv[1:]
    run = subprocess.run([program, "--help"], capture_output=True, text=True, check=False)
    if run.returncode != 0 or not run.stdout:
        sys.exit(f"manpage.py: {program} --help failed ({run.returncode}): {run.stderr}")
    with open(source_path, encoding="utf-8") as f:
        source = f.read()
    in_help = set(OPTION.findall(run.stdout))
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
    page = source.replace("@USAGE@", roff_verbatim(run.stdout)).replace("@VERSION@", version)
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
