#!/usr/bin/env python3
"""Draws the Tuvo program icon and writes it to res/tuvo.ico.

The picture is a mouse pointer arrow on a soft yellow highlight disc, the thing the program
puts on screen. Every image is drawn from the same few shapes: a disc, and an arrow polygon
with a dark outline. From 48 pixels up the disc is a translucent glow centred on the tip and
everything is anti-aliased from signed distances. Up to 32 pixels the arrow sits on a solid
disc and is drawn in whole pixels, since a blended outline turns to mush there; the 16 and 24
pixel arrows are placed by hand.

All 15 images are stored as classic DIBs (XOR bitmap then 1-bit AND mask), never as PNG, so
that every loader down to the oldest can read them. Run without arguments to rewrite
res/tuvo.ico next to this script; an optional argument names another output path.
"""

import math
import os
import struct
import sys

# The images, largest and deepest first: (size in pixels, bits per pixel).
IMAGES = [
    (256, 32),
    (48, 32), (48, 24), (48, 8),
    (32, 32), (32, 24), (32, 8), (32, 4),
    (24, 32), (24, 24), (24, 8),
    (16, 32), (16, 24), (16, 8), (16, 4),
]

# Colours, (r, g, b) from 0 to 255.
DISC_LIGHT = (255, 242, 150)
DISC_DEEP = (255, 200, 20)
DISC_RIM = (232, 150, 0)
ARROW_FILL = (255, 255, 255)
ARROW_LINE = (24, 24, 32)
SHADOW = (0, 0, 0)

# The 16 colours every 4-bit display shows; the 4-bit images use this table as it stands.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_DISC = (255, 255, 0)
VGA_RIM = (128, 128, 0)

# The arrow's fill outline with the tip at the origin and a height of 1: a vertical left
# edge, a 45-degree leading edge, and a tail leaving the body at a notch.
ARROW_SHAPE = [
    (0.0, 0.0), (0.0, 0.84), (0.2, 0.66), (0.34, 0.96),
    (0.49, 0.9), (0.36, 0.62), (0.6, 0.62),
]

# Hand-placed arrows for the small sizes: X outline, o fill, anything else clear.
PIXEL_ARROWS = {
    16: [
        "X......",
        "XX.....",
        "XoX....",
        "XooX...",
        "XoooX..",
        "XooooX.",
        "XoooooX",
        "XoXooXX",
        "XX.XoX.",
        "X..XooX",
        "....XoX",
        "....XXX",
    ],
    24: [
        "X..........",
        "XX.........",
        "XoX........",
        "XooX.......",
        "XoooX......",
        "XooooX.....",
        "XoooooX....",
        "XooooooX...",
        "XoooooooX..",
        "XooooooooX.",
        "XoooooXXXXX",
        "XooXooX....",
        "XoX.XooX...",
        "XX..XooX...",
        "X....XooX..",
        ".....XooX..",
        "......XXX..",
    ],
}


class Look:
    """How one image is drawn: where the shapes sit and which effects are on."""

    def __init__(self, size, opaque, vga=False):
        self.size = size
        self.opaque = opaque      # no alpha channel: every pixel is either solid or clear
        self.vga = vga            # only the 16 standard colours, no blending at all
        self.pixel_arrow = PIXEL_ARROWS.get(size)
        if size <= 32:
            # Small images: the arrow sits inside a solid disc that fills the square.
            self.disc_x = self.disc_y = size / 2.0
            self.disc_r = size / 2.0 - 0.1
            self.disc_alpha = 1.0
            self.soft_edge = 0.0
            # Tip on a pixel corner, so that the upright edge stays one crisp column.
            self.arrow_h = size * 0.66
            self.tip_x = math.floor(size * 0.3)
            self.tip_y = math.floor(size * 0.16)
        else:
            # Larger images: the disc is centred on the arrow's tip, as on the screen.
            self.disc_x = size * 0.42
            self.disc_y = size * 0.39
            self.disc_r = size * 0.37
            self.disc_alpha = 1.0 if opaque else 0.88
            self.soft_edge = 0.0 if opaque else size * 0.06
            self.arrow_h = size * 0.54
            self.tip_x = self.disc_x
            self.tip_y = self.disc_y
        self.rim = 0.0 if self.soft_edge else max(1.0, size * 0.03)
        self.line = 1.2 if size <= 32 else size * 0.035
        self.shadow = not opaque and size >= 48
        self.crisp = size <= 32  # whole pixels only: blending would blur the arrow

    def arrow_polygon(self, dx=0.0, dy=0.0):
        return [(self.tip_x + dx + x * self.arrow_h, self.tip_y + dy + y * self.arrow_h)
                for x, y in ARROW_SHAPE]


def Clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def SmoothStep(edge0, edge1, v):
    t = Clamp01((v - edge0) / (edge1 - edge0))
    return t * t * (3.0 - 2.0 * t)


def Mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def PolygonDistance(px, py, polygon):
    """Signed distance from a point to a polygon's outline, negative inside."""
    best = float("inf")
    inside = False
    count = len(polygon)
    for i in range(count):
        ax, ay = polygon[i]
        bx, by = polygon[(i + 1) % count]
        ex, ey = bx - ax, by - ay
        t = Clamp01(((px - ax) * ex + (py - ay) * ey) / (ex * ex + ey * ey))
        qx, qy = ax + ex * t - px, ay + ey * t - py
        best = min(best, qx * qx + qy * qy)
        if (ay > py) != (by > py) and px < ax + (py - ay) * ex / ey:
            inside = not inside
    best = math.sqrt(best)
    return -best if inside else best


def Over(dst, colour, alpha):
    """Lays a straight colour with the given coverage over a premultiplied pixel."""
    if alpha <= 0.0:
        return dst
    keep = 1.0 - alpha
    return (colour[0] / 255.0 * alpha + dst[0] * keep,
            colour[1] / 255.0 * alpha + dst[1] * keep,
            colour[2] / 255.0 * alpha + dst[2] * keep,
            alpha + dst[3] * keep)


def DiscPixel(look, x, y):
    """Colour and coverage of the highlight disc at a pixel centre."""
    r = math.hypot(x - look.disc_x, y - look.disc_y)
    edge = r - look.disc_r
    if look.vga:
        if edge >= 0.0:
            return VGA_DISC, 0.0
        return (VGA_RIM if edge > -1.0 else VGA_DISC), 1.0
    # Light falls from the upper left, so the disc reads as a soft lit glow.
    lx = look.disc_x - look.disc_r * 0.35
    ly = look.disc_y - look.disc_r * 0.4
    shade = Clamp01(math.hypot(x - lx, y - ly) / (look.disc_r * 1.35))
    colour = Mix(DISC_LIGHT, DISC_DEEP, shade)
    if look.soft_edge:
        alpha = look.disc_alpha * SmoothStep(0.0, look.soft_edge, -edge)
    else:
        alpha = look.disc_alpha * Clamp01(0.5 - edge)
        rim = Clamp01(0.5 + edge + look.rim)
        colour = Mix(colour, DISC_RIM, rim)
    return colour, alpha


def Render(look):
    """Draws one image; returns rows of premultiplied (r, g, b, a) floats."""
    size = look.size
    fill_polygon = look.arrow_polygon()
    shadow_offset = size * 0.025
    shadow_polygon = look.arrow_polygon(shadow_offset, shadow_offset * 1.3)
    blur = size * 0.03
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            x, y = i + 0.5, j + 0.5
            pixel = (0.0, 0.0, 0.0, 0.0)
            colour, alpha = DiscPixel(look, x, y)
            pixel = Over(pixel, colour, alpha)
            if look.pixel_arrow is None:
                if look.shadow:
                    d = PolygonDistance(x, y, shadow_polygon) - look.line
                    pixel = Over(pixel, SHADOW, 0.35 * SmoothStep(blur, -blur, d))
                d = PolygonDistance(x, y, fill_polygon)
                if look.crisp:
                    if d < 0.0:
                        pixel = Over(pixel, ARROW_FILL, 1.0)
                    elif d < look.line:
                        pixel = Over(pixel, ARROW_LINE, 1.0)
                else:
                    pixel = Over(pixel, ARROW_LINE, Clamp01(0.5 - (d - look.line)))
                    pixel = Over(pixel, ARROW_FILL, Clamp01(0.5 - d))
            row.append(pixel)
        rows.append(row)
    if look.pixel_arrow is not None:
        StampPixelArrow(look, rows)
    return rows


def StampPixelArrow(look, rows):
    """Places the hand-drawn arrow so that its body sits in the middle of the disc."""
    art = look.pixel_arrow
    width = max(len(line) for line in art)
    left = (look.size - width) // 2
    top = (look.size - len(art)) // 2
    for j, line in enumerate(art):
        for i, mark in enumerate(line):
            colour = {"X": ARROW_LINE, "o": ARROW_FILL}.get(mark)
            if colour is not None:
                rows[top + j][left + i] = Over(rows[top + j][left + i], colour, 1.0)


def ToStraight(rows, opaque):
    """Premultiplied floats to straight 8-bit (r, g, b, a); clear pixels become black.

    Without an alpha channel a pixel is solid when more than half covered, in its own colour.
    """
    result = []
    for row in rows:
        out = []
        for r, g, b, a in row:
            if opaque:
                if a < 0.5:
                    out.append((0, 0, 0, 0))
                    continue
                alpha8 = 255
            else:
                alpha8 = int(round(a * 255.0))
                if alpha8 == 0:
                    out.append((0, 0, 0, 0))
                    continue
            out.append(tuple(min(255, int(round(c / a * 255.0))) for c in (r, g, b))
                       + (alpha8,))
        result.append(out)
    return result


def MedianCut(counts, limit):
    """Chooses at most `limit` colours for a histogram {(r, g, b): count}."""
    boxes = [list(counts.items())]
    while len(boxes) < limit:
        best = None
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spans = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3)]
            axis = spans.index(max(spans))
            score = spans[axis] * sum(n for _, n in box)
            if best is None or score > best[0]:
                best = (score, index, axis)
        if best is None:
            break
        _, index, axis = best
        box = sorted(boxes.pop(index), key=lambda item: item[0][axis])
        half = sum(n for _, n in box) / 2.0
        running, cut = 0, 1
        for cut in range(1, len(box)):
            running += box[cut - 1][1]
            if running >= half:
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(c[k] * n for c, n in box) / total))
                             for k in range(3)))
    return palette


def Nearest(palette, colour, cache):
    index = cache.get(colour)
    if index is None:
        index = min(range(len(palette)), key=lambda k: sum(
            (palette[k][c] - colour[c]) ** 2 for c in range(3)))
        cache[colour] = index
    return index


def Palette(pixels, bits):
    """The colour table for an indexed image: black first, for the clear pixels."""
    if bits == 4:
        return list(VGA_PALETTE)
    counts = {}
    for row in pixels:
        for r, g, b, a in row:
            if a:
                counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    counts.pop((0, 0, 0), None)
    colours = list(counts) if len(counts) < 256 else MedianCut(counts, 255)
    palette = [(0, 0, 0)] + sorted(colours)
    return palette + [(0, 0, 0)] * (256 - len(palette))


def PackRow(values, bits):
    """One bitmap row, padded to a 4-byte boundary."""
    if bits == 8:
        data = bytes(values)
    elif bits in (1, 4):
        per_byte = 8 // bits
        data = bytearray()
        for start in range(0, len(values), per_byte):
            byte = 0
            for k in range(per_byte):
                value = values[start + k] if start + k < len(values) else 0
                byte |= value << (8 - bits * (k + 1))
            data.append(byte)
        data = bytes(data)
    else:
        data = b"".join(values)
    return data + b"\0" * (-len(data) % 4)


def EncodeDib(pixels, bits):
    """An icon image: BITMAPINFOHEADER (double height), colour table, XOR bitmap, AND mask."""
    size = len(pixels)
    table = b""
    cache = {}
    palette = None
    if bits <= 8:
        palette = Palette(pixels, bits)
        table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    xor_rows = []
    mask_rows = []
    for row in reversed(pixels):  # DIB rows run bottom-up
        if bits == 32:
            values = [struct.pack("<BBBB", b, g, r, a) for r, g, b, a in row]
        elif bits == 24:
            values = [struct.pack("<BBB", b, g, r) for r, g, b, a in row]
        else:
            values = [Nearest(palette, (r, g, b), cache) if a else 0 for r, g, b, a in row]
        xor_rows.append(PackRow(values, bits))
        # A set mask bit keeps the screen; it matches exactly the pixels that are fully clear.
        mask_rows.append(PackRow([1 if a == 0 else 0 for _, _, _, a in row], 1))
    image = b"".join(xor_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(image),
                         0, 0, 0, 0)
    return header + table + image


def DrawImage(size, bits):
    look = Look(size, opaque=bits < 32, vga=bits == 4)
    pixels = ToStraight(Render(look), look.opaque)
    return EncodeDib(pixels, bits)


def BuildIcon():
    images = [(size, bits, DrawImage(size, bits)) for size, bits in IMAGES]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, bits, data in images:
        side = size % 256          # a byte of 0 stands for 256
        colours = 16 if bits == 4 else 0
        directory += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bits,
                                 len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, _, data in images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "tuvo.ico")
    with open(path, "wb") as out:
        out.write(BuildIcon())


if __name__ == "__main__":
    main()
