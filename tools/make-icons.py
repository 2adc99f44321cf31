#!/usr/bin/env python3
"""Draws the program's icons and cursor and writes them as Windows .ico/.cur files.

    tools/make-icons.py [OUTPUT_DIR]      (default: resources/ next to this script's folder)

Writes:
  fireworks.ico        icon 100: a firework burst, 32x32 and 16x16, 32-bit colour with alpha
  fireworks-small.ico  icon 101: the same burst drawn for 16x16
  pointing-hand.cur    cursor 101: a black-and-white pointing hand, 32x32, hot spot on the fingertip

The outputs are committed under resources/; run this again only to change the pictures.
Standard library only.
"""
import math
import os
import struct
import sys

# --- the burst -------------------------------------------------------------------------------

COLOURS = [
    (255, 64, 48),    # red
    (255, 200, 40),   # gold
    (80, 200, 255),   # sky blue
    (255, 80, 220),   # magenta
    (110, 255, 90),   # green
    (255, 150, 40),   # orange
]


def burst_shapes(size):
    """Discs (x, y, radius, colour) of a burst filling a size x size square, back to front."""
    centre_x = size / 2.0
    centre_y = size * 0.46
    reach = size * 0.44
    rays = 12 if size >= 32 else 8
    shapes = []
    # The rocket's trail, rising from the bottom edge to the burst.
    trail_steps = 6 if size >= 32 else 3
    for i in range(trail_steps):
        t = i / float(trail_steps)
        y = size - 1 - t * (size - 1 - centre_y) * 0.85
        shapes.append((centre_x, y, 0.55 + 0.5 * t, (255, 170, 60)))
    for ray in range(rays):
        angle = 2 * math.pi * ray / rays + 0.2
        colour = COLOURS[ray % len(COLOURS)]
        stops = (0.34, 0.58, 0.8, 1.0) if size >= 32 else (0.52, 0.95)
        for n, fraction in enumerate(stops):
            radius = (0.85 + 0.22 * n) if size >= 32 else (0.75 + 0.25 * n)
            x = centre_x + math.cos(angle) * reach * fraction
            y = centre_y + math.sin(angle) * reach * fraction
            shapes.append((x, y, radius, colour))
    shapes.append((centre_x, centre_y, size * 0.09, (255, 240, 170)))
    shapes.append((centre_x, centre_y, size * 0.045, (255, 255, 255)))
    return shapes


def render_burst(size, samples=4):
    """Rows (top first) of (r, g, b, a) pixels, anti-aliased by supersampling."""
    shapes = burst_shapes(size)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = px + (sx + 0.5) / samples
                    y = py + (sy + 0.5) / samples
                    hit = None
                    for cx, cy, radius, colour in shapes:
                        if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                            hit = colour
                    if hit is not None:
                        r += hit[0]
                        g += hit[1]
                        b += hit[2]
                        covered += 1
            if covered:
                alpha = 255 * covered // (samples * samples)
                row.append((r // covered, g // covered, b // covered, alpha))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def colour_image(rows):
    """One 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask."""
    size = len(rows)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = mask_rows([[a < 128 for (_, _, _, a) in row] for row in rows])
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def mask_rows(transparent):
    """1-bit rows bottom-up, each padded to a multiple of 4 bytes; True becomes a set bit."""
    out = b""
    for row in reversed(transparent):
        bits = bytearray((len(row) + 31) // 32 * 4)
        for x, on in enumerate(row):
            if on:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def icon_file(images):
    """An .ico file of (size, image bytes) pairs."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


# --- the hand --------------------------------------------------------------------------------

# X black outline, . white inside, space transparent. The fingertip is the hot spot.
HAND = [
    "     XX",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..XXX",
    "    X..X..XXX",
    "    X..X..X..XX",
    " XX X..X..X..X.X",
    " X.XX........X.X",
    " X..X..........X",
    "  X............X",
    "  X............X",
    "   X...........X",
    "   X..........X",
    "    X.........X",
    "    X.........X",
    "     X.......X",
    "     X.......X",
    "     XXXXXXXXX",
]
HAND_HOT_SPOT = (5, 0)


def cursor_file(art, hot_spot, size=32):
    grid = [(line + " " * size)[:size] for line in art] + [" " * size] * (size - len(art))
    white = mask_rows([[c == "." for c in line] for line in grid])
    transparent = mask_rows([[c == " " for c in line] for line in grid])
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(white) + len(transparent), 0, 0, 2, 0)
    image = header + palette + white + transparent
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hot_spot[0], hot_spot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    big = colour_image(render_burst(32))
    small = colour_image(render_burst(16))
    files = {
        "fireworks.ico": icon_file([(32, big), (16, small)]),
        "fireworks-small.ico": icon_file([(16, small)]),
        "pointing-hand.cur": cursor_file(HAND, HAND_HOT_SPOT),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
