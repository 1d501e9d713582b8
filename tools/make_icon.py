#!/usr/bin/env python3
"""Writes the Korvane program icon: a dark-blue terminal face with a yellow
prompt, at 16x16 and 32x32, 32 bits per pixel."""
import struct
import sys

BLUE = (128, 0, 0, 255)      # BGRA
FRAME = (160, 160, 160, 255)
YELLOW = (0, 255, 255, 255)
CLEAR = (0, 0, 0, 0)


def picture(size):
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = colour

    fill(1, 3, 31, 29, FRAME)
    fill(3, 5, 29, 27, BLUE)
    # ">" made of steps, then "_"
    for i in range(5):
        fill(6 + i * 2, 9 + i * 2, 9 + i * 2, 11 + i * 2, YELLOW)
    for i in range(4):
        fill(12 - i * 2, 19 + i * 2 - 2, 15 - i * 2, 21 + i * 2 - 2, YELLOW)
    fill(17, 22, 25, 24, YELLOW)
    return pixels


def image_bytes(size):
    pixels = picture(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes(p) for row in reversed(pixels) for p in row)
    row_bytes = ((size + 31) // 32) * 4
    and_mask = bytes(row_bytes * size)  # alpha decides; mask all visible
    return header + xor + and_mask


def main(path):
    sizes = [16, 32]
    images = [image_bytes(n) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1])
