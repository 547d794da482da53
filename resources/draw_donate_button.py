#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the gold "Donate" pill with four small card faces under it into resources/donate.gif.

Needs Pillow (Debian: python3-pil); run: /usr/bin/python3 resources/draw_donate_button.py
"""
import os

from PIL import Image, ImageDraw

W, H = 60, 38
SS = 4  # the pill is drawn 4x larger and averaged down to smooth its outline; letters stay crisp pixels
COLOURS = 32
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "donate.gif")

WHITE = (255, 255, 255)
TEXT = (20, 40, 110)  # dark blue reads well on gold and stays legible at 1:1
RIM = (205, 130, 30)  # a darker orange edge makes the pill look pressable
GOLD_TOP = (255, 240, 180)  # pale top and deep bottom give the button its gloss
GOLD_MID = (255, 200, 60)
GOLD_LOW = (245, 165, 35)

PILL = (2, 2, 58, 23)  # left, top, right, bottom edges in pixels
TEXT_TOP = 9

# Thin 4-pixel-wide glyphs; drawing each one twice, shifted by a pixel, makes them bold.
GLYPHS = {
    "D": ["XXX.", "X..X", "X..X", "X..X", "X..X", "X..X", "XXX."],
    "o": ["....", "....", ".XX.", "X..X", "X..X", "X..X", ".XX."],
    "n": ["....", "....", "XXX.", "X..X", "X..X", "X..X", "X..X"],
    "a": ["....", "....", ".XX.", "...X", ".XXX", "X..X", ".XXX"],
    "t": ["....", ".X..", "XXX.", ".X..", ".X..", ".X..", "..XX"],
    "e": ["....", "....", ".XX.", "X..X", "XXXX", "X...", ".XXX"],
}

# Small card faces under the pill say "pay by card" without any real brand's artwork.
# Each mark is (left, top, right, bottom, colour), corners inclusive, relative to its card.
CARDS = [
    ((30, 70, 160), [(0, 5, 9, 5, (250, 190, 40))]),  # blue card, gold band
    ((60, 60, 70), [(2, 1, 4, 4, (225, 40, 40)), (5, 1, 7, 4, (250, 160, 30))]),  # two discs
    ((90, 170, 225), [(1, 2, 8, 2, WHITE)]),  # light blue card, white stripe
    ((190, 195, 205), [(0, 1, 9, 1, (60, 60, 70)), (1, 4, 4, 4, (240, 130, 30))]),  # silver card
]
CARD_W, CARD_H, CARD_GAP, CARD_TOP = 10, 7, 3, 28


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def gold(y):
    # Bright upper half then a quick fall to deep gold, like light from above.
    t = (y - PILL[1]) / (PILL[3] - PILL[1])
    if t < 0.45:
        return mix(GOLD_TOP, GOLD_MID, t / 0.45)
    return mix(GOLD_MID, GOLD_LOW, (t - 0.45) / 0.55)


def pill():
    big = Image.new("RGB", (W * SS, H * SS), WHITE)
    gloss = Image.new("RGB", big.size)
    draw = ImageDraw.Draw(gloss)
    for y in range(big.height):  # one shade per supersampled row, taken at its centre
        draw.line([(0, y), (big.width, y)], fill=gold((y + 0.5) / SS))
    left, top, right, bottom = (v * SS for v in PILL)
    box = (left, top, right - 1, bottom - 1)  # Pillow's right and bottom are inclusive
    radius = (bottom - top) // 2
    mask = Image.new("L", big.size)
    ImageDraw.Draw(mask).rounded_rectangle(box, radius, fill=255)
    big.paste(gloss, mask=mask)
    ImageDraw.Draw(big).rounded_rectangle(box, radius, outline=RIM, width=SS)
    return big.reduce(SS)


def render():
    flat = {TEXT} | {c for face, marks in CARDS for c in (face, *(m[-1] for m in marks))}
    # Only the pill's gradient and soft edges share quantised palette entries; drawing
    # adds each flat colour below to the palette as it is, so those stay exact.
    img = pill().quantize(COLOURS - len(flat), method=Image.Quantize.FASTOCTREE)
    draw = ImageDraw.Draw(img)
    word = "Donate"
    x0 = (W - (len(word) * 6 - 1)) // 2
    for i, ch in enumerate(word):
        for gy, line in enumerate(GLYPHS[ch]):
            for gx, cell in enumerate(line):
                if cell == "X":
                    x, y = x0 + i * 6 + gx, TEXT_TOP + gy
                    draw.line([(x, y), (x + 1, y)], fill=TEXT)  # two pixels wide: the bold copy

    total = len(CARDS) * (CARD_W + CARD_GAP) - CARD_GAP
    for i, (face, marks) in enumerate(CARDS):
        left = (W - total) // 2 + i * (CARD_W + CARD_GAP)
        # A radius of 1 clips just the corner pixels, which reads as rounded at this size.
        draw.rounded_rectangle((left, CARD_TOP, left + CARD_W - 1, CARD_TOP + CARD_H - 1), 1, fill=face)
        for mx0, my0, mx1, my1, colour in marks:
            draw.rectangle((left + mx0, CARD_TOP + my0, left + mx1, CARD_TOP + my1), fill=colour)
    return img


if __name__ == "__main__":
    render().save(OUT)
