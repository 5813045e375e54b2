#!/usr/bin/env python3
"""Draws Varnel's icon, a designator tag with a renumbering arrow, at every
size Windows asks for and writes res/varnel.ico (32-bit images for 16 to 48
pixels, PNG for 256). Run it again after changing the drawing; the .ico is
kept in the tree so that builds need no Python."""
import math
import os
import struct
import zlib

SIZES = [16, 20, 24, 32, 48, 256]
BLUE = (0x2F, 0x6F, 0xB5)
DARK = (0x17, 0x3F, 0x6E)
WHITE = (0xFF, 0xFF, 0xFF)

# The tag: a pentagon pointing left, in a unit square (y downwards).
TAG = [(0.04, 0.50), (0.30, 0.20), (0.96, 0.20), (0.96, 0.80), (0.30, 0.80)]
HOLE = (0.22, 0.50, 0.055)
ARROW = (0.63, 0.50, 0.205, 0.115)  # centre, outer and inner radius


def inside_convex(points, x, y, margin):
    """True when (x, y) lies inside the polygon by at least margin."""
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        ex, ey = x1 - x0, y1 - y0
        # Clockwise on screen: inside is to the right of each edge.
        if (ex * (y - y0) - ey * (x - x0)) / math.hypot(ex, ey) < margin:
            return False
    return True


def in_arrow(x, y):
    cx, cy, outer, inner = ARROW
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    angle = math.degrees(math.atan2(-dy, dx)) % 360
    # The ring, open on the upper right where the head points into the gap.
    if inner <= r <= outer and not (10 <= angle <= 75):
        return True
    # The head: a triangle at the ring's end at 75 degrees, pointing clockwise.
    a = math.radians(75)
    mid = (outer + inner) / 2
    bx, by = cx + mid * math.cos(a), cy - mid * math.sin(a)
    ux, uy = math.cos(a), -math.sin(a)       # outwards
    tx, ty = math.sin(a), math.cos(a)        # clockwise on screen
    half = (outer - inner) * 1.25
    head = [(bx - ux * half, by - uy * half),
            (bx + tx * half * 1.3, by + ty * half * 1.3),
            (bx + ux * half, by + uy * half)]
    return inside_convex(head, x, y, 0) or inside_convex(head[::-1], x, y, 0)


def sample(x, y, outline):
    if math.hypot(x - HOLE[0], y - HOLE[1]) < HOLE[2]:
        return None
    if not inside_convex(TAG, x, y, 0):
        return None
    if math.hypot(x - HOLE[0], y - HOLE[1]) < HOLE[2] + outline:
        return DARK
    if not inside_convex(TAG, x, y, outline):
        return DARK
    return WHITE if in_arrow(x, y) else BLUE


def draw(size):
    """Rows of RGBA bytes, top row first, four by four samples a pixel. The
    drawing keeps a margin of a pixel (four at 256) on every side, as the
    system's own icons do: a tag that touched the edge looked cut off in a
    title bar."""
    margin = max(1, size // 64)
    inner = size - 2 * margin
    outline = max(1.0 / inner, 0.035)
    n = 4
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    c = sample((px - margin + (sx + 0.5) / n) / inner,
                               (py - margin + (sy + 0.5) / n) / inner, outline)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                row += bytes((r // a, g // a, b // a, 255 * a // (n * n)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(size, rows):
    raw = b"".join(b"\0" + row for row in rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(size, rows):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((row[i + 2], row[i + 1], row[i], row[i + 3]))
                      for row in reversed(rows) for i in range(0, len(row), 4))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x in range(size):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def main():
    images = [png(s, draw(s)) if s == 256 else dib(s, draw(s)) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "varnel.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
