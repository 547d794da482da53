# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the Fyzorin atom icon into resources/fyzorin.png; run: python3 resources/draw_icon.py"""
import math
import os
import struct
import zlib

SIZE = 48
SS = 4  # 4x4 supersampling gives smooth edges without any imaging library
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fyzorin.png")

NAVY = (0, 0, 128)
TOP = (40, 60, 175)  # only slightly lighter, so the tile still reads as navy
WHITE = (255, 255, 255)
ACCENT = (255, 205, 60)  # warm yellow stands out against both navy and white

C = SIZE / 2
ORBIT_A, ORBIT_B, ORBIT_W = 18.5, 6.6, 2.0
ORBIT_ANGLES = (30, 90, 150)
ELECTRON_ANGLE, ELECTRON_T = 150, math.radians(160)  # put it on the upper-right arc


def rounded_square(x, y, margin=1.5, radius=10.0):
    """Signed distance to the tile outline (negative inside)."""
    h = C - margin - radius
    dx, dy = max(abs(x - C) - h, 0.0), max(abs(y - C) - h, 0.0)
    inner = min(max(abs(x - C) - h, abs(y - C) - h), 0.0)
    return math.hypot(dx, dy) + inner - radius


def ellipse_distance(x, y, angle):
    """Approximate distance to a rotated ellipse via the first-order implicit estimate."""
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    u = (x - C) * ca + (y - C) * sa
    v = -(x - C) * sa + (y - C) * ca
    f = (u / ORBIT_A) ** 2 + (v / ORBIT_B) ** 2 - 1
    g = 2 * math.hypot(u / ORBIT_A ** 2, v / ORBIT_B ** 2)
    return abs(f) / g if g > 1e-9 else ORBIT_B


def electron_pos():
    ca, sa = math.cos(math.radians(ELECTRON_ANGLE)), math.sin(math.radians(ELECTRON_ANGLE))
    u, v = ORBIT_A * math.cos(ELECTRON_T), ORBIT_B * math.sin(ELECTRON_T)
    return C + u * ca - v * sa, C + u * sa + v * ca


EX, EY = electron_pos()


def background(y):
    # Lighten only the top part so the bottom stays the brand navy.
    t = max(0.0, 1 - y / (SIZE * 0.6)) ** 1.5
    return tuple(round(n + (l - n) * t) for n, l in zip(NAVY, TOP))


def sample(x, y):
    """Colour (r, g, b, a) at one sub-pixel position."""
    if rounded_square(x, y) > 0:
        return (0, 0, 0, 0)
    col = background(y)
    if min(ellipse_distance(x, y, a) for a in ORBIT_ANGLES) < ORBIT_W / 2:
        col = WHITE
    # Navy gaps around the dots keep them from merging with the orbit lines at 16 px.
    dn, de = math.hypot(x - C, y - C), math.hypot(x - EX, y - EY)
    if dn < 4.6 or de < 4.0:
        col = background(y)
    if dn < 3.3:
        col = WHITE
    if de < 2.8:
        col = ACCENT
    return col + (255,)


def render():
    rows = []
    for py in range(SIZE):
        row = bytearray([0])  # PNG filter type "None"
        for px in range(SIZE):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    r, g, b, a = sample(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            # Average premultiplied colour so transparent samples don't darken edges.
            alpha = acc[3]
            rgb = [round(c / alpha) if alpha else 0 for c in acc[:3]]
            row += bytes(rgb + [round(alpha / SS ** 2)])
        rows.append(bytes(row))
    return b"".join(rows)


def png(data):
    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(data, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    with open(OUT, "wb") as f:
        f.write(png(render()))
