#!/usr/bin/env python3
"""Writes the bundled sample gaiji font: SampleGaiji.tte and its 64 x 64 SampleGaiji.euf.

Usage: make_sample_font.py OUTDIR

The glyphs are simple pictograms of our own, drawn as pixel rectangles on the 64-pixel grid
(overlapping where they meet, so that every outline fills exactly the pixels the EUF holds).
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gaijifont import build_font, rasterize, rect_drawing, write_euf  # noqa: E402


def stairs(x0, y0, dx, dy, steps, w=6, h=4):
    """A diagonal stroke made of overlapping blocks, moving (dx, dy) per step."""
    return [(x0 + dx * i, y0 + dy * i, x0 + dx * i + w, y0 + dy * i + h) for i in range(steps)]


def ring(cx, cy, outer, inner, step=2):
    rects = []
    for y in range(cy - outer, cy + outer, step):
        dy = y + step / 2 - cy
        wo = int(math.sqrt(max(outer * outer - dy * dy, 0)))
        if abs(dy) < inner:
            wi = int(math.sqrt(inner * inner - dy * dy))
            rects += [(cx - wo, y, cx - wi, y + step + 1), (cx + wi, y, cx + wo, y + step + 1)]
        else:
            rects.append((cx - wo, y, cx + wo, y + step + 1))
    return [r for r in rects if r[0] < r[2]]


def frame(x0, y0, x1, y1, t=6):
    return [(x0, y0, x1, y0 + t), (x0, y1 - t, x1, y1), (x0, y0, x0 + t, y1), (x1 - t, y0, x1, y1)]


GLYPHS = {
    0xE000: frame(8, 8, 56, 56) + [(29, 8, 35, 56), (8, 29, 56, 35)],                  # field
    0xE001: [(8, 50, 56, 56), (29, 8, 35, 56), (8, 22, 14, 56), (50, 22, 56, 56)],     # mountain
    0xE002: [(12, 10, 18, 54), (29, 14, 35, 50), (46, 8, 52, 58)],                     # river
    0xE003: frame(12, 14, 52, 50),                                                     # mouth
    0xE004: frame(16, 8, 48, 56) + [(16, 29, 48, 35)],                                 # sun
    0xE005: [(8, 29, 56, 35), (29, 8, 35, 56)],                                        # ten
    0xE006: [(30 - 2 * i, 8 + 2 * i, 34 + 2 * i, 11 + 2 * i) for i in range(12)]      # house
            + [(14, 32, 20, 56), (44, 32, 50, 56), (14, 52, 50, 56), (28, 40, 36, 56)],
    0xE007: [(8, 28, 40, 36)] + [(36 + 2 * i, 14 + 2 * i, 39 + 2 * i, 50 - 2 * i) for i in range(9)],  # arrow
    0xE008: [(30 - 2 * i, 8 + 2 * i, 34 + 2 * i, 11 + 2 * i) for i in range(12)]      # diamond
            + [(30 - 2 * i, 53 - 2 * i, 34 + 2 * i, 56 - 2 * i) for i in range(12)],
    0xE009: [(29, 8, 35, 26)] + stairs(28, 24, -2, 2, 14) + stairs(30, 24, 2, 2, 14),  # person
    0xE00A: [(8, 20, 56, 26), (29, 8, 35, 58)] + stairs(26, 28, -2, 2, 12) + stairs(32, 28, 2, 2, 12),  # tree
    0xE00B: ring(32, 32, 24, 16),                                                      # ring
    0xE00C: ring(32, 32, 24, 0),                                                       # disc
    0xE00D: frame(8, 8, 56, 56) + stairs(12, 12, 2, 2, 20, 6, 6) + stairs(46, 12, -2, 2, 20, 6, 6),  # box x
    0xE010: [(10, 10, 54, 16), (10, 24, 54, 30), (29, 24, 35, 56)],                   # post mark
    0xE757: [(8, 8, 56, 14), (29, 8, 35, 56), (14, 36, 50, 42)],                       # last Shift-JIS code
    0xE758: ring(32, 32, 20, 12) + [(29, 4, 35, 60)],                                  # first Unicode-only code
    0xF8FF: frame(4, 4, 60, 60, 4) + frame(14, 14, 50, 50, 4) + [(26, 26, 38, 38)],    # last code
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    codes = sorted(GLYPHS)
    start, end = codes[0], codes[-1]
    drawings = [rect_drawing(GLYPHS.get(c)) for c in range(start, end + 1)]
    build_font(os.path.join(out, "SampleGaiji.tte"), "MojiSample", start, end, drawings)
    write_euf(os.path.join(out, "SampleGaiji.euf"), 64, [(c, 64, 64, rasterize(GLYPHS[c])) for c in codes])


if __name__ == "__main__":
    main()
