#!/usr/bin/env python3
"""Draws the pictures of the database dialogs' buttons as 16 x 16 bitmaps.

The data-set page's column buttons (243-250) are arrows on white, which the
buttons draw transparent; the border button's picture (251) is a cell with
its frame on magenta, the border button's transparent colour. Run it again
after changing a picture: it rewrites designer/res/database/*.bmp.
"""
import os
import struct
import sys

SIZE = 16
WHITE = (255, 255, 255)
MAGENTA = (255, 0, 255)
ARROW = (0, 70, 160)
BAR = (40, 40, 40)


def blank(colour):
    return [[colour for _ in range(SIZE)] for _ in range(SIZE)]


def put(img, x, y, colour):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        img[y][x] = colour


def right_triangle(img, left, colour=ARROW):
    # A triangle pointing right, 5 wide and 9 high, its tip at left + 4.
    for i in range(5):
        for y in range(8 - 4 + i, 8 + 5 - i):
            put(img, left + i, y - 1, colour)


def left_triangle(img, right, colour=ARROW):
    for i in range(5):
        for y in range(8 - 4 + i, 8 + 5 - i):
            put(img, right - i, y - 1, colour)


def up_triangle(img, top, colour=ARROW):
    # Pointing up, 9 wide and 5 high, its tip at row top.
    for i in range(5):
        for x in range(7 - i, 8 + i):
            put(img, x, top + i, colour)


def down_triangle(img, bottom, colour=ARROW):
    for i in range(5):
        for x in range(7 - i, 8 + i):
            put(img, x, bottom - i, colour)


def hbar(img, y, colour=BAR):
    for x in range(3, 12):
        put(img, x, y, colour)


def move_one():
    img = blank(WHITE)
    right_triangle(img, 6)
    return img


def move_all():
    img = blank(WHITE)
    right_triangle(img, 3)
    right_triangle(img, 9)
    return img


def back_one():
    img = blank(WHITE)
    left_triangle(img, 9)
    return img


def back_all():
    img = blank(WHITE)
    left_triangle(img, 12)
    left_triangle(img, 6)
    return img


def up():
    img = blank(WHITE)
    up_triangle(img, 5)
    return img


def down():
    img = blank(WHITE)
    down_triangle(img, 10)
    return img


def to_top():
    img = blank(WHITE)
    hbar(img, 3)
    hbar(img, 4)
    up_triangle(img, 6)
    return img


def to_bottom():
    img = blank(WHITE)
    down_triangle(img, 9)
    hbar(img, 11)
    hbar(img, 12)
    return img


def border():
    img = blank(MAGENTA)
    grey = (160, 160, 160)
    frame = (0, 0, 128)
    for i in range(2, 14):
        # the cell's inner lines, dotted
        if i % 2 == 0:
            put(img, 8, i, grey)
            put(img, i, 8, grey)
    for i in range(1, 15):
        for w in (1, 2):
            put(img, i, w, frame)        # top, two pixels
            put(img, i, 15 - w, frame)   # bottom
            put(img, w, i, frame)        # left
            put(img, 15 - w, i, frame)   # right
    return img


PICTURES = [
    (243, "move_all.bmp", move_all),
    (244, "back_all.bmp", back_all),
    (245, "move_one.bmp", move_one),
    (246, "back_one.bmp", back_one),
    (247, "up.bmp", up),
    (248, "down.bmp", down),
    (249, "to_top.bmp", to_top),
    (250, "to_bottom.bmp", to_bottom),
    (251, "border.bmp", border),
]


def bmp_bytes(img):
    rows = b""
    for row in reversed(img):   # bottom-up
        line = b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in row)
        line += b"\0" * ((4 - len(line) % 4) % 4)
        rows += line
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + header + rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "res", "database")
    if len(sys.argv) > 1:
        out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for _, name, draw in PICTURES:
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp_bytes(draw()))


if __name__ == "__main__":
    main()
