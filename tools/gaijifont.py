"""Building EUDC-shaped TTE fonts and EUF files from glyphs drawn as pixel rectangles.

A glyph is a list of rectangles (c0, r0, c1, r1): pixels [c0, c1) x [r0, r1) of a 64-pixel
cell. Fonts use unitsPerEm 1024 with ascent 1024 and descent 0, so at a character height of
64 pixels one pixel is 16 units and every outline lies on the pixel grid. The cmap has the
shape of EUDC fonts: one record 3/1, format 4, one segment mapped by a constant delta and
the closing 0xFFFF segment; loca is always 32-bit.
"""
import array
import struct
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables import _l_o_c_a
from fontTools.ttLib.tables.DefaultTable import DefaultTable

from make_euf_templates import template


def _long_loca(self, font):  # fontTools would pick the short format for small fonts
    a = array.array("I", self.locations)
    font["head"].indexToLocFormat = 1
    if sys.byteorder != "big":
        a.byteswap()
    return a.tobytes()


_l_o_c_a.table__l_o_c_a.compile = _long_loca


def draw_rect(pen, c0, r0, c1, r1):
    """Pixels [c0,c1) x [r0,r1) of the 64-pixel cell as one clockwise contour."""
    x0, x1, y0, y1 = c0 * 16, c1 * 16, (64 - r1) * 16, (64 - r0) * 16
    pen.moveTo((x0, y0)); pen.lineTo((x0, y1)); pen.lineTo((x1, y1)); pen.lineTo((x1, y0)); pen.closePath()


def draw_polygon(pen, points):
    """One contour through pixel corners (column, row), clockwise."""
    pen.moveTo((points[0][0] * 16, (64 - points[0][1]) * 16))
    for c, r in points[1:]:
        pen.lineTo((c * 16, (64 - r) * 16))
    pen.closePath()


def _draw_rects(pen, rects):
    for r in rects:
        draw_rect(pen, *r)


def _notdef(pen):
    draw_rect(pen, 4, 4, 60, 60)
    pen.moveTo((128, 128)); pen.lineTo((896, 128)); pen.lineTo((896, 896)); pen.lineTo((128, 896)); pen.closePath()


def cmap_format4(start, end, delta, extra_segments=0, range_offset=0, records=1):
    segs = 2 + extra_segments
    ends = [end] + [end + 1 + i for i in range(extra_segments)] + [0xFFFF]
    starts = [start] + [end + 1 + i for i in range(extra_segments)] + [0xFFFF]
    deltas = [delta] + [0] * extra_segments + [1]
    ranges = [range_offset] + [0] * (segs - 1)
    sub = struct.pack(">7H", 4, 0, 0, segs * 2, 2, 0, 0)
    sub += struct.pack(">%dH" % segs, *ends) + b"\0\0" + struct.pack(">%dH" % segs, *starts)
    sub += struct.pack(">%dH" % segs, *[d & 0xFFFF for d in deltas]) + struct.pack(">%dH" % segs, *ranges)
    sub = sub[:2] + struct.pack(">H", len(sub)) + sub[4:]
    head = struct.pack(">HH", 0, records)
    for _ in range(records):
        head += struct.pack(">HHI", 3, 1, 4 + 8 * records)
    t = DefaultTable("cmap")
    t.data = head + sub
    return t


def build_font(path, family, start, end, drawings, **cmap_args):
    """drawings[i] draws the glyph of code start + i on a pen (None: an empty outline)."""
    order = [".notdef"] + ["g%d" % (i + 1) for i in range(len(drawings))]
    glyphs = {".notdef": None}
    for i, draw in enumerate([_notdef] + list(drawings)):
        pen = TTGlyphPen(None)
        if draw:
            draw(pen)
        glyphs[order[i]] = pen.glyph()
    fb = FontBuilder(1024, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({})
    fb.setupGlyf(glyphs)
    fb.font["glyf"].compile(fb.font)
    fb.setupHorizontalMetrics({g: (1024, getattr(fb.font["glyf"][g], "xMin", 0)) for g in order})
    fb.setupHorizontalHeader(ascent=1024, descent=0)
    fb.setupNameTable({"familyName": family, "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=1024, sTypoDescender=0, sTypoLineGap=0, usWinAscent=1024, usWinDescent=0,
                ulUnicodeRange2=1 << 28, ulCodePageRange1=1 << 17,
                usFirstCharIndex=start, usLastCharIndex=end, fsType=0)
    fb.setupPost()
    fb.font["cmap"] = cmap_format4(start, end, (1 - start) & 0xFFFF, **cmap_args)
    fb.save(path)


def rect_drawing(rects):
    return (lambda pen: _draw_rects(pen, rects)) if rects else None


def rasterize(rects, size=64):
    """EUF bits of the union of the rectangles, scaled from the 64-pixel grid to size:
    rows top first, leftmost pixel in the high bit, 1 = background, 0 = ink."""
    row_bytes = size // 8
    bits = bytearray(b"\xff" * (row_bytes * size))
    for c0, r0, c1, r1 in rects:
        for r in range(r0 * size // 64, r1 * size // 64):
            for c in range(c0 * size // 64, c1 * size // 64):
                bits[r * row_bytes + c // 8] &= ~(0x80 >> (c % 8)) & 0xFF
    return bytes(bits)


def write_euf(path, size, glyphs):
    """An EUF made from the template of `size` by the add rule: the first glyph replaces the
    template's record (which ends the file), later ones are appended at dataEnd.
    glyphs: list of (code, width, height, bits) in the order they are added."""
    data = bytearray(template(size))
    anchor, = struct.unpack("<I", data[98:102])
    block = anchor - 6
    first_code, = struct.unpack("<H", data[block:block + 2])
    data_end, = struct.unpack("<I", data[block + 6:block + 10])
    first_record, = struct.unpack("<I", data[block + 14:block + 18])
    table = anchor + 14
    if glyphs:
        struct.pack_into("<I", data, table, 0)
    for i, (code, width, height, bits) in enumerate(glyphs):
        record = struct.pack("<IHH", 8 + len(bits), width, height) + bits
        if i == 0:
            at = first_record
            del data[anchor + first_record:]
        else:
            at = data_end
        data += record
        data_end = at + len(record)
        struct.pack_into("<I", data, table + 4 * (code - first_code), at)
    struct.pack_into("<I", data, block + 6, data_end)
    with open(path, "wb") as f:
        f.write(data)
    return bytes(data)
