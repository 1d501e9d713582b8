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
IAC, DONT, DO, WONT, WILL = 255, 254, 253, 252, 251

# Host output that puts each terminal back into a state where typed keys
# reach the host: printer pass-through off, keyboard unlocked.
SANE = {
    "vt100": b"\x1b[4i\x1b[2l\x1b[m",
    "ansi": b"\x1b[4i\x1b[2l\x1b[m",
    "scoansi": b"\x12\x1b[2l\x1b[m",
    "wy60": b"\x14\x1bu\x1b\"\x1bG0",
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--term", required=True, choices=sorted(SANE))
    parser.add_argument("--minutes", type=float, default=60)
    parser.add_argument("--pid-pattern", default="Korvane.exe",
                        help="pgrep pattern of the client; {port} stands for the listening port")
    parser.add_argument("--window", default="Korvane")
    parser.add_argument("--seed", type=int, default=1)
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
    conn.sendall(bytes([IAC, WILL, 1, IAC, WILL, 3]))
    typist = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, text=True)
    typist.stdin.write("search --sync --onlyvisible --name '%s' windowfocus --sync\n" % args.window)
    typist.stdin.flush()
    time.sleep(1)

    start = time.monotonic()
    end = start + args.minutes * 60
    next_sample = start
    sent = typed = delivered = 0
    samples = []
    received = b""
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
                conn.sendall(burst)
            except OSError:
                failure = "the connection broke"
                break
            sent += len(burst)
        # A word typed; it must come back within the timeout.
        conn.sendall(SANE[args.term])
        word = "".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(6))
        typist.stdin.write("type --delay 5 %s\n" % word)
        typist.stdin.flush()
        typed += 1
        deadline = time.monotonic() + 20
        while word.encode() not in received:
            conn.settimeout(max(0.05, deadline - time.monotonic()))
            try:
                data = conn.recv(65536)
            except socket.timeout:
                data = None
            if not data:
                failure = "word %d (%s) never arrived: %r" % (typed, word, received[-80:])
                break
            refuse_options(conn, data)
            received = (received + data)[-65536:]
        if not failure:
            delivered += 1
            received = received[received.index(word.encode()) + len(word):]
    typist.stdin.close()
    typist.wait()
    print("summary %s: %.1f minutes, %d bytes sent, %d/%d words delivered, resident kB first %s, max %s, last %s%s"
          % (args.term, (time.monotonic() - start) / 60, sent, delivered, typed,
             samples[0] if samples else "-", max(samples) if samples else "-", samples[-1] if samples else "-",
             ", FAILED: " + failure if failure else ""))
    return 1 if failure else 0


if __name__ == "__main__":
    sys.exit(main())
