#!/usr/bin/env python3
"""Writes the pictures of the designer's hover buttons (designer/res/*.bmp).

The border page's line buttons show a sample cell whose one line is drawn
black on a silver (192,192,192) background, the colour the buttons treat as
transparent; "清空" and "外边框" show an empty and a framed cell; the
"设置参数" button a small sheet on white. 16 x 16 pixels, 24 bits.
Run from anywhere: python3 designer/tools/make_button_bitmaps.py
"""
import os
import struct

SIZE = 16
SILVER = (192, 192, 192)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
BLUE = (0, 0, 160)


def write_bmp(path, pixels):
    row_bytes = (SIZE * 3 + 3) & ~3
    data = bytearray()
    for y in range(SIZE - 1, -1, -1):   # bottom-up rows
        row = bytearray()
        for x in range(SIZE):
            r, g, b = pixels[y][x]
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(header + info + data)
    os.replace(tmp, path)


def canvas(back):
    return [[back for _ in range(SIZE)] for _ in range(SIZE)]


def line(p, x1, y1, x2, y2, colour):
    steps = max(abs(x2 - x1), abs(y2 - y1))
    for i in range(steps + 1):
        x = x1 + (x2 - x1) * i // steps if steps else x1
        y = y1 + (y2 - y1) * i // steps if steps else y1
        p[y][x] = colour


def dotted_cell(p):
    for i in range(2, 14, 2):
        for x, y in ((i, 2), (i, 13), (2, i), (13, i)):
            p[y][x] = GREY


def cell_with(*segments):
    p = canvas(SILVER)
    dotted_cell(p)
    for s in segments:
        line(p, *s, BLACK)
    return p


L, T, R, B = 2, 2, 13, 13
MX, MY = (L + R) // 2, (T + B) // 2
PICTURES = {
    252: cell_with((L, T, R, T)),                       # top edge
    253: cell_with((L, B, R, B)),                       # bottom edge
    254: cell_with((L, T, L, B)),                       # left edge
    255: cell_with((R, T, R, B)),                       # right edge
    273: cell_with((L, T, R, B)),                       # diagonal down
    274: cell_with((R, T, L, B)),                       # diagonal up
    275: cell_with((L, T, R, MY), (L, T, MX, B)),       # from the top-left corner
    276: cell_with((R, B, MX, T), (R, B, L, MY)),       # from the bottom-right corner
    277: cell_with(),                                   # clear
    278: cell_with((L, T, R, T), (L, B, R, B), (L, T, L, B), (R, T, R, B)),  # outer frame
}


def settings_picture():
    p = canvas(WHITE)
    for y in range(2, 14):
        for x in range(1, 15):
            p[y][x] = SILVER if y > 4 else BLUE
    for x in range(1, 15):
        p[2][x] = p[13][x] = BLACK
    for y in range(2, 14):
        p[y][1] = p[y][14] = BLACK
    for y in (7, 10):
        line(p, 1, y, 14, y, GREY)
    line(p, 6, 5, 6, 13, GREY)
    return p


PICTURES[272] = settings_picture()

NAMES = {252: "border_top", 253: "border_bottom", 254: "border_left", 255: "border_right",
         273: "border_diag_down", 274: "border_diag_up", 275: "border_half_top_left",
         276: "border_half_bottom_right", 277: "border_clear", 278: "border_outer", 272: "settings"}

if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
    for ident, pixels in PICTURES.items():
        write_bmp(os.path.join(out, NAMES[ident] + ".bmp"), pixels)
