"""Draws the gold "Donate" button into resources/donate.gif; run: python3 resources/draw_donate_button.py"""
import os
import struct

W, H = 60, 38
SS = 4  # 4x4 supersampling smooths the pill outline; the letters stay crisp pixels
COLOURS = 32
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "donate.gif")

WHITE = (255, 255, 255)
TEXT = (20, 40, 110)  # dark blue reads well on gold and stays legible at 1:1
RIM = (205, 130, 30)  # a darker orange edge makes the pill look pressable
GOLD_TOP = (255, 240, 180)  # pale top and deep bottom give the button its gloss
GOLD_MID = (255, 200, 60)
GOLD_LOW = (245, 165, 35)

PILL = (2.0, 2.0, 58.0, 23.0)  # left, top, right, bottom in pixels
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
CARDS = [
    ((30, 70, 160), [((0, 5), (10, 6), (250, 190, 40))]),  # blue card, gold band
    ((60, 60, 70), [((2, 1), (5, 5), (225, 40, 40)), ((5, 1), (8, 5), (250, 160, 30))]),  # two discs
    ((90, 170, 225), [((1, 2), (9, 3), WHITE)]),  # light blue card, white stripe
    ((190, 195, 205), [((0, 1), (10, 2), (60, 60, 70)), ((1, 4), (5, 5), (240, 130, 30))]),  # silver card
]
CARD_W, CARD_H, CARD_GAP, CARD_TOP = 10, 7, 3, 28


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def pill_distance(x, y):
    """Signed distance to the pill outline (negative inside)."""
    left, top, right, bottom = PILL
    r = (bottom - top) / 2
    cx = min(max(x, left + r), right - r)
    return ((x - cx) ** 2 + (y - (top + r)) ** 2) ** 0.5 - r


def gold(y):
    # Bright upper half then a quick fall to deep gold, like light from above.
    t = (y - PILL[1]) / (PILL[3] - PILL[1])
    if t < 0.45:
        return mix(GOLD_TOP, GOLD_MID, t / 0.45)
    return mix(GOLD_MID, GOLD_LOW, (t - 0.45) / 0.55)


def sample(x, y):
    d = pill_distance(x, y)
    if d > 0:
        return WHITE
    return RIM if d > -1.0 else gold(y)


def render():
    img = []
    for py in range(H):
        row = []
        for px in range(W):
            acc = [0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    c = sample(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    acc = [a + v for a, v in zip(acc, c)]
            row.append(tuple(round(a / SS ** 2) for a in acc))
        img.append(row)

    word = "Donate"
    width = len(word) * 6 - 1
    x0 = (W - width) // 2
    for i, ch in enumerate(word):
        for gy, line in enumerate(GLYPHS[ch]):
            for gx, cell in enumerate(line):
                if cell == "X":
                    for dx in (0, 1):
                        img[TEXT_TOP + gy][x0 + i * 6 + gx + dx] = TEXT

    total = len(CARDS) * CARD_W + (len(CARDS) - 1) * CARD_GAP
    cx0 = (W - total) // 2
    for i, (face, marks) in enumerate(CARDS):
        left = cx0 + i * (CARD_W + CARD_GAP)
        for y in range(CARD_H):
            for x in range(CARD_W):
                # Clip the corners so the cards look rounded at this size.
                if (x in (0, CARD_W - 1)) and (y in (0, CARD_H - 1)):
                    continue
                col = face
                for (mx0, my0), (mx1, my1), mc in marks:
                    if mx0 <= x < mx1 and my0 <= y < my1:
                        col = mc
                img[CARD_TOP + y][left + x] = col
    return img


def median_cut(pixels, count):
    """Deterministic median cut: always split the box with the widest channel range."""
    boxes = [sorted(pixels)]
    while len(boxes) < count:
        best, spread, chan = None, 0, 0
        for i, box in enumerate(boxes):
            for c in range(3):
                s = max(p[c] for p in box) - min(p[c] for p in box)
                if s > spread:
                    best, spread, chan = i, s, c
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda p: (p[chan], p))
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(p[c] for p in b) / len(b)) for c in range(3)) for b in boxes]


def palette_for(img):
    # Colours drawn by hand keep their exact value; only blended edges and the
    # gradient share the remaining slots.
    fixed = [WHITE, TEXT, RIM]
    for face, marks in CARDS:
        fixed += [face] + [m[2] for m in marks]
    fixed = list(dict.fromkeys(fixed))
    rest = [p for row in img for p in row if p not in fixed]
    unique = sorted(set(rest))
    if len(unique) <= COLOURS - len(fixed):
        extra = unique
    else:
        extra = median_cut(rest, COLOURS - len(fixed))
    pal = fixed + sorted(set(extra) - set(fixed))
    return pal + [(0, 0, 0)] * (COLOURS - len(pal))


def nearest(pal, c):
    return min(range(len(pal)), key=lambda i: sum((a - b) ** 2 for a, b in zip(pal[i], c)))


def lzw(indices, min_size):
    """GIF LZW: clear code first, codes widen up to 12 bits, restart when the table fills."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    def width(next_code):
        # The decoder lags one entry behind, so it widens when next_code passes 2**size.
        size = min_size + 1
        while (1 << size) < next_code and size < 12:
            size += 1
        return size

    def fresh():
        return {(i,): i for i in range(clear)}, end + 1

    table, next_code = fresh()
    emit(clear, width(next_code))
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emit(table[w], width(next_code))
        table[wk] = next_code
        next_code += 1
        if next_code == 4096:
            emit(clear, 12)
            table, next_code = fresh()
        w = (k,)
    if w:
        emit(table[w], width(next_code))
        # The decoder adds one more entry after reading that last code.
        next_code += 1
    emit(end, width(next_code))
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif(img):
    pal = palette_for(img)
    cache = {}
    indices = []
    for row in img:
        for c in row:
            if c not in cache:
                cache[c] = nearest(pal, c)
            indices.append(cache[c])
    depth = (COLOURS - 1).bit_length()  # 5 bits for 32 entries
    data = lzw(indices, depth)
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
    return (b"GIF89a"
            + struct.pack("<HHBBB", W, H, 0x80 | 0x70 | (depth - 1), 0, 0)
            + b"".join(bytes(c) for c in pal)
            + b"\x21\xf9\x04\x00\x00\x00\x00\x00"  # graphic control: no transparency, no delay
            + b"\x2c" + struct.pack("<HHHHB", 0, 0, W, H, 0)
            + bytes([depth]) + blocks + b"\x00"
            + b"\x3b")


if __name__ == "__main__":
    with open(OUT, "wb") as f:
        f.write(gif(render()))
