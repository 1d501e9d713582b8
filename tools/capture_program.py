#!/usr/bin/env python3
"""Records what a program writes to a terminal of a given type and size.

    capture_program.py OUTPUT [--term TERM] [--size ROWSxCOLS] [--keys KEYS] [--stop]
                       [--screen SCREEN [--live]] -- COMMAND [ARGS...]

The command runs in a pseudo-terminal with TERM (default vt100; scoansi
needs Debian's ncurses-term) and the size (default 24x80); KEYS are typed
one group at a time, half a second apart (groups separated by "|", with
\\r, \\x1b and the like as Python escapes). The raw output bytes go to
OUTPUT. With --screen SCREEN the bytes are also replayed into a detached
tmux window of the same size and the screen it shows is written to SCREEN,
as a reference rendering. With --cp437 the terminal shows bytes 128 to 255
as code page 437, as the ANSI consoles do: tmux is fed them as UTF-8 and
SCREEN is written back in code page 437 (run the program under LC_ALL=C so
that curses sends such bytes and not UTF-8). With --stop the program is
ended once the keys are typed and its output has been quiet for a while,
so that a screen can be taken while it runs. tmux only reads VT100-style
bytes: for a terminal like the Wyse 60 add --live, and the command itself
runs inside tmux under TERM=vt102 with the same keys; SCREEN is then what
tmux shows of it.
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


def tmux_screen(capture, rows, cols, cp437):
    if cp437:
        with open(capture, "rb") as raw, open(capture + ".utf8", "wb") as utf8:
            data = raw.read()
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


def tmux_live_screen(command, keys, rows, cols):
    """What tmux shows of the command itself after the same keys. It runs
    under TERM=vt102 there: like the Wyse 60, a terminal with line and
    character editing but without colours, so programs lay out their
    screens alike."""
    socket = "korvane-capture-%d" % os.getpid()
    tmux = ["tmux", "-L", socket, "-f", "/dev/null"]
    subprocess.run(tmux + ["new-session", "-d", "-x", str(cols), "-y", str(rows), "-s", "capture",
                           "TERM=vt102 " + " ".join(shlex.quote(c) for c in command) + "; sleep 600"], check=True)
    time.sleep(1.0)
    for key in keys:
        subprocess.run(tmux + ["send-keys", "-t", "capture", "-H"] + ["%02x" % b for b in key], check=True)
        time.sleep(0.5)
    time.sleep(QUIET_SECONDS + 0.5)
    screen = subprocess.run(tmux + ["capture-pane", "-p", "-t", "capture"], check=True,
                            capture_output=True).stdout
    subprocess.run(tmux + ["kill-server"])
    return screen


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("--keys", default="")
    parser.add_argument("--screen")
    parser.add_argument("--term", default="vt100")
    parser.add_argument("--size", default="24x80")
    parser.add_argument("--cp437", action="store_true")
    parser.add_argument("--stop", action="store_true")
    parser.add_argument("--live", action="store_true")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    keys = [k.encode("latin-1").decode("unicode_escape").encode("latin-1") for k in args.keys.split("|") if k]
    rows, cols = (int(n) for n in args.size.split("x"))
    data = run(args.command, keys, args.term, rows, cols, args.stop)
    with open(args.output, "wb") as out:
        out.write(data)
    if args.screen:
        with open(args.screen, "wb") as out:
            if args.live:
                out.write(tmux_live_screen(args.command, keys, rows, cols))
            else:
                out.write(tmux_screen(os.path.abspath(args.output), rows, cols, args.cp437))
    print("%s: %d bytes" % (args.output, len(data)))


if __name__ == "__main__":
    sys.exit(main())
