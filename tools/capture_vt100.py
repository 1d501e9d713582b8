#!/usr/bin/env python3
"""Records what a program writes to an 80 x 24 VT100 terminal.

    capture_vt100.py OUTPUT [--keys KEYS] -- COMMAND [ARGS...]

The command runs in a pseudo-terminal with TERM=vt100; KEYS are typed one
group at a time, half a second apart (groups separated by "|", with \\r,
\\x1b and the like as Python escapes). The raw output bytes go to OUTPUT.
With --screen SCREEN the bytes are also replayed into a detached tmux
window of the same size and the screen it shows is written to SCREEN, as a
reference rendering.
"""
import argparse
import fcntl
import os
import pty
import select
import struct
import subprocess
import sys
import termios
import time


def run(command, keys):
    pid, fd = pty.fork()
    if pid == 0:
        os.environ["TERM"] = "vt100"
        os.environ["LINES"], os.environ["COLUMNS"] = "24", "80"
        os.execvp(command[0], command)
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))
    output = bytearray()
    pending = list(keys)
    next_key = time.time() + 1.0
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
        elif not pending and os.waitpid(pid, os.WNOHANG)[0]:
            break
    return bytes(output)


def tmux_screen(capture):
    socket = "korvane-capture-%d" % os.getpid()
    tmux = ["tmux", "-L", socket, "-f", "/dev/null"]
    subprocess.run(tmux + ["new-session", "-d", "-x", "80", "-y", "24", "-s", "capture",
                           "stty raw -echo; cat '%s'; sleep 60" % capture], check=True)
    time.sleep(2)
    screen = subprocess.run(tmux + ["capture-pane", "-p", "-t", "capture"], check=True,
                            capture_output=True).stdout
    subprocess.run(tmux + ["kill-server"])
    return screen


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("--keys", default="")
    parser.add_argument("--screen")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    keys = [k.encode("latin-1").decode("unicode_escape").encode("latin-1") for k in args.keys.split("|") if k]
    data = run(args.command, keys)
    with open(args.output, "wb") as out:
        out.write(data)
    if args.screen:
        with open(args.screen, "wb") as out:
            out.write(tmux_screen(os.path.abspath(args.output)))
    print("%s: %d bytes" % (args.output, len(data)))


if __name__ == "__main__":
    sys.exit(main())
