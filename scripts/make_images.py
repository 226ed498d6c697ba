#!/usr/bin/env python3
"""Draws the bar's bitmaps (4 bits per pixel) and its icon into resources/.

Run from anywhere: python3 scripts/make_images.py. The generated files are committed; run this
again only when a picture changes.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'resources')

# Button face grey: loaded with LR_LOADMAP3DCOLORS, it becomes the system's button colour.
FACE = (192, 192, 192)
TITLE = (209, 225, 254)  # the default title-strip colour
COLOURS = {
    '.': FACE,
    '#': (0, 0, 0),
    'g': (128, 128, 128),
    'r': (255, 0, 0),
    'm': (128, 0, 0),
    't': TITLE,
    'y': (255, 255, 0),
    'o': (128, 128, 0),
    'w': (255, 255, 255),
}


def bmp4(width, height, pixels):
    """A 4-bpp BMP from rows of (r, g, b) tuples, top row first."""
    palette = []
    for row in pixels:
        for colour in row:
            if colour not in palette:
                palette.append(colour)
    assert len(palette) <= 16, 'a 4-bpp bitmap has 16 colours at most'
    palette += [(0, 0, 0)] * (16 - len(palette))
    stride = ((width * 4 + 31) // 32) * 4
    data = b''
    for row in reversed(pixels):
        indices = [palette.index(c) for c in row] + [0]
        line = bytes((indices[i] << 4) | (indices[i + 1] if i + 1 < width else 0)
                     for i in range(0, width, 2))
        data += line + b'\0' * (stride - len(line))
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return header + info + colours + data


def from_art(art):
    rows = [line for line in art.strip('\n').split('\n')]
    width = len(rows[0])
    assert all(len(r) == width for r in rows), art
    return width, len(rows), [[COLOURS[c] for c in r] for r in rows]


UP = '''
.................
.................
.................
.................
........#........
.......###.......
......#####......
.....#######.....
....#########....
...###########...
.................
.................
.................
.................
.................
.................
'''
DOWN = '\n'.join(reversed(UP.strip('\n').split('\n')))
CROSS = '''
.r.......r.
.rr.....rr.
..rr...rr..
...rr.rr...
....rrr....
...rr.rr...
..rr...rr..
.rr.....rr.
'''
LOW_BAR = '''
...........
...........
...........
...........
...........
..#######..
..#######..
...........
'''
PIN_DOWN = '''
...#####...
....#w#....
....#w#....
....#w#....
..#######..
.....#.....
.....#.....
.....#.....
'''
PIN_SIDE = '''
...........
.#.........
.#.........
.####......
.#ww#######
.####......
.#.........
.#.........
'''


def disc(width, height, cx, cy, radius, inside, edge, outside):
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            row.append(inside if d <= radius - 1 else edge if d <= radius else outside)
        rows.append(row)
    return rows


def icon_image(size):
    """32-bit BGRA pixels of the program icon: a small bar with its title strip and a yellow disc."""
    s = size / 32.0
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            fx, fy = (x + 0.5) / s, (y + 0.5) / s
            colour, alpha = (0, 0, 0), 0
            if 1 <= fx <= 31 and 5 <= fy <= 27:
                colour, alpha = (40, 70, 140), 255  # frame
                if 2.5 <= fx <= 29.5 and 6.5 <= fy <= 12:
                    colour = TITLE
                elif 2.5 <= fx <= 29.5 and 13 <= fy <= 25.5:
                    colour = (255, 255, 255)
                    if 5 <= fx <= 22 and 15.5 <= fy <= 17.5:
                        colour = (60, 60, 60)  # a typed line
                    if 5 <= fx <= 15 and 20.5 <= fy <= 22.5:
                        colour = (60, 60, 60)
            d = math.hypot(fx - 8, fy - 9.5)
            if d <= 3.4:
                colour, alpha = (255, 220, 0), 255
            row.append((colour, alpha))
        pixels.append(row)
    return pixels


def ico(sizes):
    images = []
    for size in sizes:
        pixels = icon_image(size)
        xor = b''.join(struct.pack('<BBBB', c[2], c[1], c[0], a)
                       for row in reversed(pixels) for c, a in row)
        mask_stride = ((size + 31) // 32) * 4
        mask = b''
        for row in reversed(pixels):
            line = bytearray(mask_stride)
            for x, (_, a) in enumerate(row):
                if a == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(line)
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, header + xor + mask))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def write(name, data):
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(data)


def main():
    for name, art in (('up.bmp', UP), ('down.bmp', DOWN), ('close.bmp', CROSS),
                      ('minimize.bmp', LOW_BAR), ('pin_down.bmp', PIN_DOWN), ('pin_side.bmp', PIN_SIDE)):
        write(name, bmp4(*from_art(art)))
    write('title_icon.bmp', bmp4(16, 12, disc(16, 12, 8, 6, 5, (255, 255, 0), (128, 128, 0), TITLE)))
    write('pavra.ico', ico((32, 16)))


if __name__ == '__main__':
    main()
