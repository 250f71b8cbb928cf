#!/usr/bin/env python3
"""Draws the cuponex icon: a coupon coming out of a fiscal printer.

Writes cuponex.svg and the PNG sizes next to this script from one list of
shapes, so the two stay alike. Needs nothing but the Python standard library;
run it again after changing a shape and commit what it writes.
"""

import math
import os
import struct
import zlib

# Shapes on a 48 x 48 canvas, painted in this order.
# ("rect", x, y, w, h, radius, fill)
# ("poly", [(x, y), ...], fill, stroke, stroke_width)
# ("circle", cx, cy, r, fill)


def coupon_outline():
    # Torn top edge, straight sides, bottom hidden in the paper slot.
    points = [(14.0, 27.0)]
    x, up = 14.0, True
    while x < 34.0:
        points.append((x, 4.0 if up else 6.0))
        x += 2.5
        up = not up
    points.append((34.0, 4.0 if up else 6.0))
    points.append((34.0, 27.0))
    return points


SHAPES = [
    ("rect", 3.0, 23.0, 42.0, 21.0, 4.5, "#263238"),  # shadow edge
    ("rect", 4.0, 22.0, 40.0, 20.0, 4.0, "#455a64"),  # printer body
    ("rect", 4.0, 22.0, 40.0, 6.0, 4.0, "#607d8b"),  # top face
    ("rect", 4.0, 26.0, 40.0, 2.0, 0.0, "#607d8b"),
    ("rect", 10.0, 25.0, 28.0, 2.5, 1.0, "#1c262b"),  # paper slot
    ("poly", coupon_outline(), "#ffffff", "#90a4ae", 0.8),  # the coupon
    ("rect", 17.0, 9.0, 14.0, 1.6, 0.0, "#90a4ae"),  # printed lines
    ("rect", 17.0, 12.5, 10.0, 1.6, 0.0, "#90a4ae"),
    ("rect", 17.0, 16.0, 14.0, 1.6, 0.0, "#90a4ae"),
    ("rect", 23.0, 20.0, 8.0, 2.0, 0.0, "#2e7d32"),  # the total
    ("rect", 8.0, 31.0, 32.0, 7.5, 1.5, "#37474f"),  # front panel
    ("rect", 11.0, 33.5, 5.0, 2.5, 0.8, "#b0bec5"),  # keys
    ("rect", 18.0, 33.5, 5.0, 2.5, 0.8, "#b0bec5"),
    ("circle", 35.0, 34.75, 1.8, "#76d275"),  # power lamp
]


def svg():
    out = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">',
    ]
    for shape in SHAPES:
        kind = shape[0]
        if kind == "rect":
            _, x, y, w, h, r, fill = shape
            out.append(
                f'  <rect x="{x:g}" y="{y:g}" width="{w:g}" height="{h:g}" rx="{r:g}" fill="{fill}"/>'
            )
        elif kind == "poly":
            _, points, fill, stroke, width = shape
            text = " ".join(f"{x:g},{y:g}" for x, y in points)
            out.append(
                f'  <polygon points="{text}" fill="{fill}" stroke="{stroke}" '
                f'stroke-width="{width:g}" stroke-linejoin="round"/>'
            )
        else:
            _, cx, cy, r, fill = shape
            out.append(f'  <circle cx="{cx:g}" cy="{cy:g}" r="{r:g}" fill="{fill}"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def colour(text):
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


def in_rect(px, py, x, y, w, h, r):
    if px < x or px > x + w or py < y or py > y + h:
        return False
    cx = min(max(px, x + r), x + w - r)
    cy = min(max(py, y + r), y + h - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def in_polygon(px, py, points):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def near_outline(px, py, points, half_width):
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((px - x1) * dx + (py - y1) * dy) / (dx * dx + dy * dy)))
        if math.hypot(px - (x1 + t * dx), py - (y1 + t * dy)) <= half_width:
            return True
    return False


def paint(px, py):
    """The colour at one point of the canvas, or None where nothing is drawn."""
    result = None
    for shape in SHAPES:
        kind = shape[0]
        if kind == "rect":
            _, x, y, w, h, r, fill = shape
            if in_rect(px, py, x, y, w, h, r):
                result = fill
        elif kind == "poly":
            _, points, fill, stroke, width = shape
            if near_outline(px, py, points, width / 2):
                result = stroke
            elif in_polygon(px, py, points):
                result = fill
        else:
            _, cx, cy, r, fill = shape
            if (px - cx) ** 2 + (py - cy) ** 2 <= r * r:
                result = fill
    return result


def png(size, samples=4):
    scale = 48.0 / size
    rows = []
    for j in range(size):
        row = bytearray([0])  # filter: none
        for i in range(size):
            total = [0, 0, 0]
            covered = 0
            for sj in range(samples):
                for si in range(samples):
                    fill = paint(
                        (i + (si + 0.5) / samples) * scale, (j + (sj + 0.5) / samples) * scale
                    )
                    if fill:
                        for k, value in enumerate(colour(fill)):
                            total[k] += value
                        covered += 1
            if covered:
                row += bytes(round(t / covered) for t in total)
                row.append(round(255 * covered / samples**2))
            else:
                row += b"\0\0\0\0"
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
        + chunk(b"IEND", b"")
    )


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "cuponex.svg"), "w", encoding="utf-8") as f:
        f.write(svg())
    for size in (48, 256):
        with open(os.path.join(here, f"cuponex-{size}.png"), "wb") as f:
            f.write(png(size))


if __name__ == "__main__":
    main()
