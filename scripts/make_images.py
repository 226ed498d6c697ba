#!/usr/bin/env python3
"""Draws the bar's bitmaps (4 bits per pixel) at each display scale, and its icon, into resources/.

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


# The display scales the bar is drawn for: name suffix and dots per inch (96 is 100%).
SCALES = (('', 96), ('_125', 120), ('_150', 144), ('_200', 192))


def scaled(size, dpi):
    """A 96-DPI pixel figure at dpi, rounded as the program rounds it (halves away from zero)."""
    return (size * dpi + 48) // 96


def draw(width, height, dpi, colour_at):
    """Rows of colours of a picture designed width x height pixels at 96 DPI, drawn at dpi.

    Every pixel takes the colour of the design at its centre, so edges stay hard at any scale
    and at 96 DPI each pixel is exactly the design's.
    """
    w, h = scaled(width, dpi), scaled(height, dpi)
    return w, h, [[colour_at((x + 0.5) * width / w, (y + 0.5) * height / h) for x in range(w)]
                  for y in range(h)]


def inside(u, v, left, top, right, bottom):
    return left <= u < right and top <= v < bottom


def up_arrow(u, v):
    """17 x 16: a black triangle pointing up, apex at the middle of row 4, base under row 9."""
    return COLOURS['#'] if 4 <= v < 10 and abs(u - 8.5) <= v - 4 else FACE


def down_arrow(u, v):
    return up_arrow(u, 16 - v)


def cross(u, v):
    """11 x 8: a red cross of two strokes, two pixels wide across, meeting at (5.5, 4.5)."""
    du, dv = abs(u - 5.5), abs(v - 4.5)
    return COLOURS['r'] if du < 4.5 and -0.5 < du - dv < 1.5 else FACE


def low_bar(u, v):
    """11 x 8: the minimise bar, low in the button."""
    return COLOURS['#'] if inside(u, v, 2, 5, 9, 7) else FACE


def pin_down(u, v):
    """11 x 8: a pin seen from the side, point down (fixed)."""
    if inside(u, v, 5, 1, 6, 4):
        return COLOURS['w']
    if (inside(u, v, 3, 0, 8, 1) or inside(u, v, 4, 1, 7, 4) or inside(u, v, 2, 4, 9, 5)
            or inside(u, v, 5, 5, 6, 8)):
        return COLOURS['#']
    return FACE


def pin_side(u, v):
    """11 x 8: the same pin lying on its side, point right (not fixed)."""
    if inside(u, v, 2, 4, 4, 5):
        return COLOURS['w']
    if inside(u, v, 1, 1, 2, 8) or inside(u, v, 1, 3, 5, 6) or inside(u, v, 4, 4, 11, 5):
        return COLOURS['#']
    return FACE


def title_disc(u, v):
    """16 x 12: a yellow disc with a dark rim on the default title colour (the program recolours it)."""
    d = math.hypot(u - 8, v - 6)
    return (255, 255, 0) if d <= 4 else (128, 128, 0) if d <= 5 else TITLE


PICTURES = (('up', 17, 16, up_arrow), ('down', 17, 16, down_arrow), ('close', 11, 8, cross),
            ('minimize', 11, 8, low_bar), ('pin_down', 11, 8, pin_down), ('pin_side', 11, 8, pin_side),
            ('title_icon', 16, 12, title_disc))


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
    for name, width, height, colour_at in PICTURES:
        for suffix, dpi in SCALES:
            write(name + suffix + '.bmp', bmp4(*draw(width, height, dpi, colour_at)))
    write('pavra.ico', ico((32, 16)))


if __name__ == '__main__':
    main()
