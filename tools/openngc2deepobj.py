#!/usr/bin/env python3
"""Writes the program's deep-sky files deepobj1.txt (NGC) and deepobj2.txt (IC)
from OpenNGC.

Source: OpenNGC by Mattia Verga, https://github.com/mattiaverga/OpenNGC,
licensed CC-BY-SA 4.0, as Debian's kstars-data package ships it: the SQLite
file /usr/share/kstars/OpenNGC.kscat (table "cat": J2000 position in degrees,
magnitude, major and minor axis in arcminutes, position angle in degrees, a
type code, the designation, and a list of further names such as
"Andromeda Galaxy, PGC 2557, UGC 454, NGC 224"). The output is an adaptation
of OpenNGC and is shared under the same licence; data/program/deepobj-README.txt
says so beside the files.

Rerun it when OpenNGC is updated (needs python3 and kstars-data, nothing else):

    python3 tools/openngc2deepobj.py [--db /usr/share/kstars/OpenNGC.kscat] \
                                     [--out data/program]

Output: two heading lines, then one object a line, CR LF, ASCII, sorted by
number, in the program's fixed columns (1-based):

    1-5      catalogue number, right-aligned
    7-19     the full designation, for people reading the file ("NGC 61A")
    21-22 24-25 27-30    right ascension J2000: hours, minutes, seconds to 0.1 s
    32-34 36-37 39-40    declination J2000: signed degrees, minutes, seconds
    51-54    magnitude, one decimal (blank when unknown)
    62-67    major axis, arcminutes
    69-73    minor axis, arcminutes (blank when unknown: the reader takes the major)
    75-77    position angle, degrees (blank when unknown)
    79-86    a short type description
    88-94    PGC number (0 when none)
    97-111   a further name;  113-127  a further name

What the converter decides:

* Objects with several NGC or IC numbers. OpenNGC lists the second number of
  an object catalogued twice as a duplicate (type code 255 in the kscat) that
  carries the position of the object it repeats, with no data of its own. Such
  a number gets no line: the overlay would draw the same object twice, with
  two labels on top of each other. The object's own line names it among its
  further names instead (NGC 281 has "IC 11"). When every number at one
  position is such a duplicate, the first (NGC before IC, then by number) is
  kept as the object.
* Components. OpenNGC splits some numbers into components ("NGC 61A",
  "NGC 61B", "IC 80 NED01"). Each component is its own object and gets its own
  line; since the reader names an object from its number alone, both are
  labelled "NGC 61" on the image, and the first further name holds the full
  designation to tell them apart.
* No position. Numbers that OpenNGC holds without a position (nonexistent or
  unidentified objects; the kscat stores them at RA 0, Dec 0, type 255) are
  left out: there is nothing to draw.
* No size. Stars, double stars and some clusters have no axis. The overlay
  needs a size to draw an ellipse, so they get a nominal 0.1' (a dot on the
  image); the description still says what they are.
* Further names, in this order, the first two that exist: the component's
  designation, the Messier number, the duplicate numbers, the common names
  (shortened to 15 characters: "Galaxy" -> "Gal.", "Nebula" -> "Neb.",
  "Cluster" -> "Cl."), the UGC number.
* Messier objects that are not NGC or IC objects (M 40, M 45) are not written.
"""

import argparse
import os
import re
import sqlite3
import sys

DEFAULT_DB = "/usr/share/kstars/OpenNGC.kscat"

# kscat type code -> description (8 characters at most).
DESCRIPTIONS = {
    0: "Star",
    3: "OpenCl",
    4: "GlobCl",
    5: "Nebula",
    6: "PlanNeb",
    7: "SNR",
    8: "Galaxy",
    13: "Asterism",
    14: "GalClust",
    17: "MultStar",
    255: "Other",
}
DUPLICATE_TYPE = 255
NOMINAL_SIZE = 0.1  # arcminutes, for objects without an axis

IDENTIFIER = re.compile(r"^(NGC|IC)(\d{4})(.*)$")
CATALOGUE_NAME = re.compile(r"^(PGC|UGC|NGC|IC|MCG|ESO|CGCG)\b")
ABBREVIATIONS = [("Galaxies", "Gals"), ("Galaxy", "Gal."), ("Nebula", "Neb."),
                 ("nebula", "neb."), ("Cluster", "Cl."), ("Variable", "Var.")]


class Entry:
    def __init__(self, row):
        (ident, name, long_name, kind, ra, dec, mag, major, minor, pa) = row
        m = IDENTIFIER.match(ident)
        self.catalogue = m.group(1)
        self.number = int(m.group(2))
        self.suffix = m.group(3)
        self.designation = f"{self.catalogue} {self.number}{self.suffix}"
        self.messier = name if name and name.startswith("M ") else ""
        self.names = [t.strip() for t in (long_name or "").split(",") if t.strip()]
        self.kind = kind
        self.ra, self.dec = ra, dec
        self.mag, self.major, self.minor, self.pa = mag, major, minor, pa
        self.duplicates = []

    def key(self):
        return (0 if self.catalogue == "NGC" else 1, self.number, self.suffix)


def shorten(name, width=15):
    if name.startswith("the "):
        name = name[4:]
    for long, short in ABBREVIATIONS:
        if len(name) <= width:
            break
        name = name.replace(long, short)
    return name[:width].rstrip()


def further_names(e):
    candidates = []
    if e.suffix:
        candidates.append(e.designation)
    if e.messier:
        candidates.append(e.messier)
    candidates += [d.designation for d in sorted(e.duplicates, key=Entry.key)]
    candidates += [shorten(n) for n in e.names if not CATALOGUE_NAME.match(n)]
    candidates += [n for n in e.names if n.startswith("UGC ")]
    out = []
    for c in candidates:
        c = c[:15]
        if c and c != e.designation.replace(e.suffix, "") and c not in out:
            out.append(c)
    return (out + ["", ""])[:2]


def pgc_number(e):
    for n in e.names:
        m = re.match(r"^PGC (\d+)$", n)
        if m:
            return int(m.group(1))
    return 0


def ra_text(degrees):
    tenths = round(degrees / 15 * 36000) % (24 * 36000)
    h, rest = divmod(tenths, 36000)
    m, s = divmod(rest, 600)
    return f"{h:02d} {m:02d} {s // 10:02d}.{s % 10}"


def dec_text(degrees):
    total = round(abs(degrees) * 3600)
    d, rest = divmod(total, 3600)
    m, s = divmod(rest, 60)
    sign = "-" if degrees < 0 and total > 0 else "+"
    return f"{sign}{d:02d} {m:02d} {s:02d}"


def size_text(value, width):
    for decimals in (2, 1, 0):
        t = f"{value:{width}.{decimals}f}"
        if len(t) <= width:
            return t
    raise ValueError(f"size {value} does not fit {width} characters")


def line_of(e):
    cells = [" "] * 127

    def put(first, text):
        assert first - 1 + len(text) <= 127, (e.designation, text)
        cells[first - 1:first - 1 + len(text)] = list(text)

    put(1, f"{e.number:5d}")
    designation = e.designation
    if len(designation) > 13:
        designation = designation.replace(" ", "", 1)
    put(7, designation[:13])
    put(21, ra_text(e.ra))
    put(32, dec_text(e.dec))
    if e.mag is not None:
        put(51, f"{e.mag:4.1f}")
    major = e.major if e.major else (e.minor if e.minor else NOMINAL_SIZE)
    put(62, size_text(major, 6))
    if e.major and e.minor:
        put(69, size_text(e.minor, 5))
    if e.pa is not None and (e.major or e.minor):
        put(75, f"{round(e.pa) % 360:3d}")
    put(79, DESCRIPTIONS.get(e.kind, "Other")[:8])
    put(88, f"{pgc_number(e):7d}")
    name1, name2 = further_names(e)
    put(97, name1)
    put(113, name2)
    return "".join(cells).rstrip()


def heading(catalogue, version):
    title = (f"{catalogue} objects of OpenNGC {version} (Mattia Verga, CC-BY-SA 4.0), "
             f"converted by tools/openngc2deepobj.py; see deepobj-README.txt")
    cells = [" "] * 127
    for first, text in ((1, "Num"), (7, "Designation"), (21, "RA J2000"),
                        (32, "Dec J2000"), (51, "Mag"), (62, "Size1"), (69, "Size2"),
                        (75, "PA"), (79, "Type"), (88, "PGC"), (97, "Name"),
                        (113, "Name")):
        cells[first - 1:first - 1 + len(text)] = list(text)
    return [title, "".join(cells).rstrip()]


def read_entries(db):
    con = sqlite3.connect(f"file:{db}?mode=ro", uri=True)
    version = "(unknown release)"
    for (source,) in con.execute("select source from catalogs where name = 'OpenNGC'"):
        m = re.search(r"releases/tag/(v\w+)", source or "")
        if m:
            version = m.group(1)
    rows = con.execute(
        "select catalog_identifier, name, long_name, type, ra, dec, magnitude, major_axis, "
        "minor_axis, position_angle from cat")
    entries = [Entry(r) for r in rows if IDENTIFIER.match(r[0] or "")]
    return entries, version


def merge_duplicates(entries):
    """Keeps one entry per object: the duplicates of a position join its object."""
    by_position = {}
    for e in entries:
        if e.ra is None or e.dec is None or (e.ra == 0 and e.dec == 0):
            continue  # no position
        by_position.setdefault((e.ra, e.dec), []).append(e)
    kept = []
    for group in by_position.values():
        group.sort(key=Entry.key)
        objects = [e for e in group if e.kind != DUPLICATE_TYPE] or group[:1]
        for e in group:
            if e not in objects:
                objects[0].duplicates.append(e)
        kept += objects
    return kept


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--db", default=DEFAULT_DB)
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "..", "data",
                                                      "program"))
    args = parser.parse_args()
    if not os.path.exists(args.db):
        sys.exit(f"{args.db} not found (apt-get install kstars-data)")
    entries, version = read_entries(args.db)
    kept = merge_duplicates(entries)
    for catalogue, file in (("NGC", "deepobj1.txt"), ("IC", "deepobj2.txt")):
        objects = sorted((e for e in kept if e.catalogue == catalogue), key=Entry.key)
        lines = heading(catalogue, version) + [line_of(e) for e in objects]
        path = os.path.join(args.out, file)
        with open(path, "w", encoding="ascii", newline="") as f:
            f.write("".join(line + "\r\n" for line in lines))
        print(f"{path}: {len(objects)} objects")
    print(f"left out: {len(entries) - len(kept)} numbers (duplicates or without a position)")


if __name__ == "__main__":
    main()
