#!/usr/bin/env python3
"""Draws tessarin.ico: a keyboard key seen from above, with a password star on its top face.

Run from this directory to regenerate the icon: python3 make_icon.py
Standard library only; the output is the same on every run.
"""
import math
import struct

SIZES = (16, 24, 32, 48)
SAMPLES = 4  # per pixel and axis, for smooth edges


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return math.hypot(x - cx, y - cy) <= radius


def in_bar(x, y, cx, cy, angle, length, width):
    dx, dy = x - cx, y - cy
    along = dx * math.cos(angle) + dy * math.sin(angle)
    across = -dx * math.sin(angle) + dy * math.cos(angle)
    return abs(along) <= length / 2 and abs(across) <= width / 2


def colour_at(x, y):
    """Colour of the top-most shape at (x, y) in unit coordinates, or None outside the key."""
    star = (0.5, 0.42)
    if in_rounded_rect(x, y, 0.16, 0.10, 0.84, 0.74, 0.12):
        if any(in_bar(x, y, star[0], star[1], math.radians(a), 0.38, 0.085) for a in (90, 30, 150)):
            return (40, 60, 110)
        shade = (y - 0.10) / 0.64
        return tuple(round(top + (bottom - top) * shade) for top, bottom in zip((248, 249, 252), (212, 218, 228)))
    if in_rounded_rect(x, y, 0.06, 0.05, 0.94, 0.90, 0.16):
        return (150, 160, 176)
    if in_rounded_rect(x, y, 0.06, 0.10, 0.94, 0.96, 0.16):
        return (68, 76, 92)
    return None


def render(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c:
                        covered += 1
                        total = [t + v for t, v in zip(total, c)]
            if covered:
                row.append(tuple(round(t / covered) for t in total) + (round(255 * covered / SAMPLES ** 2),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(size):
    """One icon directory image: BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, AND mask."""
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def main():
    images = [icon_image(size) for size in SIZES]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b''
    for size, image in zip(SIZES, images):
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open('tessarin.ico', 'wb') as out:
        out.write(directory + entries + b''.join(images))


if __name__ == '__main__':
    main()
