#!/usr/bin/env python3
"""Benchmark host for end-to-end figures of a telnet client over loopback.

Listens on a free port of 127.0.0.1 (written to --port-file), accepts one
client, then measures:
  throughput  N MB of text (plain lines, then lines with colour changes)
              until the client has consumed all of it;
  echo        the time from sending an echoed character until the client
              has taken it in, over many rounds;
  keystroke   (with --window NAME) the time from a key typed into the
              client's window with xdotool until its echo was taken in.
"Taken in" is known by a request the client answers only after everything
before it: the terminal's device-attributes request (ESC [ c) when the
client's emulator answers it, else a telnet negotiation for an unknown
option (IAC DO 99, refused with IAC WONT 99), which the telnet layer answers
in order with the data. The figures name which one was used.
Prints figures only; never fails on time.
"""
import argparse
import os
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

    def wait_for(self, marker, timeout):
        """Reads until `marker` arrives; True when it did."""
        end = time.monotonic() + timeout
        while marker not in self.pending:
            left = end - time.monotonic()
            if left <= 0:
                return False
            self.conn.settimeout(left)
            try:
                data = self.conn.recv(65536)
            except socket.timeout:
                return False
            if not data:
                return False
            self.answer_negotiation(data)
            self.pending += data
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


def choose_marker(client):
    """The device-attributes request when the client's terminal answers it,
    with the client's exact answer as the reply to wait for."""
    client.drain(1.5)
    client.conn.sendall(DA_MARK)
    if client.wait_for(b"\x1b[", 2.0):
        answer = b"\x1b["
        end = time.monotonic() + 1
        while not answer.endswith(b"c") and time.monotonic() < end:
            if client.pending:
                answer += client.pending[:1]
                client.pending = client.pending[1:]
            else:
                client.conn.settimeout(0.2)
                try:
                    client.pending += client.conn.recv(1)
                except socket.timeout:
                    pass
        if answer.endswith(b"c"):
            client.drain(0.3)
            return DA_MARK, answer, "device attributes, answered " + repr(answer)
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


def echo_rounds(client, rounds, mark, reply, key_sender=None):
    times = []
    client.drain(0.5)
    for i in range(rounds):
        start = time.monotonic()
        if key_sender:
            key_sender()
            if not client.wait_for(b"k", 5):
                return None
        client.conn.sendall(b"k" + mark)
        if not client.wait_for(reply, 5):
            return None
        times.append((time.monotonic() - start) * 1000)
    return times


def report(name, times):
    if not times:
        print(f"  {name}: no answer")
        return
    times.sort()
    p95 = times[int(len(times) * 0.95) - 1]
    print(f"  {name}: median {statistics.median(times):.2f} ms, 95% {p95:.2f} ms ({len(times)} rounds)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--label", required=True)
    parser.add_argument("--mb", type=float, default=8)
    parser.add_argument("--rounds", type=int, default=200)
    parser.add_argument("--window", help="window name for typed keys (xdotool)")
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
    size = int(args.mb * 1048576)
    throughput(client, "plain lines", plain_lines(size), mark, reply)
    throughput(client, "plain lines, no scrolling", screenful_lines(size), mark, reply)
    throughput(client, "colour lines", colour_lines(size), mark, reply)
    throughput(client, "top (captured), full screen", top_screens(size), mark, reply)
    report("echo taken in", echo_rounds(client, args.rounds, mark, reply))
    if args.window:
        typist = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, text=True)
        typist.stdin.write(f"search --sync --onlyvisible --name '{args.window}' windowfocus --sync\n")
        typist.stdin.flush()
        time.sleep(1)

        def send_key():
            typist.stdin.write("key --delay 0 k\n")
            typist.stdin.flush()

        report("keystroke to echo", echo_rounds(client, min(args.rounds, 50), mark, reply, send_key))
        typist.stdin.close()
        typist.wait()
    conn.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
