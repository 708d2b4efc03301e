#!/usr/bin/env python3
"""Draws the icons and bitmaps of the bundled panels and the broken picture
files of the tests.

    tools/make-art.py            # writes examples/icons, examples/bitmaps,
                                 # tests/data/icons, tests/data/bitmaps

Icons are .ico files with 32-bit entries (straight alpha) in several sizes;
bitmaps are 24-bit .bmp files. Shapes are signed distance functions in unit
coordinates (0..1, y down), so every size is drawn with smooth edges.
Everything is computed here: the output is the same on every run.
"""

import math
import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))


# ---------------------------------------------------------------- shapes

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(left, top, right, bottom):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2, (bottom - top) / 2

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0)
    return d


def capsule(ax, ay, bx, by, r):
    def d(x, y):
        px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
        h = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
        return math.hypot(px - vx * h, py - vy * h) - r
    return d


def polygon(points):
    """Exact distance to a simple polygon, negative inside."""
    def d(x, y):
        best = float("inf")
        inside = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            vx, vy = bx - ax, by - ay
            px, py = x - ax, y - ay
            h = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
            best = min(best, math.hypot(px - vx * h, py - vy * h))
            if (ay > y) != (by > y) and x < ax + (y - ay) * vx / (by - ay):
                inside = not inside
        return -best if inside else best
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def ring(cx, cy, r, thickness):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - thickness


def star(cx, cy, outer, inner, points=5):
    corners = []
    for i in range(points * 2):
        radius = outer if i % 2 == 0 else inner
        angle = -math.pi / 2 + i * math.pi / points
        corners.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return polygon(corners)


# ---------------------------------------------------------------- painting

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def paint(size, layers):
    """Renders layers (shape, top colour, bottom colour, rim colour) over a
    transparent square; returns rows top-down of (r, g, b, a) tuples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            x, y = (px + 0.5) / size, (py + 0.5) / size
            colour, alpha = (0.0, 0.0, 0.0), 0.0
            for shape, top, bottom, rim in layers:
                distance = shape(x, y) * size  # in pixels
                coverage = max(0.0, min(1.0, 0.5 - distance))
                if coverage == 0.0:
                    continue
                fill = mix(top, bottom, y)
                # A one-pixel darker rim keeps the shape readable on any panel.
                edge = max(0.0, min(1.0, distance + 1.5))
                fill = mix(fill, rim, edge)
                out = coverage + alpha * (1 - coverage)
                colour = tuple((fill[i] * coverage + colour[i] * alpha * (1 - coverage)) / out for i in range(3))
                alpha = out
            row.append(tuple(int(round(c)) for c in colour) + (int(round(alpha * 255)),))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- file formats

def icon_entry(rows):
    """BITMAPINFOHEADER, BGRA rows bottom-up, and an all-clear AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def icon_file(entries):
    """entries: (width byte, height byte, bit count, image bytes)."""
    directory = b""
    images = b""
    offset = 6 + 16 * len(entries)
    for width, height, bits, image in entries:
        directory += struct.pack("<BBBBHHII", width, height, 0, 0, 1, bits, len(image), offset + len(images))
        images += image
    return struct.pack("<HHH", 0, 1, len(entries)) + directory + images


def bitmap_file(rows):
    """24-bit bottom-up .bmp of rows top-down of (r, g, b)."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = b""
    for row in reversed(rows):
        line = b"".join(bytes((b, g, r)) for (r, g, b) in row)
        data += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + data


def write(relative, data):
    path = os.path.join(ROOT, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- the art

ICON_SIZES = (16, 24, 32, 48)

ICONS = {
    "home": [
        (union(polygon([(0.5, 0.08), (0.04, 0.5), (0.96, 0.5)]), box(0.17, 0.42, 0.83, 0.92)),
         (250, 190, 90), (200, 90, 30), (110, 45, 10)),
        (box(0.41, 0.6, 0.59, 0.92), (120, 70, 40), (80, 40, 20), (60, 30, 15)),
    ],
    "power": [
        (union(subtract(ring(0.5, 0.55, 0.32, 0.075), box(0.36, 0.0, 0.64, 0.45)),
               capsule(0.5, 0.1, 0.5, 0.48, 0.075)),
         (140, 240, 120), (30, 150, 40), (10, 70, 20)),
    ],
    "star": [
        (star(0.5, 0.53, 0.48, 0.2), (255, 240, 130), (240, 160, 20), (140, 80, 0)),
    ],
    "switch": [
        (circle(0.5, 0.5, 0.46), (120, 180, 255), (30, 80, 200), (10, 30, 100)),
        (polygon([(0.24, 0.42), (0.52, 0.42), (0.52, 0.24), (0.8, 0.5), (0.52, 0.76), (0.52, 0.58), (0.24, 0.58)]),
         (255, 255, 255), (220, 230, 255), (200, 210, 240)),
    ],
}


def face_bitmap(width, height, top, bottom, pushed):
    """A rounded face with a play triangle; the pushed one is darker and its
    triangle sits one pixel lower."""
    shape = box(0.04, 0.06, 0.96, 0.94)
    shift = 1.0 / height if pushed else 0.0
    triangle = polygon([(0.38, 0.22 + shift), (0.66, 0.5 + shift), (0.38, 0.78 + shift)])
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            x, y = (px + 0.5) / width, (py + 0.5) / height
            colour = mix(top, bottom, y)
            if shape(x, y) > 0:
                colour = (40, 48, 64)
            elif triangle(x, y) * height < 0.5:
                t = max(0.0, min(1.0, 0.5 - triangle(x, y) * height))
                colour = mix(colour, (255, 255, 255), t)
            row.append(tuple(int(round(c)) for c in colour))
        rows.append(row)
    return rows


def backdrop(width, height, top, bottom):
    """A panel background: a vertical gradient with a soft sheen across the
    top-left and a one-pixel light rim along the top and left edges."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            colour = mix(top, bottom, py / (height - 1))
            sheen = max(0.0, 1.0 - (px + 1.6 * py) / (0.9 * width))
            colour = mix(colour, (255, 255, 255), 0.10 * sheen)
            if px == 0 or py == 0:
                colour = mix(colour, (255, 255, 255), 0.25)
            row.append(tuple(int(round(c)) for c in colour))
        rows.append(row)
    return rows


def make_examples():
    for name, layers in ICONS.items():
        entries = []
        for size in ICON_SIZES:
            entries.append((size, size, 32, icon_entry(paint(size, layers))))
        write(f"examples/icons/{name}.ico", icon_file(entries))
    write("examples/bitmaps/play_normal.bmp", bitmap_file(face_bitmap(48, 32, (120, 210, 120), (30, 120, 40), False)))
    write("examples/bitmaps/backdrop.bmp", bitmap_file(backdrop(150, 280, (46, 64, 92), (16, 22, 34))))
    write("examples/bitmaps/play_pushed.bmp", bitmap_file(face_bitmap(48, 32, (60, 150, 60), (15, 80, 25), True)))


# ---------------------------------------------------------------- broken files

def make_broken():
    good = icon_entry(paint(16, ICONS["star"]))
    whole = icon_file([(16, 16, 32, good)])
    header_and_entry = whole[:6 + 16]
    data = "tests/data/icons/"
    # The directory announces one entry, the file ends inside it.
    write(data + "truncated_directory.ico", whole[:6 + 10])
    # Shorter than the six-byte header.
    write(data + "truncated_header.ico", whole[:3])
    # The pixel block is cut off in the middle.
    write(data + "truncated_pixels.ico", whole[:6 + 16 + 40 + 100])
    # 65535 directory entries announced, one present.
    write(data + "oversized_count.ico", struct.pack("<HHH", 0, 1, 0xFFFF) + whole[6:])
    # The image offset points past the end of the file.
    entry = struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32, len(good), 0x7FFFFFF0)
    write(data + "offset_past_end.ico", struct.pack("<HHH", 0, 1, 1) + entry + good)
    # The header size puts the pixels far past the end.
    write(data + "header_size_past_end.ico", header_and_entry + struct.pack("<I", 0xFFFFFFF0) + good[4:])
    # The image header starts within the last three bytes of the file.
    entry = struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32, 4, 6 + 16 + 2)
    write(data + "image_header_cut.ico", struct.pack("<HHH", 0, 1, 1) + entry + b"\x28\x00\x00")
    # A cursor file: type 2.
    write(data + "cursor.ico", struct.pack("<HHH", 0, 2, 1) + whole[6:])
    # A reserved field that is not 0.
    write(data + "reserved_not_zero.ico", struct.pack("<HHH", 1, 1, 1) + whole[6:])
    # No entries at all.
    write(data + "count_zero.ico", struct.pack("<HHH", 0, 1, 0))
    # Entries of 8 and 24 bits per pixel only.
    write(data + "no_32bit_entry.ico",
          icon_file([(16, 16, 8, good), (32, 32, 24, icon_entry(paint(32, ICONS["star"])))]))
    # A single 256-pixel entry, whose size bytes are 0.
    write(data + "only_256.ico", icon_file([(0, 0, 32, good)]))
    # Nothing at all.
    write(data + "empty.ico", b"")

    bitmap = bitmap_file(face_bitmap(8, 8, (255, 0, 0), (0, 0, 255), False))
    data = "tests/data/bitmaps/"
    write(data + "truncated.bmp", bitmap[:60])
    write(data + "not_a_bitmap.bmp", b"This is a text file, not a picture.\n")
    write(data + "empty.bmp", b"")
    # Announces a picture of 30000 x 30000 pixels and carries 8 x 8.
    info = struct.pack("<IiiHHIIiiII", 40, 30000, 30000, 1, 24, 0, 0, 0, 0, 0, 0)
    write(data + "oversized_header.bmp", bitmap[:14] + info + bitmap[54:])


if __name__ == "__main__":
    make_examples()
    make_broken()
