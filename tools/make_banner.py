#!/usr/bin/env python3
"""Draws the start-up banner's two pictures (320 x 240): a night-blue sky
over a terminal screen with a prompt and a few lines of green text, as a
256-colour BMP and as a 16-colour BMP (ordered dithering to the standard
16 colours) for shallow displays.

usage: make_banner.py OUT_256.bmp OUT_16.bmp"""
import struct
import sys

W, H = 320, 240

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
         (0, 255, 255), (255, 255, 255)]
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def picture():
    """Rows of RGB tuples, top row first."""
    px = [[(0, 0, 0)] * W for _ in range(H)]
    for y in range(H):  # sky: deep blue at the top to teal at the bottom
        t = y / (H - 1)
        c = (int(10 + 20 * t), int(20 + 100 * t), int(90 + 70 * t))
        px[y] = [c] * W

    def fill(x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(H, y1)):
            row = px[y]
            for x in range(max(0, x0), min(W, x1)):
                row[x] = c

    fill(60, 100, 260, 222, (190, 190, 190))  # terminal case
    fill(68, 108, 252, 208, (16, 16, 16))     # its screen
    fill(140, 222, 180, 230, (150, 150, 150))  # stand
    fill(110, 230, 210, 234, (150, 150, 150))
    green = (60, 220, 90)
    for i, length in enumerate([120, 88, 140, 60]):  # text lines
        fill(76, 116 + i * 14, 76 + length, 122 + i * 14, green)
    fill(76, 172, 82, 178, green)  # prompt ">" and the cursor
    fill(82, 176, 88, 182, green)
    fill(76, 180, 82, 186, green)
    fill(94, 182, 104, 186, (255, 255, 64))
    return px


def dithered16(px):
    out = []
    for y, row in enumerate(px):
        line = []
        for x, (r, g, b) in enumerate(row):
            d = (BAYER[y % 4][x % 4] - 7.5) * 6
            r, g, b = r + d, g + d, b + d
            line.append(min(range(16), key=lambda i: (VGA16[i][0] - r) ** 2 + (VGA16[i][1] - g) ** 2
                            + (VGA16[i][2] - b) ** 2))
        out.append(line)
    return out


def bmp(indices, palette, bits):
    row_bytes = ((W * bits + 31) // 32) * 4
    data = b''
    for line in reversed(indices):  # bottom-up
        if bits == 8:
            raw = bytes(line)
        else:
            raw = bytes((line[i] << 4) | line[i + 1] for i in range(0, W, 2))
        data += raw + bytes(row_bytes - len(raw))
    colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, bits, 0, len(data), 2835, 2835, len(palette), 0)
    return struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset) + info + colours + data


def main(out256, out16):
    px = picture()
    palette = sorted({c for row in px for c in row})
    assert len(palette) <= 256, len(palette)
    index = {c: i for i, c in enumerate(palette)}
    with open(out256, 'wb') as f:
        f.write(bmp([[index[c] for c in row] for row in px], palette, 8))
    with open(out16, 'wb') as f:
        f.write(bmp(dithered16(px), VGA16, 4))


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
