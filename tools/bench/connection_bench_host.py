#!/usr/bin/env python3
"""Benchmark host for end-to-end figures of a telnet client over loopback.

Listens on a free port of 127.0.0.1 (written to --port-file), accepts one
client, then measures:
  throughput  N MB of text (plain lines, then lines with colour changes)
              until the client has consumed all of it (not with
              --latency-only);
  query       the time from sending a request the client's terminal
              answers until the answer arrives, over many rounds;
and, with --window NAME (the client's window, focused with xdotool):
  key         the time from a key pressed with XTEST until its byte
              arrives here;
  echo        the time from sending a character until the first change
              of the screen's pixels where it is drawn, seen through the
              X server's DAMAGE events (x_probe.py).
"Taken in" is known by a request the client answers only after everything
before it: the terminal's device-attributes request (ESC [ c) when the
client's emulator answers it, else a telnet negotiation for an unknown
option (IAC DO 99, refused with IAC WONT 99), which the telnet layer answers
in order with the data. The figures name which one was used.
--times-file appends every round's time as a JSON line, for figures over
several runs. Prints figures only; never fails on time.
"""
import argparse
import json
import os
import random
import socket
import statistics
import subprocess
import sys
import time

IAC, DONT, DO, WONT, WILL, SB, SE = 255, 254, 253, 252, 251, 250, 240
TELNET_MARK = bytes([IAC, DO, 99])
TELNET_REPLY = bytes([IAC, WONT, 99])
DA_MARK = b"\x1b[c"


class Client:
    def __init__(self, conn):
        self.conn = conn
        self.pending = b""

    def answer_negotiation(self, data):
        """Keeps a client in character mode: we echo and suppress go-ahead;
        every other request is refused."""
        out = b""
        i = 0
        while i + 2 < len(data):
            if data[i] == IAC and data[i + 1] in (DO, DONT, WILL, WONT):
                verb, opt = data[i + 1], data[i + 2]
                if verb == DO and opt not in (1, 3, 99):
                    out += bytes([IAC, WONT, opt])
                elif verb == WILL and opt not in (99,):
                    out += bytes([IAC, DONT, opt])
                i += 3
            else:
                i += 1
        if out:
            self.conn.sendall(out)

    def read_more(self, end, size=65536):
        """One read before the deadline `end` into `pending`, negotiation
        answered; False when the time ran out or the client closed."""
        left = end - time.monotonic()
        if left <= 0:
            return False
        self.conn.settimeout(left)
        try:
            data = self.conn.recv(size)
        except socket.timeout:
            return False
        if not data:
            return False
        self.answer_negotiation(data)
        self.pending += data
        return True

    def wait_for(self, marker, timeout):
        """Reads until `marker` arrives; True when it did."""
        end = time.monotonic() + timeout
        while marker not in self.pending:
            if not self.read_more(end):
                return False
            if len(self.pending) > 1 << 20:
                self.pending = self.pending[-4096:]
        self.pending = self.pending[self.pending.index(marker) + len(marker):]
        return True

    def drain(self, seconds):
        self.wait_for(b"\x00never\x00", seconds)
        self.pending = b""


def plain_lines(size):
    line = b"".join(bytes([33 + (i % 94)]) for i in range(78)) + b"\r\n"
    return (line * (size // len(line) + 1))[:size]


def screenful_lines(size):
    """Plain lines that never scroll: the cursor goes home every 24 lines."""
    line = b"".join(bytes([33 + (i % 94)]) for i in range(78)) + b"\r\n"
    page = b"\x1b[H" + line * 23 + line[:-2]
    return (page * (size // len(page) + 1))[:size]


def colour_lines(size):
    parts = []
    for c in range(8):
        parts.append(b"\x1b[3%dm" % c + b"colour%d " % c)
    line = b"".join(parts) + b"\x1b[0m\r\n"
    return (line * (size // len(line) + 1))[:size]


def top_screens(size):
    """A captured full-screen `top` session (cursor-addressed updates)."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "captures", "top_vt100.bin")
    with open(path, "rb") as f:
        capture = f.read().replace(bytes([IAC]), bytes([IAC, IAC]))
    # Whole copies only: a cut sequence could swallow the end marker.
    return capture * max(1, size // len(capture))


# Requests a terminal answers, with the last byte of the answer: the SCO
# ANSI colour report (the module's own answer), then device attributes.
QUERIES = ((b"\x1b[=M", b"\n", "SCO colour report"), (DA_MARK, b"c", "device attributes"))


def read_answer(client, end_byte, seconds):
    """The bytes up to `end_byte` within `seconds`, else None."""
    end = time.monotonic() + seconds
    answer = b""
    while not answer.endswith(end_byte):
        if client.pending:
            answer += client.pending[:1]
            client.pending = client.pending[1:]
            continue
        if not client.read_more(end, 4096):
            return None
    return answer


def without_telnet(data):
    """The data bytes of what a client sent (negotiations may come first)."""
    out, i = b"", 0
    while i < len(data):
        if data[i] != IAC or i + 1 >= len(data):
            out += data[i:i + 1]
            i += 1
        elif data[i + 1] == SB:
            end = data.find(bytes([IAC, SE]), i + 2)
            i = len(data) if end < 0 else end + 2
        else:
            i += 3 if data[i + 1] in (DO, DONT, WILL, WONT) else 2
    return out


def choose_marker(client):
    """A request the client's terminal answers, with the client's exact
    answer as the reply to wait for. A client still starting gets a few
    tries."""
    client.drain(1.5)
    for _ in range(5):
        for query, end_byte, name in QUERIES:
            client.conn.sendall(query)
            answer = read_answer(client, end_byte, 1.0)
            if answer:
                answer = without_telnet(answer)
                client.drain(0.5)
                return query, answer, f"{name}, answered {answer!r}"
    client.drain(0.3)
    return TELNET_MARK, TELNET_REPLY, "telnet negotiation IAC DO 99"


def throughput(client, name, payload, mark, reply):
    start = time.monotonic()
    client.conn.settimeout(None)
    client.conn.sendall(payload + mark)
    if not client.wait_for(reply, 300):
        print(f"  {name}: no end marker within 300 s")
        return
    seconds = time.monotonic() - start
    mb = len(payload) / 1048576
    print(f"  {name}: {mb:.1f} MB in {seconds:.2f} s = {mb / seconds:.2f} MB/s")


def query_rounds(client, rounds, mark, reply):
    times = []
    client.drain(0.3)
    for _ in range(rounds):
        pause()
        start = time.monotonic()
        client.conn.sendall(mark)
        if not client.wait_for(reply, 5):
            return None
        times.append((time.monotonic() - start) * 1000)
    return times


def pause():
    """Rounds start with the client idle, at an uneven moment, and more than
    20 ms after its last drawing (PuTTY paints at most once per 20 ms)."""
    time.sleep(random.uniform(0.025, 0.035))


def key_rounds(client, probe, rounds):
    code = probe.key_code("k")
    times = []
    client.drain(0.3)
    for _ in range(rounds):
        pause()
        start = probe.press(code)
        if not client.wait_for(b"k", 5):
            return None
        times.append((time.monotonic() - start) * 1000)
    return times


def settle(client, mark, reply, data, seconds):
    client.conn.sendall(data + mark)
    client.wait_for(reply, 5)
    time.sleep(seconds)


def echo_target(client, probe, mark, reply):
    """The rectangle of the screen where 'k' and 'o' in the first cell differ
    (the cursor parked elsewhere), and its pixels with each character."""
    full = (0, 0, probe.width, probe.height)
    shots = {}
    for c in b"ko":
        settle(client, mark, reply, b"\x1b[H" + bytes([c]) + b"\x1b[12;40H", 0.3)
        shots[c] = probe.image(*full)
    a, b = shots[ord("k")], shots[ord("o")]
    stride = probe.width * 4
    rows = [y for y in range(probe.height) if a[y * stride:(y + 1) * stride] != b[y * stride:(y + 1) * stride]]
    if not rows:
        return None
    # The first cell only: the top band of differing rows (a blinking cursor
    # further down may differ too).
    band = [rows[0]]
    for y in rows[1:]:
        if y - band[-1] > 8:
            break
        band.append(y)
    xs = [x for y in band for x in range(probe.width)
          if a[y * stride + 4 * x:y * stride + 4 * x + 4] != b[y * stride + 4 * x:y * stride + 4 * x + 4]]
    box = (min(xs), band[0], max(xs) - min(xs) + 1, band[-1] - band[0] + 1)

    def cut(shot):
        left, top, width, height = box
        return b"".join(shot[y * stride + 4 * left:y * stride + 4 * (left + width)] for y in range(top, top + height))

    return box, {c: cut(shot) for c, shot in shots.items()}


def echo_rounds(client, probe, rounds, mark, reply):
    target = echo_target(client, probe, mark, reply)
    if not target:
        return None
    box, looks = target
    times = []
    for i in range(rounds):
        c = b"ko"[i % 2]
        settle(client, mark, reply, b"\x1b[H", 0)
        pause()
        probe.discard_events()
        start = time.monotonic()
        client.conn.sendall(bytes([c]))
        seen = probe.wait_for_image(box, looks[c], 2)
        if seen is None:
            return None
        times.append((seen - start) * 1000)
    return times


def report(name, times, key=None, times_file=None):
    if not times:
        print(f"  {name}: no answer")
        return
    if times_file and key:
        with open(times_file, "a") as f:
            f.write(json.dumps({"client": key, "path": name, "times": times}) + "\n")
    times = sorted(times)
    p95 = times[int(len(times) * 0.95) - 1]
    print(f"  {name}: median {statistics.median(times):.2f} ms, 95% {p95:.2f} ms ({len(times)} rounds)")


PATHS = ("key press to byte at the host", "host byte to pixels", "host query to answer")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--label", required=True)
    parser.add_argument("--mb", type=float, default=8)
    parser.add_argument("--rounds", type=int, default=100)
    parser.add_argument("--window", help="the client's window name, for keys and pixels")
    parser.add_argument("--latency-only", action="store_true")
    parser.add_argument("--throughput-only", action="store_true")
    parser.add_argument("--key", help="the client's name in --times-file")
    parser.add_argument("--times-file")
    args = parser.parse_args()

    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(1)
    with open(args.port_file, "w") as f:
        f.write(str(listener.getsockname()[1]))
    listener.settimeout(90)
    try:
        conn, _ = listener.accept()
    except socket.timeout:
        print(f"{args.label}: the client did not connect")
        return 1
    conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    client = Client(conn)
    conn.sendall(bytes([IAC, WILL, 1, IAC, WILL, 3]))
    mark, reply, how = choose_marker(client)
    print(f"{args.label} (end marker: {how})")
    if not args.latency_only:
        size = int(args.mb * 1048576)
        throughput(client, "plain lines", plain_lines(size), mark, reply)
        throughput(client, "plain lines, no scrolling", screenful_lines(size), mark, reply)
        throughput(client, "colour lines", colour_lines(size), mark, reply)
        throughput(client, "top (captured), full screen", top_screens(size), mark, reply)
    record = {"key": args.key, "times_file": args.times_file}
    if args.throughput_only:
        conn.close()
        return 0
    if args.window:
        from x_probe import XProbe
        probe = XProbe()
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", args.window, "windowfocus", "--sync"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        time.sleep(0.5)
        report(PATHS[0], key_rounds(client, probe, args.rounds), **record)
        report(PATHS[1], echo_rounds(client, probe, args.rounds, mark, reply), **record)
    report(PATHS[2], query_rounds(client, args.rounds * 2, mark, reply), **record)
    conn.close()
    return 0


def summary(times_file):
    """Medians over every round of every run, per client and path."""
    rounds = {}
    with open(times_file) as f:
        for line in f:
            entry = json.loads(line)
            rounds.setdefault((entry["client"], entry["path"]), []).extend(entry["times"])
    clients = list(dict.fromkeys(client for client, _ in rounds))
    print("Latency, median ms over all runs (rounds): " + " | ".join(clients))
    for path in PATHS:
        cells = []
        for client in clients:
            times = rounds.get((client, path))
            cells.append(f"{statistics.median(times):.2f} ({len(times)})" if times else "-")
        print(f"  {path}: " + " | ".join(cells))


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--summary":
        summary(sys.argv[2])
        sys.exit(0)
    sys.exit(main())
