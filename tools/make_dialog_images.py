#!/usr/bin/env python3
"""Draws the images of the browser's dialogs and writes them under resources/.

Run by hand after changing a picture; the outputs are committed:

  Browse283.bmp  bitmap 283: the "..." browse button of the TTE selection dialog, up
  Browse282.bmp  bitmap 282: the same, pressed
  Browse281.bmp  bitmap 281: the same, focused
  Browse171.bmp  bitmap 171: the same, disabled
  AddrJump.ico   icon 135: the jump-to-code dialog (the toolbar's jump pictogram), 16/32 px
  YomiEdit.ico   icon 134: the reading edit dialog (a glyph card with reading lines and a
                 pencil), 16/32 px

The button bitmaps are 16-colour images of 20 x 18 pixels in the classic 3-D style, on
the light grey button face. Uses the drawing helpers of make_toolbar_images.py.

Usage: make_dialog_images.py [output folder]   (default: resources/ beside this folder)
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_toolbar_images import (  # noqa: E402
    BLACK, CLEAR, DBLUE, DGREY, LGREY, WHITE, YELLOW, Canvas, bmp_4bpp, draw_glyph, ico_file, jump_to_code)

WIDTH, HEIGHT = 20, 18


def button(pressed=False, focused=False, disabled=False):
    c = Canvas(WIDTH, HEIGHT, LGREY)
    r, b = WIDTH - 1, HEIGHT - 1
    if pressed:
        # sunken: dark edges top and left, the face one pixel lower right
        c.frame(0, 0, r, b, BLACK)
        c.line(1, 1, r - 1, 1, DGREY)
        c.line(1, 1, 1, b - 1, DGREY)
    else:
        # raised: light top and left, shadow bottom and right
        c.line(0, 0, r - 1, 0, WHITE)
        c.line(0, 0, 0, b - 1, WHITE)
        c.line(0, b, r, b, BLACK)
        c.line(r, 0, r, b, BLACK)
        c.line(1, b - 1, r - 1, b - 1, DGREY)
        c.line(r - 1, 1, r - 1, b - 1, DGREY)
    shift = 1 if pressed else 0
    for i in range(3):                      # the three dots of "..."
        x = 5 + 4 * i + shift
        y = 11 + shift
        if disabled:
            c.rect(x + 1, y + 1, x + 2, y + 2, WHITE)
            c.rect(x, y, x + 1, y + 1, DGREY)
        else:
            c.rect(x, y, x + 1, y + 1, BLACK)
    if focused:
        for x in range(3, r - 2, 2):        # dotted focus rectangle inside the edges
            c.put(x, 3, BLACK)
            c.put(x, b - 3, BLACK)
        for y in range(3, b - 2, 2):
            c.put(3, y, BLACK)
            c.put(r - 3, y, BLACK)
    return c


def jump_icon(size):
    """The toolbar's jump pictogram (24 x 24) scaled to the icon size, transparent around."""
    src = Canvas(24, 24, CLEAR)
    jump_to_code(src)
    c = Canvas(size, size, CLEAR)
    for y in range(size):
        for x in range(size):
            c.put(x, y, src.px[y * 24 // size][x * 24 // size])
    return c


def yomi_icon(size):
    """A card with a glyph at the top, lines of reading below and a pencil writing them."""
    c = Canvas(size, size, CLEAR)
    s = size / 32.0
    l, t, r, b = round(3 * s), round(1 * s), size - 1 - round(7 * s), size - 1 - round(1 * s)
    c.rect(l, t, r, b, WHITE, BLACK)
    draw_glyph(c, l + round(3 * s), t + round(2 * s), r - round(3 * s), t + round(15 * s))
    for y in (19, 23, 27):
        c.line(l + round(3 * s), round(y * s), r - round(5 * s), round(y * s), DBLUE)
    w = max(1, round(2 * s))
    c.polygon([(size - 1 - w, round(12 * s)), (size - 1, round(12 * s) + w),
               (round(20 * s) + w, b - w), (round(20 * s), b - 2 * w)], YELLOW, BLACK)
    c.line(round(19 * s), b - w, round(20 * s), b - 2 * w, BLACK)
    return c


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    files = {
        "Browse283.bmp": bmp_4bpp(button()),
        "Browse282.bmp": bmp_4bpp(button(pressed=True)),
        "Browse281.bmp": bmp_4bpp(button(focused=True)),
        "Browse171.bmp": bmp_4bpp(button(disabled=True)),
        "AddrJump.ico": ico_file([jump_icon(n) for n in (16, 32)]),
        "YomiEdit.ico": ico_file([yomi_icon(n) for n in (16, 32)]),
    }
    for name, blob in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(blob)


if __name__ == "__main__":
    main()
