#!/usr/bin/env python3
"""Soak host: one telnet client for a fixed time, fed mixed real curses
output (captures for its terminal type) and random bytes, with words typed
into the client's window (xdotool) in between; every word must come back.
The client's memory is sampled every minute.

    soak_host.py --port-file F --term T --minutes M --pid-pattern P [--window NAME]

Prints one line per minute (bytes sent, words typed/delivered, resident
memory) and a summary; exits 1 when a word was lost, the client hung or
went away.
"""
import argparse
import glob
import os
import random
import socket
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
IAC, DONT, DO, WONT, WILL, SB, SE = 255, 254, 253, 252, 251, 250, 240

# A telnet question for an option no client has: the client's refusal comes
# in order with the data, after everything sent before the question.
MARK = bytes([IAC, DO, 99])
MARK_REPLY = bytes([IAC, WONT, 99])

# Host output that puts each terminal back into a state where typed keys
# reach the host: pending strings ended, printer pass-through off,
# keyboard unlocked.
SANE = {
    "vt100": b"\x1b[4i\x1b[2l\x1b[m",
    "ansi": b"\x1b[4i\x1b[2l\x1b[m",
    "scoansi": b"\x12\x1b[2l\x1b[m",
    # DEL and CR end a function-key or label string first; monitor mode
    # ends before the keyboard is unlocked (it would show the SO instead).
    "wy60": b"\x7f\r\x14\x1bu\x0e\x1b\"\x1bG0",
}
CAPTURES = {
    "vt100": ["tests/modules/captures/*.bin",
              "tools/conformance/captures/vt100_*.bin", "tools/bench/captures/top_vt100.bin"],
    "ansi": ["tests/modules/captures/ansi_*.bin", "tools/conformance/captures/ansi_*.bin",
             "tools/bench/captures/top_ansi.bin"],
    "scoansi": ["tests/modules/captures/scoansi_*.bin", "tools/conformance/captures/scoansi_*.bin",
                "tools/bench/captures/top_scoansi.bin"],
    "wy60": ["tests/modules/captures/wy60_*.bin", "tools/conformance/captures/wy60_*.bin",
             "tools/bench/captures/top_wy60.bin"],
}


def captures(term):
    paths = sorted({p for pattern in CAPTURES[term] for p in glob.glob(os.path.join(ROOT, pattern))})
    # VT100 captures carry no prefix: leave out the other types' files.
    paths = [p for p in paths if term != "vt100" or not os.path.basename(p).startswith(("ansi_", "scoansi_", "wy60_"))]
    return [open(p, "rb").read() for p in paths]


def refuse_options(conn, data):
    out = b""
    for i in range(len(data) - 2):
        if data[i] == IAC and data[i + 1] == DO and data[i + 2] not in (1, 3):
            out += bytes([IAC, WONT, data[i + 2]])
        elif data[i] == IAC and data[i + 1] == WILL:
            out += bytes([IAC, DONT, data[i + 2]])
    if out:
        conn.sendall(out)


def without_telnet_commands(data):
    """The client's data bytes: its negotiation (a window-size offer after
    the host resized the screen, say) may come between typed characters."""
    out = bytearray()
    i = 0
    while i < len(data):
        if data[i] != IAC:
            out.append(data[i])
            i += 1
        elif i + 1 < len(data) and data[i + 1] == IAC:
            out.append(IAC)
            i += 2
        elif i + 1 < len(data) and data[i + 1] == SB:
            end = data.find(bytes([IAC, SE]), i + 2)
            i = len(data) if end < 0 else end + 2
        elif i + 1 < len(data) and data[i + 1] in (WILL, WONT, DO, DONT):
            i += 3
        else:
            i += 2
    return bytes(out)


class Typist:
    """xdotool typing into the client's window. The window's X window can be
    made again under it (BadWindow ends xdotool): then it starts again."""

    def __init__(self, window):
        self.window = window
        self.process = None
        self.restarts = -1

    def start(self):
        self.restarts += 1
        self.process = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, text=True)
        self.process.stdin.write("search --sync --onlyvisible --name '%s' windowfocus --sync\n" % self.window)
        self.process.stdin.flush()
        time.sleep(1)

    def type(self, word):
        for _ in range(3):
            if self.process is None or self.process.poll() is not None:
                self.start()
            try:
                self.process.stdin.write("type --delay 5 %s\n" % word)
                self.process.stdin.flush()
                return
            except OSError:
                self.process = None

    def died(self):
        return self.process is None or self.process.poll() is not None

    def close(self):
        if self.process is None:
            return
        try:
            self.process.stdin.close()
        except OSError:
            pass
        self.process.wait()


def resident_kb(pattern):
    try:
        pids = subprocess.run(["pgrep", "-f", pattern], capture_output=True, text=True).stdout.split()
    except OSError:
        return None
    best = None
    for pid in pids:
        try:
            for line in open("/proc/%s/status" % pid):
                if line.startswith("VmRSS:"):
                    kb = int(line.split()[1])
                    best = kb if best is None else max(best, kb)
        except OSError:
            pass
    return best


class ClientReader:
    """What the client sends, kept (the last 64 KB) until looked for."""

    def __init__(self, conn):
        self.conn = conn
        self.received = b""

    def read_until(self, found, seconds, while_waiting=None):
        """True once found(received) holds; False after `seconds` or when
        the connection ends. while_waiting runs before every read."""
        deadline = time.monotonic() + seconds
        while not found(self.received):
            if while_waiting:
                while_waiting()
            self.conn.settimeout(max(0.05, deadline - time.monotonic()))
            try:
                data = self.conn.recv(65536)
            except socket.timeout:
                data = None
            if not data:
                return False
            refuse_options(self.conn, data)
            self.received = (self.received + data)[-65536:]
        return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--term", required=True, choices=sorted(SANE))
    parser.add_argument("--minutes", type=float, default=60)
    parser.add_argument("--pid-pattern", default="Korvane.exe",
                        help="pgrep pattern of the client; {port} stands for the listening port")
    parser.add_argument("--window", default="Korvane")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--screenshot", help="PNG of the screen written when the soak fails")
    parser.add_argument("--dump", help="file that gets every byte sent to the client")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    material = captures(args.term)
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(1)
    port = server.getsockname()[1]
    args.pid_pattern = args.pid_pattern.replace("{port}", str(port))
    with open(args.port_file, "w") as f:
        f.write(str(port))
    server.settimeout(60)
    conn, _ = server.accept()
    dump = open(args.dump, "wb") if args.dump else None

    def send(data):
        if dump:
            dump.write(data)
            dump.flush()
        conn.sendall(data)
    send(bytes([IAC, WILL, 1, IAC, WILL, 3]))
    typist = Typist(args.window)
    typist.start()

    start = time.monotonic()
    end = start + args.minutes * 60
    next_sample = start
    sent = typed = delivered = 0
    samples = []
    reader = ClientReader(conn)
    failure = None
    while time.monotonic() < end and not failure:
        if time.monotonic() >= next_sample:
            kb = resident_kb(args.pid_pattern)
            if kb is None:
                failure = "the client went away"
                break
            samples.append(kb)
            print("minute %3d: %10d bytes sent, %5d words typed, %5d delivered, %7d kB resident"
                  % (len(samples) - 1, sent, typed, delivered, kb), flush=True)
            next_sample += 60
        # A burst of output: a real screen or random bytes.
        for _ in range(rng.randint(1, 20)):
            if material and rng.random() < 0.7:
                chunk = rng.choice(material)
                at = rng.randrange(len(chunk))
                burst = chunk[at:at + rng.randint(1, 4096)]
            else:
                burst = bytes(rng.randrange(256) for _ in range(rng.randint(1, 2048)))
            burst = burst.replace(bytes([IAC]), bytes([IAC, IAC]))
            try:
                send(burst)
            except OSError:
                failure = "the connection broke"
                break
            sent += len(burst)
        if failure:
            break
        # The terminal made ready for typing; keys typed before the client
        # has taken that in could meet a keyboard the burst locked, so the
        # answer to a telnet question sent after it is awaited first.
        send(SANE[args.term] + MARK)
        if not reader.read_until(lambda got: MARK_REPLY in got, 60):
            failure = "the client did not take in the host's output within 60 s"
            break
        reader.received = reader.received[reader.received.index(MARK_REPLY) + len(MARK_REPLY):]
        # A word typed; it must come back within the timeout.
        word = "".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(6))
        typist.type(word)
        typed += 1
        retyped = []

        def retype_after_restart():
            # Keys typed while the X window was being made again went
            # nowhere: the word is typed once more.
            if typist.died() and not retyped:
                retyped.append(True)
                typist.type(word)

        if not reader.read_until(lambda got: word.encode() in without_telnet_commands(got), 20,
                                 retype_after_restart):
            failure = "word %d (%s) never arrived: %r" % (typed, word, reader.received[-80:])
            break
        delivered += 1
        reader.received = b""
    if failure and args.screenshot:
        # What the screen showed when it went wrong.
        subprocess.run(["import", "-window", "root", args.screenshot], capture_output=True)
    typist.close()
    print("summary %s: %.1f minutes, %d bytes sent, %d/%d words delivered, typist restarted %d times, "
          "resident kB first %s, max %s, last %s%s"
          % (args.term, (time.monotonic() - start) / 60, sent, delivered, typed, typist.restarts,
             samples[0] if samples else "-", max(samples) if samples else "-", samples[-1] if samples else "-",
             ", FAILED: " + failure if failure else ""))
    return 1 if failure else 0


if __name__ == "__main__":
    sys.exit(main())
