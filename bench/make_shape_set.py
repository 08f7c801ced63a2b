#!/usr/bin/env python3
"""Writes the seeded query set of the candidate benchmark (bench/CandidateBench.cpp).

    make_shape_set.py OUT_DIR [PER_KIND [SEED]]

OUT_DIR/reference.outlines: the outline of every glyph of the reference font (IPAmj Mincho).
OUT_DIR/queries.outlines:   for each query, the outline of the glyph it is redrawn from.
OUT_DIR/queries.txt:        one query per line: kind, expected character, expected selector
                            (0 for a plain character), expected glyph of the reference font
                            (0 when any glyph of the character is right), and the small
                            changes a user's redrawing brings: x and y scale, shear, x and y
                            move (fractions of the em).

Outline files: u32 glyph count, u16 units per em, then per glyph u16 contour count and per
contour u16 point count and points (i16 x, i16 y, u8 on-curve), little-endian.

Kinds: "copy" (a glyph of the reference font, one in three a variation sequence's own glyph),
"ipa" (the same character in IPA Mincho), "hanazono" (an Extension B character in Hanazono
Mincho B). The characters are drawn with a fixed seed from the fonts' own maps.
"""
import random
import struct
import sys
from pathlib import Path

from fontTools.ttLib import TTFont

REFERENCE = "/usr/share/fonts/truetype/ipamj/ipamjm.ttf"
IPA = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf"
HANAZONO = "/usr/share/fonts/truetype/hanazono/HanaMinB.ttf"
PER_KIND = 400
SEED = 20261207


def is_ideograph(c):
    return (0x3400 <= c <= 0x4DBF or 0x4E00 <= c <= 0x9FFF or 0xF900 <= c <= 0xFAFF
            or 0x20000 <= c <= 0x3134F)


def outline(font, name):
    glyf = font["glyf"]
    coords, ends, flags = glyf[name].getCoordinates(glyf)
    out = [struct.pack("<H", len(ends))]
    start = 0
    for end in ends:
        out.append(struct.pack("<H", end - start + 1))
        for i in range(start, end + 1):
            x, y = coords[i]
            out.append(struct.pack("<hhB", int(round(x)), int(round(y)), flags[i] & 1))
        start = end + 1
    return b"".join(out)


def write_outlines(path, font, names):
    with open(path, "wb") as f:
        f.write(struct.pack("<IH", len(names), font["head"].unitsPerEm))
        for name in names:
            f.write(outline(font, name))


def change(rng):
    return (rng.uniform(0.85, 1.0), rng.uniform(0.85, 1.0), rng.uniform(-0.05, 0.05),
            rng.uniform(-0.03, 0.03), rng.uniform(-0.03, 0.03))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    per_kind = int(sys.argv[2]) if len(sys.argv) > 2 else PER_KIND
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else SEED)
    ref = TTFont(REFERENCE, lazy=True)
    order = ref.getGlyphOrder()
    gid = {name: i for i, name in enumerate(order)}
    cmap = ref.getBestCmap()
    sequences = []  # (code, selector, glyph name) of sequences with a glyph of their own
    for table in ref["cmap"].tables:
        if table.format == 14:
            for selector, pairs in table.uvsDict.items():
                sequences += [(c, selector, name) for c, name in pairs if name and name != cmap.get(c)]
    plain = sorted(c for c in cmap if is_ideograph(c))

    queries, sources = [], []  # (kind, code, selector, glyph), (font, glyph name)
    for i in range(per_kind):
        if i % 3 == 0:
            code, selector, name = rng.choice(sequences)
        else:
            code, selector = rng.choice(plain), 0
            name = cmap[code]
        queries.append(("copy", code, selector, gid[name]))
        sources.append((ref, name))
    for kind, path, pick in (("ipa", IPA, lambda c: c < 0x10000), ("hanazono", HANAZONO, lambda c: c >= 0x20000)):
        other = TTFont(path, lazy=True)
        other_map = other.getBestCmap()
        shared = sorted(c for c in other_map if is_ideograph(c) and pick(c) and c in cmap)
        for code in rng.sample(shared, per_kind):
            queries.append((kind, code, 0, 0))
            sources.append((other, other_map[code]))

    # Each query's source glyph in one file: fonts of different em sizes are scaled by the
    # query's own em (written before its outline).
    with open(out / "queries.outlines", "wb") as f:
        f.write(struct.pack("<IH", len(sources), 0))
        for font, name in sources:
            f.write(struct.pack("<H", font["head"].unitsPerEm) + outline(font, name))
    with open(out / "queries.txt", "w") as f:
        for kind, code, selector, glyph in queries:
            f.write("%s %X %X %d %s\n" % (kind, code, selector, glyph, " ".join("%.4f" % v for v in change(rng))))
    write_outlines(out / "reference.outlines", ref, order)


if __name__ == "__main__":
    main()
