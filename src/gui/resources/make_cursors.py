#!/usr/bin/env python3
"""Draws the window's two pointers and writes them as Windows cursor and icon files.

HAND-M.CUR: the hand shown over push buttons, hot spot at the finger tip.
drag.ico:   the pointer shown while a list item is moved up or down.

Run from this folder: python3 make_cursors.py
"""
import struct

# '.' transparent, 'X' outline, 'o' fill.
HAND = """
.....XX.........
....XooX........
....XooX........
....XooX........
....XooX........
....XooXXX......
....XooXooXXX...
....XooXooXooXX.
XX..XooXooXooXoX
XoX.XooooooooXoX
XooXXoooooooooX.
.XooXoooooooooX.
..XoooooooooooX.
..XooooooooooX..
...XoooooooooX..
...XooooooooX...
....XoooooooX...
....XoooooooX...
....XXXXXXXXX...
"""
HAND_HOTSPOT = (5, 0)

DRAG = """
.......X.......
......XoX......
.....XoooX.....
....XoooooX....
...XXXXoXXXX...
......XoX......
XXXXXXXXXXXXXXX
XoooooooooooooX
XoXXXXXXXXXXXoX
XoooooooooooooX
XXXXXXXXXXXXXXX
......XoX......
...XXXXoXXXX...
....XoooooX....
.....XoooX.....
......XoX......
.......X.......
"""

SIZE = 32
COLOURS = {"X": (0, 0, 0, 255), "o": (255, 255, 255, 255)}


def pixels(art, left, top):
    """The art placed at (left, top) of a SIZE x SIZE picture, as rows of RGBA tuples."""
    grid = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for y, line in enumerate(art.strip("\n").splitlines()):
        for x, mark in enumerate(line):
            if mark in COLOURS:
                grid[top + y][left + x] = COLOURS[mark]
    return grid


def dib(grid):
    """A 32-bit device-independent bitmap with its AND mask, rows bottom-up."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(grid) for (r, g, b, a) in row)
    mask = b""
    for row in reversed(grid):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (SIZE - 1 - x)
        mask += struct.pack(">I", bits)
    return header + colour + mask


def write(path, grid, kind, hotspot):
    """kind 1 = icon, 2 = cursor (whose entry carries the hot spot)."""
    image = dib(grid)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 22)
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, kind, 1) + entry + image)


if __name__ == "__main__":
    write("HAND-M.CUR", pixels(HAND, 0, 0), 2, HAND_HOTSPOT)
    write("drag.ico", pixels(DRAG, 8, 7), 1, (0, 0))
