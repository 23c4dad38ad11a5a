#!/usr/bin/env python3
"""Draws the program's icon: a sky-blue rounded tile with a white "Q" whose
tail is a speed streak, the mark of the Quonel accelerator, in the colours
of the built-in blue skin.

Usage: draw_program_icon.py OUT.ico

The icon holds 16, 32 and 48 pixel images, 32 bits per pixel with alpha,
drawn by supersampling. Only the standard library is used.
"""
import math
import struct
import sys

TILE_TOP = (96, 170, 240)
TILE_BOTTOM = (30, 96, 178)
OUTLINE = (24, 64, 122)
WHITE = (255, 255, 255)
STREAK = (255, 196, 64)
SAMPLES = 4


def inside_rounded(x, y, size, radius):
    cx = min(max(x, radius), size - radius)
    cy = min(max(y, radius), size - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y, size):
    """The colour (or None) at a point of the unit square scaled to size."""
    u, v = x / size, y / size
    if not inside_rounded(u, v, 1.0, 0.22):
        return None
    if not inside_rounded(u - 0.045, v - 0.045, 0.91, 0.18):
        return OUTLINE
    t = v
    colour = tuple(int(TILE_TOP[i] + (TILE_BOTTOM[i] - TILE_TOP[i]) * t) for i in range(3))
    # The ring of the Q.
    d = math.hypot(u - 0.47, v - 0.46)
    if 0.19 <= d <= 0.30:
        colour = WHITE
    # Its tail: a streak leaving to the lower right.
    along = (u - 0.52) * 0.7071 + (v - 0.55) * 0.7071
    across = -(u - 0.52) * 0.7071 + (v - 0.55) * 0.7071
    if 0.0 <= along <= 0.36 and abs(across) <= 0.055:
        colour = STREAK if along > 0.17 else WHITE
    return colour


def draw(size):
    pixels = []
    for row in range(size):
        line = []
        for col in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(col + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES, size)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += c[i]
            if covered:
                line.append(tuple(total[i] // covered for i in range(3)) + (255 * covered // SAMPLES ** 2,))
            else:
                line.append((0, 0, 0, 0))
        pixels.append(line)
    return pixels


def icon_image(size):
    pixels = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for line in reversed(pixels) for (r, g, b, a) in line)
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for line in reversed(pixels):
        bits = bytearray(mask_stride)
        for col, (_, _, _, a) in enumerate(line):
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bytes(bits)
    return header + xor + mask


def main():
    sizes = (16, 32, 48)
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main()
