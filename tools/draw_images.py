#!/usr/bin/env python3
"""Draws Vantrel's own images: the program icon (a monitor with a sun on its
screen, 16, 32 and 48 pixels), the default application icon of the rules
list, and the 16x16 button images of the main window's toolbars.

Only the standard library is used: every shape is a coverage function, each
pixel is sampled on a fine grid and the samples are averaged, which gives
smooth edges at these small sizes. The outputs are committed; run this again
only after changing a drawing:

    tools/draw_images.py            # writes src/app/*.ico and Resources/*.png
"""

import math
import os
import struct
import sys
import zlib

SAMPLES = 8  # per pixel and axis


# ---------------------------------------------------------------- shapes
# A shape is a function (x, y) -> bool in pixel coordinates, where the pixel
# at column c covers c .. c+1.

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner, start_deg=0.0, end_deg=360.0):
    """Ring between two radii, limited to the angles start..end measured
    clockwise from the positive x axis (y grows downwards)."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_inner * r_inner <= d2 <= r_outer * r_outer):
            return False
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360.0
        if start_deg <= end_deg:
            return start_deg <= angle <= end_deg
        return angle >= start_deg or angle <= end_deg
    return inside


def segment(x0, y0, x1, y1, width):
    """A stroke of the given width with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    half2 = (width / 2.0) ** 2

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half2
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(hole(x, y) for hole in holes)


def vertical_gradient(top, bottom, y0, y1):
    """A colour that changes from top to bottom between the rows y0 and y1."""
    def colour(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return colour


# ---------------------------------------------------------------- raster

def render(size, layers):
    """layers: (shape, colour) painted in order; a colour is an RGBA tuple or
    a function (x, y) -> RGBA. Returns rows of RGBA tuples."""
    step = 1.0 / SAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SAMPLES):
                y = py + (sy + 0.5) * step
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) * step
                    r = g = b = a = 0.0
                    for shape, colour in layers:
                        if not shape(x, y):
                            continue
                        cr, cg, cb, ca = colour(x, y) if callable(colour) else colour
                        ca /= 255.0
                        r = cr * ca + r * (1 - ca)
                        g = cg * ca + g * (1 - ca)
                        b = cb * ca + b * (1 - ca)
                        a = ca + a * (1 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / n / alpha) for c in acc[:3]) + (round(alpha * 255),))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- files

def png_bytes(rows):
    size_y, size_x = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size_x, size_y, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def dib_icon_image(rows):
    """One icon image as a 32-bit DIB with its AND mask, bottom row first."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def ico_bytes(images):
    """images: list of rows, one per size."""
    count = len(images)
    directory = b""
    data = b""
    offset = 6 + 16 * count
    for rows in images:
        image = dib_icon_image(rows)
        size = len(rows)
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return struct.pack("<HHH", 0, 1, count) + directory + data


# ---------------------------------------------------------------- drawings

OUTLINE = (30, 41, 56, 255)
SCREEN_TOP = (96, 170, 236, 255)
SCREEN_BOTTOM = (28, 92, 168, 255)
SUN = (255, 206, 46, 255)
SUN_EDGE = (236, 140, 20, 255)
STAND = (96, 108, 124, 255)


def monitor_with_sun(size):
    """The program icon: a monitor whose screen shows a sun."""
    if size == 16:
        return small_monitor_with_sun()
    s = size / 16.0
    frame = rounded_rect(0.5 * s, 1.5 * s, 15.5 * s, 12.5 * s, 1.2 * s)
    border = 1.0 * s
    screen = rect(0.5 * s + border, 1.5 * s + border, 15.5 * s - border, 12.5 * s - border)
    neck = rect(6.5 * s, 12.5 * s, 9.5 * s, 14.0 * s)
    base = rounded_rect(4.0 * s, 13.8 * s, 12.0 * s, 15.5 * s, 0.6 * s)
    cx, cy = 8.0 * s, 7.0 * s
    disk_r = 2.1 * s
    layers = [
        (frame, OUTLINE),
        (screen, vertical_gradient(SCREEN_TOP, SCREEN_BOTTOM, 2.5 * s, 11.5 * s)),
        (union(neck, base), STAND),
    ]
    inner, outer = disk_r + 0.9 * s, disk_r + 2.3 * s
    for k in range(8):
        angle = 2 * math.pi * k / 8
        layers.append((segment(cx + inner * math.cos(angle), cy + inner * math.sin(angle),
                               cx + outer * math.cos(angle), cy + outer * math.sin(angle), 0.9 * s), SUN))
    layers.append((circle(cx, cy, disk_r + 0.45 * s), SUN_EDGE))
    layers.append((circle(cx, cy, disk_r), SUN))
    return render(size, layers)


def small_monitor_with_sun():
    """The 16-pixel program icon, laid out on whole pixels so that it stays
    sharp: scaled down from the larger drawing, its thin lines would blur."""
    cx, cy = 8.0, 7.0
    rays = union(rect(7, 2, 9, 3), rect(7, 11, 9, 12), rect(2, 6, 4, 8), rect(12, 6, 14, 8),
                 rect(4, 3, 5, 4), rect(11, 3, 12, 4), rect(4, 10, 5, 11), rect(11, 10, 12, 11))
    return render(16, [
        (rounded_rect(0, 1, 16, 13, 1.0), OUTLINE),
        (rect(1, 2, 15, 12), vertical_gradient(SCREEN_TOP, SCREEN_BOTTOM, 2, 12)),
        (union(rect(6, 13, 10, 14), rounded_rect(3, 14, 13, 16, 0.6)), STAND),
        (rays, SUN),
        (circle(cx, cy, 2.9), SUN_EDGE),
        (circle(cx, cy, 2.2), SUN),
    ])


def default_application(size):
    """The default application icon: a window with a title bar."""
    s = size / 16.0
    body = rounded_rect(1.0 * s, 2.0 * s, 15.0 * s, 14.0 * s, 1.0 * s)
    inner = rect(2.0 * s, 5.0 * s, 14.0 * s, 13.0 * s)
    return render(size, [
        (body, (44, 92, 160, 255)),
        (inner, (244, 246, 250, 255)),
        (rect(3.0 * s, 6.5 * s, 10.0 * s, 7.5 * s), (150, 160, 176, 255)),
        (rect(3.0 * s, 8.5 * s, 12.0 * s, 9.5 * s), (150, 160, 176, 255)),
        (rect(3.0 * s, 10.5 * s, 8.0 * s, 11.5 * s), (150, 160, 176, 255)),
    ])


def save_button():
    """A floppy disk: blue body with a cut corner, metal shutter, white label."""
    body = polygon([(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)])
    inner = polygon([(2.5, 2.5), (12.0, 2.5), (13.5, 4.0), (13.5, 13.5), (2.5, 13.5)])
    return render(16, [
        (body, (22, 58, 112, 255)),
        (inner, (52, 110, 196, 255)),
        (rect(4.5, 2.5, 11.5, 6.5), (214, 220, 228, 255)),
        (rect(9.0, 3.0, 10.5, 6.0), (60, 70, 84, 255)),
        (rect(4.0, 8.5, 12.0, 13.5), (252, 252, 252, 255)),
        (rect(5.0, 10.0, 11.0, 10.8), (170, 180, 196, 255)),
        (rect(5.0, 11.8, 11.0, 12.6), (170, 180, 196, 255)),
    ])


def remove_button():
    """A red cross."""
    dark = (150, 20, 20, 255)
    red = (226, 54, 54, 255)
    return render(16, [
        (union(segment(3.5, 3.5, 12.5, 12.5, 4.2), segment(12.5, 3.5, 3.5, 12.5, 4.2)), dark),
        (union(segment(3.5, 3.5, 12.5, 12.5, 2.6), segment(12.5, 3.5, 3.5, 12.5, 2.6)), red),
    ])


def undo_button():
    """An arrow curving back to the left: the right half of a ring, its upper
    end running into an arrowhead that points left, its lower end a short
    tail."""
    cx, cy = 9.0, 8.5
    dark = (20, 96, 60, 255)
    green = (46, 160, 96, 255)
    outline = union(ring(cx, cy, 5.6, 2.2, 270.0, 90.0), rect(5.0, 10.7, 9.0, 14.1),
                    polygon([(0.6, 4.7), (6.6, 0.3), (6.6, 9.1)]))
    fill = union(ring(cx, cy, 4.8, 3.0, 270.0, 90.0), rect(5.6, 11.5, 9.2, 13.3),
                 rect(6.0, 3.7, 9.2, 5.5), polygon([(2.0, 4.6), (5.8, 1.9), (5.8, 7.3)]))
    return render(16, [(outline, dark), (fill, green)])


def settings_button():
    """A gear: a disk with eight teeth and a hole."""
    cx = cy = 8.0
    teeth = []
    for k in range(8):
        angle = 2 * math.pi * k / 8 + math.pi / 8
        teeth.append(segment(cx + 4.0 * math.cos(angle), cy + 4.0 * math.sin(angle),
                             cx + 6.4 * math.cos(angle), cy + 6.4 * math.sin(angle), 2.6))
    gear = minus(union(circle(cx, cy, 5.2), *teeth), circle(cx, cy, 2.1))
    inner = minus(union(circle(cx, cy, 4.4)), circle(cx, cy, 2.9))
    return render(16, [
        (gear, (58, 66, 80, 255)),
        (inner, (128, 138, 154, 255)),
    ])


def help_button():
    """A white question mark in a blue circle."""
    cx, cy = 8.0, 8.0
    white = (255, 255, 255, 255)
    hook = ring(cx, 6.2, 3.1, 1.5, 160.0, 90.0)
    stem = rect(7.2, 7.6, 8.8, 10.2)
    dot = circle(cx, 12.0, 1.0)
    return render(16, [
        (circle(cx, cy, 7.6), (20, 72, 150, 255)),
        (circle(cx, cy, 6.8), (48, 120, 212, 255)),
        (union(hook, stem, dot), white),
    ])


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    outputs = {
        "src/app/Vantrel.ico": lambda: ico_bytes([monitor_with_sun(n) for n in (16, 32, 48)]),
        "src/app/Application.ico": lambda: ico_bytes([default_application(n) for n in (16, 32, 48)]),
        "Resources/Save_16x16.png": lambda: png_bytes(save_button()),
        "Resources/Remove_16x16.png": lambda: png_bytes(remove_button()),
        "Resources/Undo_16x16.png": lambda: png_bytes(undo_button()),
        "Resources/Settings_16x16.png": lambda: png_bytes(settings_button()),
        "Resources/Help_16x16.png": lambda: png_bytes(help_button()),
    }
    for name, make in outputs.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(make())
        print("wrote", name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
