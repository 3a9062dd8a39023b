#!/usr/bin/env python3
"""Draws Tessary's icon (a window split into three tiles) and writes it as a Windows .ico.

    tools/make-icon.py src/platform/win32/resources/tessary.ico

The result is committed; run this again only to change the picture. Every size is drawn
from the same geometry with 4x4 supersampling, so small sizes stay crisp without a
separate hand-drawn version. Sizes up to 64 are stored as 32-bit bitmaps, 256 as PNG.
"""

import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
FRAME = (0x00, 0x67, 0xC0)  # the program's accent blue
TILE = (0xFF, 0xFF, 0xFF)
TILE_ACCENT = (0x9C, 0xD3, 0xFF)


def rounded_rect_contains(x, y, left, top, right, bottom, radius):
    if x < left or x >= right or y < top or y >= bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def shape(n):
    """The picture in unit coordinates scaled to n pixels: a list of (rect, radius, colour),
    later entries painted over earlier ones."""
    margin = n * 0.06
    outer = (margin, margin + n * 0.04, n - margin, n - margin - n * 0.04)
    radius = n * 0.12
    # Gaps stay at least one pixel so the tiles read as separate at 16 px.
    gap = max(n * 0.07, 1.0)
    inner = (outer[0] + gap, outer[1] + gap, outer[2] - gap, outer[3] - gap)
    split_x = inner[0] + (inner[2] - inner[0]) * 0.5
    split_y = inner[1] + (inner[3] - inner[1]) * 0.5
    half = gap / 2
    tile_radius = max(n * 0.04, 0.5)
    return [
        (outer, radius, FRAME),
        ((inner[0], inner[1], split_x - half, inner[3]), tile_radius, TILE),
        ((split_x + half, inner[1], inner[2], split_y - half), tile_radius, TILE_ACCENT),
        ((split_x + half, split_y + half, inner[2], inner[3]), tile_radius, TILE),
    ]


def render(n):
    """Premultiplication is not needed: ICO bitmaps are straight alpha. Rows top-down."""
    samples = 4
    parts = shape(n)
    pixels = []
    for y in range(n):
        row = []
        for x in range(n):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    px = x + (sx + 0.5) / samples
                    py = y + (sy + 0.5) / samples
                    colour = None
                    for rect, radius, fill in parts:
                        if rounded_rect_contains(px, py, *rect, radius):
                            colour = fill
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            coverage = acc[3]
            if coverage == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(acc[0] / coverage), round(acc[1] / coverage),
                            round(acc[2] / coverage), round(255 * coverage / samples**2)))
        pixels.append(row)
    return pixels


def bmp_entry(n, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        for r, g, b, a in row:
            body += bytes((b, g, r, a))
    mask_stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(body) + bytes(mask)


def png_entry(n, pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-icon.py output.ico")
    images = []
    for n in SIZES:
        pixels = render(n)
        images.append((n, png_entry(n, pixels) if n >= 256 else bmp_entry(n, pixels)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
