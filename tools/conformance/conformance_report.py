#!/usr/bin/env python3
"""Conformance report: real programs' output, captured under each terminal
type, replayed through the client's core (telnet-free: emulator, display
handler, screen model, with the replay tool) and compared cell by cell with
tmux's screen for the same program state.

    conformance_report.py [--replay PATH] [--details]

Prints one table row per capture and module: the share of matching cells
and the rows that differ. Differences are explained in the capture's
.differences file (tests/modules/captures) or in NOTES below.
"""
import argparse
import glob
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CAPTURE_DIRS = [os.path.join(ROOT, "tests", "modules", "captures"), os.path.join(ROOT, "tools", "conformance", "captures")]

# File-name prefix -> (TERM the program ran under, modules that replay it).
PREFIXES = [("wy60_", "wy60", ["wyse60"]), ("scoansi_", "scoansi", ["scoansi"]), ("ansi_", "ansi", ["ansi", "scoansi"]),
            ("vt100_", "vt100", ["vt100"]), ("", "vt100", ["vt100"])]
OPTIONS = {"vt100": ["--size", "24,80", "--delayed-wrap"], "ansi": ["--size", "25,80"], "scoansi": ["--size", "25,80"],
           "wyse60": ["--size", "24,80"]}

NOTES = {
    "top": "top ends by addressing the row below the last one (ESC [ 25;1H on 24 rows) and a newline; a VT100 "
           "clamps the row, while the client's cursor-move message takes rows modulo the screen height, as its "
           "callers rely on, so the cursor lands on row 0, the newline and erase wipe row 1, and tmux has scrolled "
           "by one: every row differs by that one line.",
    "htop": "under TERM=ansi htop draws its meters with ESC [ n b (repeat), which the ANSI table lacks.",
    "ansi": "Debian's ansi entry uses ESC [ n b (repeat), ESC [ n X, ESC [ n d, ESC [ 39;49 m that the ANSI module's "
            "table lacks (see the .differences files).",
    "wy60": "tmux cannot read Wyse 60 bytes: its screen is the same program run under TERM=vt102.",
}


def split_name(path):
    name = os.path.basename(path)[:-4]
    for prefix, term, modules in PREFIXES:
        if name.startswith(prefix):
            return name, term, modules
    return name, "vt100", ["vt100"]


def replayed_rows(replay, module, path):
    out = subprocess.run([replay, "--emulator", module] + OPTIONS[module] + [path], capture_output=True, check=True).stdout
    rows = []
    for line in out.split(b"\n"):
        if line.startswith(b"|") and line.endswith(b"|"):
            rows.append(line[1:-1].decode("latin-1"))
    return rows


def reference_rows(path, count, width):
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\n")
    lines = [line.rstrip("\r") for line in lines][:count]
    lines += [""] * (count - len(lines))
    return [line[:width].ljust(width) for line in lines]


def compare(ours, theirs):
    cells = same = 0
    differing = []
    for index, (a, b) in enumerate(zip(ours, theirs)):
        a = a.ljust(len(b))
        row_same = sum(1 for x, y in zip(a, b) if x == y or (x in " \0" and y == " "))
        cells += len(b)
        same += row_same
        if row_same != len(b):
            differing.append(index)
    return same, cells, differing


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--replay", default=os.path.join(ROOT, "build", "native", "tools", "replay", "replay"))
    parser.add_argument("--details", action="store_true", help="print both rows of every difference")
    args = parser.parse_args()
    if not os.access(args.replay, os.X_OK):
        sys.exit("conformance_report: no replay tool at %s (scripts/build.sh native)" % args.replay)
    print("%-22s %-8s %-8s %9s %7s  %s" % ("capture", "TERM", "module", "cells", "match", "rows differing"))
    total_same = total_cells = 0
    for directory in CAPTURE_DIRS:
        for path in sorted(glob.glob(os.path.join(directory, "*.bin"))):
            name, term, modules = split_name(path)
            screen = path[:-4] + ".screen"
            if not os.path.exists(screen):
                continue
            for module in modules:
                ours = replayed_rows(args.replay, module, path)
                theirs = reference_rows(screen, len(ours), len(ours[0]) if ours else 80)
                same, cells, differing = compare(ours, theirs)
                total_same += same
                total_cells += cells
                explained = ""
                for suffix in ("." + module + ".differences", ".differences"):
                    if os.path.exists(path[:-4] + suffix):
                        explained = " (explained in %s)" % os.path.basename(path[:-4] + suffix)
                        break
                rows = ",".join(str(r) for r in differing) if differing else "-"
                print("%-22s %-8s %-8s %9d %6.1f%%  %s%s" % (name, term, module, cells, 100.0 * same / cells, rows,
                                                              explained if differing else ""))
                if args.details:
                    for r in differing:
                        print("    ours   %2d|%s|" % (r, ours[r].rstrip()))
                        print("    tmux   %2d|%s|" % (r, theirs[r].rstrip()))
    print("all captures: %.2f%% of %d cells match" % (100.0 * total_same / max(total_cells, 1), total_cells))
    for key, note in NOTES.items():
        print("note (%s): %s" % (key, note))


if __name__ == "__main__":
    main()
