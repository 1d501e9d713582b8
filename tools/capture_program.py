#!/usr/bin/env python3
"""Records what a program writes to a terminal of a given type and size.

    capture_program.py OUTPUT [--term TERM] [--size ROWSxCOLS] [--keys KEYS] [--stop]
                       [--screen SCREEN [--live [--live-term TERM] | --cp437 [--sco-graphics]]]
                       -- COMMAND [ARGS...]
    capture_program.py OUTPUT --rerender --screen SCREEN [--size ROWSxCOLS] [--cp437 [--sco-graphics]]

The command runs in a pseudo-terminal with TERM (default vt100; scoansi
needs Debian's ncurses-term) and the size (default 24x80); KEYS are typed
one group at a time, half a second apart (groups separated by "|", with
\\r, \\x1b and the like as Python escapes). The raw output bytes go to
OUTPUT. With --screen SCREEN the bytes are also replayed into a detached
tmux window of the same size and the screen it shows is written to SCREEN,
as a reference rendering. With --cp437 the terminal shows bytes 128 to 255
as code page 437, as the ANSI consoles do: tmux is fed them as UTF-8 (a repeat,
ESC [ n b, of such a byte written out, since tmux repeats only plain
characters) and SCREEN is written back in code page 437 (run the program under LC_ALL=C so
that curses sends such bytes and not UTF-8). With --stop the program is
ended once the keys are typed and its output has been quiet for a while,
so that a screen can be taken while it runs. With --sco-graphics the bytes
between ESC [ 12 m and ESC [ 10 m are shown as an SCO console shows them,
with their top bit flipped (curses' "D" becomes the line drawn by code page
437's 0xC4); tmux knows no such rendition. tmux only reads VT100-style
bytes: for a terminal like the Wyse 60 add --live, and the command itself
runs inside tmux under TERM=vt102 (or --live-term TERM) with the same keys;
SCREEN is then what tmux shows of it. With --rerender the command is not
run: SCREEN is made again from the bytes already in OUTPUT.
"""
import argparse
import fcntl
import os
import pty
import select
import shlex
import signal
import struct
import subprocess
import sys
import termios
import time


QUIET_SECONDS = 1.5


def run(command, keys, term, rows, cols, stop=False):
    pid, fd = pty.fork()
    if pid == 0:
        os.environ["TERM"] = term
        os.environ["LINES"], os.environ["COLUMNS"] = str(rows), str(cols)
        os.execvp(command[0], command)
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", rows, cols, 0, 0))
    output = bytearray()
    pending = list(keys)
    next_key = time.time() + 1.0
    last_output = time.time()
    while True:
        if pending and time.time() >= next_key:
            os.write(fd, pending.pop(0))
            next_key = time.time() + 0.5
        ready, _, _ = select.select([fd], [], [], 0.1)
        if ready:
            try:
                data = os.read(fd, 4096)
            except OSError:
                break
            if not data:
                break
            output += data
            last_output = time.time()
        elif not pending and os.waitpid(pid, os.WNOHANG)[0]:
            break
        elif stop and not pending and time.time() - last_output > QUIET_SECONDS:
            os.kill(pid, signal.SIGKILL)
            os.waitpid(pid, 0)
            break
    return bytes(output)


def csi_pieces(data):
    """The bytes one at a time, each ESC [ ... final sequence as one piece:
    (True, sequence) or (False, byte)."""
    i = 0
    while i < len(data):
        if data[i] == 0x1B and i + 1 < len(data) and data[i + 1] == ord("["):
            end = i + 2
            while end < len(data) and not 0x40 <= data[end] <= 0x7E:
                end += 1
            yield True, data[i:end + 1]
            i = end + 1
        else:
            yield False, data[i]
            i += 1


def sco_graphics(data):
    """The text bytes that an SCO console draws from its graphics set
    (selected by ESC [ 12 m until ESC [ 10 m, whatever colours are set in
    between) with their top bit flipped, as code page 437 shows them."""
    out = bytearray()
    graphics = False
    for is_sequence, piece in csi_pieces(data):
        if not is_sequence:
            out.append(piece ^ 0x80 if graphics and piece >= 0x20 and piece != 0x7F else piece)
            continue
        if piece.endswith(b"m"):
            for parameter in piece[2:-1].split(b";"):
                if parameter == b"12":
                    graphics = True
                elif parameter == b"10":
                    graphics = False
        out += piece
    return bytes(out)


def repeat_high_bytes(data):
    """ESC [ n b after a byte from 128 up, written out: tmux repeats only the
    plain characters it read (the code page 437 bytes reach it as UTF-8)."""
    out = bytearray()
    last = None
    for is_sequence, piece in csi_pieces(data):
        if not is_sequence:
            out.append(piece)
            last = piece if piece >= 0x20 and piece != 0x7F else None
            continue
        count = piece[2:-1]
        if piece.endswith(b"b") and last is not None and last >= 0x80 and (count.isdigit() or not count):
            out += bytes([last]) * max(int(count or b"1"), 1)
        else:
            out += piece
        last = None
    return bytes(out)


def tmux_screen(capture, rows, cols, cp437, sco=False):
    if cp437:
        with open(capture, "rb") as raw, open(capture + ".utf8", "wb") as utf8:
            data = repeat_high_bytes(raw.read())
            if sco:
                data = sco_graphics(data)
            utf8.write(b"".join(bytes([b]) if b < 128 else bytes([b]).decode("cp437").encode() for b in data))
        capture += ".utf8"
    socket = "korvane-capture-%d" % os.getpid()
    tmux = ["tmux", "-L", socket, "-f", "/dev/null"]
    subprocess.run(tmux + ["new-session", "-d", "-x", str(cols), "-y", str(rows), "-s", "capture",
                           "stty raw -echo; cat '%s'; sleep 60" % capture], check=True)
    time.sleep(2)
    screen = subprocess.run(tmux + ["capture-pane", "-p", "-t", "capture"], check=True,
                            capture_output=True).stdout
    subprocess.run(tmux + ["kill-server"])
    if cp437:
        os.remove(capture)
        screen = screen.decode().encode("cp437", errors="replace")
    return screen


def tmux_live_screen(command, keys, rows, cols, term="vt102"):
    """What tmux shows of the command itself after the same keys. It runs
    under TERM=vt102 there: like the Wyse 60, a terminal with line and
    character editing but without colours, so programs lay out their
    screens alike. A program that lays out by the terminal's margins
    (readline) may need an entry without the deferred wrap, as the Wyse 60
    has none: vt100-nam."""
    socket = "korvane-capture-%d" % os.getpid()
    tmux = ["tmux", "-L", socket, "-f", "/dev/null"]
    subprocess.run(tmux + ["new-session", "-d", "-x", str(cols), "-y", str(rows), "-s", "capture",
                           "TERM=%s " % term + " ".join(shlex.quote(c) for c in command) + "; sleep 600"], check=True)
    time.sleep(1.0)
    for key in keys:
        subprocess.run(tmux + ["send-keys", "-t", "capture", "-H"] + ["%02x" % b for b in key], check=True)
        time.sleep(0.5)
    time.sleep(QUIET_SECONDS + 0.5)
    screen = subprocess.run(tmux + ["capture-pane", "-p", "-t", "capture"], check=True,
                            capture_output=True).stdout
    subprocess.run(tmux + ["kill-server"])
    return screen


def size_of(text):
    rows, cols = (int(n) for n in text.split("x"))
    return rows, cols


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("--keys", default="")
    parser.add_argument("--screen")
    parser.add_argument("--term", default="vt100")
    parser.add_argument("--size", default="24x80")
    parser.add_argument("--cp437", action="store_true")
    parser.add_argument("--sco-graphics", action="store_true")
    parser.add_argument("--stop", action="store_true")
    parser.add_argument("--live", action="store_true")
    parser.add_argument("--live-term", default="vt102")
    parser.add_argument("--rerender", action="store_true")
    # Everything after "--" is the command, whatever it looks like.
    argv = sys.argv[1:]
    command = argv[argv.index("--") + 1:] if "--" in argv else []
    args = parser.parse_args(argv[:argv.index("--")] if "--" in argv else argv)
    args.command = command
    if args.rerender:
        if not args.screen or args.live:
            parser.error("--rerender needs --screen and cannot replay --live")
        with open(args.screen, "wb") as out:
            out.write(tmux_screen(os.path.abspath(args.output), *size_of(args.size), args.cp437, args.sco_graphics))
        return 0
    if not args.command:
        parser.error("no command")
    keys = [k.encode("latin-1").decode("unicode_escape").encode("latin-1") for k in args.keys.split("|") if k]
    rows, cols = size_of(args.size)
    data = run(args.command, keys, args.term, rows, cols, args.stop)
    with open(args.output, "wb") as out:
        out.write(data)
    if args.screen:
        with open(args.screen, "wb") as out:
            if args.live:
                out.write(tmux_live_screen(args.command, keys, rows, cols, args.live_term))
            else:
                out.write(tmux_screen(os.path.abspath(args.output), rows, cols, args.cp437, args.sco_graphics))
    print("%s: %d bytes" % (args.output, len(data)))


if __name__ == "__main__":
    sys.exit(main())
