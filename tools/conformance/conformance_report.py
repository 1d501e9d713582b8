#!/usr/bin/env python3
"""Conformance report: real programs' output, captured under each terminal
type, replayed through the client's core (telnet-free: emulator, display
handler, screen model, with the replay tool) and compared cell by cell with
tmux's screen for the same program state.

    conformance_report.py [--replay PATH] [--details]

Prints one table row per capture and module: the share of matching cells
with the module as specified (switch off) and with its terminal type's
HostCompatibility switch on, and the rows that differ in each. Differences
are explained in the capture's .differences file (tests/modules/captures)
or in NOTES below; those that remain with the switch on in NOTES_ON.
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
    "ansi": "Debian's ansi entry uses ESC [ n b (repeat), ESC [ n d, ESC [ n G, ESC [ n X and ESC [ 39;49 m that "
            "the ANSI module's table lacks (the SCO ANSI one, which replays the same bytes, has d and X); without "
            "the switch each repeated run is cut to its first character (see the .differences files).",
    "scoansi": "tmux knows no SCO graphics set: its screen of a scoansi capture draws the bytes between ESC [ 12 m "
               "and ESC [ 10 m as the console does (capture_program.py --sco-graphics). Without the switch the "
               "module drops the set at the next ESC [ ... m, so curses' boxes whose colours change inside "
               "(whiptail, dialog's gauge) show as letters.",
    "wy60": "tmux cannot read Wyse 60 bytes: its screen is the same program run under TERM=vt102 (bash under "
            "vt100-nam, which like the Wyse 60 has no deferred wrap, so that readline breaks its lines alike). "
            "The Wyse 60's label line has no counterpart there and is not compared. Without the switch ESC j "
            "(reverse index) is dropped and the ESC [ ? 2004 h that readline and nano send whatever the terminal "
            "shows as text.",
}


# Debian's wy60 entry draws lines in character set 1 (ESC c E), which the
# module shows as code page 437 box drawing; tmux, running the program under
# vt102, shows the same lines as the VT100 line-drawing letters.
WYSE60_LINES = {0xDA: "l", 0xBF: "k", 0xC0: "m", 0xD9: "j", 0xC4: "q", 0xB3: "x", 0xC3: "t", 0xB4: "u", 0xC1: "v",
                0xC2: "w", 0xC5: "n", 0xDB: "0", 0xB2: "a", 0xB1: "h", 0xF8: "f", 0xF1: "g", 0xF3: "y", 0xF2: "z",
                0xE3: "{", 0xFE: "~", 0xAF: "+", 0xAE: ","}

# What still differs with the switch on, by capture name or TERM.
NOTES_ON = {
    "htop": "under TERM=ansi htop fills a row to its last column and then moves with ESC [ 3 G: the ANSI "
            "console (am without xenl in Debian's entry) has wrapped to the next row at once, as ncurses expects, "
            "and the process numbers land on their own rows; tmux defers the wrap, so in its screen each number "
            "overwrites the row above (302 beside the figures of 301), the last digit of 12 rows.",
}


def split_name(path):
    name = os.path.basename(path)[:-4]
    for prefix, term, modules in PREFIXES:
        if name.startswith(prefix):
            return name, term, modules
    return name, "vt100", ["vt100"]


def replayed_rows(replay, module, path, switch):
    values = ["--host-compatibility"] if switch else []
    out = subprocess.run([replay, "--emulator", module, "--high-bytes"] + OPTIONS[module] + values + [path],
                         capture_output=True,
                         check=True).stdout
    rows = []
    for line in out.split(b"\n"):
        # The screen's rows lie between the first two rules; a status line
        # (the Wyse 60's label line) comes after, and tmux has none.
        if line.startswith(b"+") and rows:
            break
        if line.startswith(b"|") and line.endswith(b"|"):
            row = line[1:-1].decode("latin-1")
            if module == "wyse60":
                row = "".join(WYSE60_LINES.get(ord(c), c) for c in row)
            rows.append(row)
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
    print("%-22s %-8s %-8s %6s %7s %7s  %s" % ("capture", "TERM", "module", "cells", "off", "on",
                                               "rows differing off / on"))
    total_cells = 0
    total_same = {False: 0, True: 0}
    below = []
    for directory in CAPTURE_DIRS:
        for path in sorted(glob.glob(os.path.join(directory, "*.bin"))):
            name, term, modules = split_name(path)
            screen = path[:-4] + ".screen"
            if not os.path.exists(screen):
                continue
            for module in modules:
                figures = {}
                for switch in (False, True):
                    ours = replayed_rows(args.replay, module, path, switch)
                    theirs = reference_rows(screen, len(ours), len(ours[0]) if ours else 80)
                    figures[switch] = (ours, theirs) + compare(ours, theirs)
                cells = figures[False][3]
                total_cells += cells
                for switch in (False, True):
                    total_same[switch] += figures[switch][2]
                explained = ""
                for suffix in ("." + module + ".differences", ".differences"):
                    if os.path.exists(path[:-4] + suffix):
                        explained = " (off: explained in %s)" % os.path.basename(path[:-4] + suffix)
                        break
                rows = " / ".join(",".join(str(r) for r in figures[switch][4]) or "-" for switch in (False, True))
                share = {switch: 100.0 * figures[switch][2] / cells for switch in (False, True)}
                if share[True] < 99.5:
                    below.append("%s/%s" % (name, module))
                print("%-22s %-8s %-8s %6d %6.1f%% %6.1f%%  %s%s" % (name, term, module, cells, share[False],
                                                                   share[True], rows,
                                                                   explained if figures[False][4] else ""))
                if args.details:
                    for switch in (False, True):
                        ours, theirs = figures[switch][:2]
                        for r in figures[switch][4]:
                            print("    %-3s ours %2d|%s|" % ("on" if switch else "off", r, ours[r].rstrip()))
                            print("        tmux %2d|%s|" % (r, theirs[r].rstrip()))
    for switch in (False, True):
        print("all captures, switch %s: %.2f%% of %d cells match" % ("on " if switch else "off",
                                                                     100.0 * total_same[switch] / max(total_cells, 1),
                                                                     total_cells))
    print("below 99.5%% with the switch on: %s" % (", ".join(below) if below else "none"))
    for key, note in NOTES.items():
        print("note (%s): %s" % (key, note))
    for key, note in NOTES_ON.items():
        print("note, switch on (%s): %s" % (key, note))


if __name__ == "__main__":
    main()
