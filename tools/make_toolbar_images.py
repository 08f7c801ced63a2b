#!/usr/bin/env python3
"""Draws the browser's toolbar images and icons and writes them under resources/.

Run by hand after changing a picture; the outputs are committed:

  Toolbar.bmp    bitmap 128: the toolbar strip, 6 images of 24 x 24, 16 colours (4 bpp),
                 background light grey (192,192,192), which the toolbar maps to the
                 button face colour
  Toolbar24.bmp  bitmap 284: the same strip in 24-bit colour, background (198,199,198),
                 used as the mask colour of the toolbar's image list
  Toolbar36.bmp, Toolbar48.bmp   bitmaps 285 and 286: the 24-bit strip drawn for displays of
                 150 % and 200 %, 36 x 36 and 48 x 48 images (every shape scaled, strokes
                 included)
  Mojiview.ico   icon 128: the program (a sheet with a grid of glyph cells), 16/32/48 px
  TteFile.ico    icon 129: a TTE file (a page with a folded corner and a glyph), 16/32/48 px

and the code-table printer's:

  PrintToolbar.bmp, PrintToolbar24.bmp   bitmaps 128 and 131 of Mojisheet.exe: print, print
                 preview, printer set-up, gaiji manager, gaiji browser (same formats)
  PrintToolbar36.bmp, PrintToolbar48.bmp   bitmaps 132 and 133 (as Toolbar36/48.bmp)
  Mojisheet.ico  icon 128: a printed code table (a sheet with header band and grid)

The images follow the toolbar's button order: new browser, open, bitmap copy, jump to
code, gaiji manager, code-table print. Python standard library only.

Usage: make_toolbar_images.py [output folder]   (default: resources/ beside this folder)
"""
import os
import struct
import sys

# The 16 colours of the classic palette, in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DRED, DGREEN, DYELLOW, DBLUE, DMAGENTA, DCYAN, LGREY = range(8)
DGREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)
BACK = LGREY            # background of the 16-colour strip
MASK_RGB = (198, 199, 198)  # background and mask colour of the 24-bit strip
CLEAR = -1              # transparent pixel of an icon


class Canvas:
    """A small raster of palette indexes with filled shapes."""

    def __init__(self, width, height, fill):
        self.w, self.h = width, height
        self.px = [[fill] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, outline=None):
        """Inclusive corners."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, fill)
        if outline is not None:
            self.frame(x0, y0, x1, y1, outline)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, points, fill, outline=None):
        """Fills the pixels whose centres lie inside the polygon (even-odd rule)."""
        for y in range(self.h):
            cy = y + 0.5
            xs = []
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay <= cy < by) or (by <= cy < ay):
                    xs.append(ax + (cy - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(self.w):
                    if a <= x + 0.5 < b:
                        self.put(x, y, fill)
        if outline is not None:
            pts = [(round(x), round(y)) for x, y in points]
            for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
                self.line(ax, ay, bx, by, outline)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def blit(self, other, ox):
        for y in range(other.h):
            for x in range(other.w):
                self.px[y][ox + x] = other.px[y][x]


class ScaledCanvas(Canvas):
    """A square canvas of `size` pixels on which the pictograms' 24 x 24 coordinates are
    scaled: a pixel of the design becomes a block, a shape the same shape, larger."""

    def __init__(self, size, fill):
        super().__init__(size, size, fill)
        self.k = size / 24.0
        self.unit = self.k  # pixels per design pixel; 1 while a shape fills real pixels

    def put(self, x, y, c):
        u = self.unit
        for py in range(int(y * u), max(int((y + 1) * u), int(y * u) + 1)):
            for px in range(int(x * u), max(int((x + 1) * u), int(x * u) + 1)):
                super().put(px, py, c)

    def polygon(self, points, fill, outline=None):
        self.unit = 1
        super().polygon([(x * self.k, y * self.k) for x, y in points], fill)
        self.unit = self.k
        if outline is not None:
            pts = [(round(x), round(y)) for x, y in points]
            for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
                self.line(ax, ay, bx, by, outline)

    def disc(self, cx, cy, r, c):
        self.unit = 1
        super().disc(cx * self.k, cy * self.k, r * self.k, c)
        self.unit = self.k


# ---- toolbar pictograms, 24 x 24 -------------------------------------------------------

def new_window(c):
    c.rect(2, 5, 19, 20, WHITE, BLACK)
    c.rect(3, 6, 18, 8, DBLUE)
    c.rect(16, 6, 17, 7, WHITE)
    for y in (11, 14, 17):
        c.line(5, y, 15, y, DGREY)
    # a sparkle: the window is new
    c.line(20, 0, 20, 8, DYELLOW)
    c.line(16, 4, 23, 4, DYELLOW)
    c.line(18, 2, 22, 6, YELLOW)
    c.line(22, 2, 18, 6, YELLOW)
    c.put(20, 4, WHITE)


def open_folder(c):
    c.rect(2, 5, 8, 7, DYELLOW, BLACK)
    c.rect(2, 7, 17, 20, DYELLOW, BLACK)
    c.polygon([(6, 11), (22, 11), (18, 20), (2, 20)], YELLOW, BLACK)
    # an arrow coming out of the folder
    c.line(14, 7, 19, 2, DBLUE)
    c.line(15, 7, 20, 2, DBLUE)
    c.polygon([(17, 1), (22, 1), (22, 6)], DBLUE)


def bitmap_copy(c):
    c.rect(2, 2, 13, 15, WHITE, BLACK)
    for y in (5, 8, 11):
        c.line(4, y, 11, y, DGREY)
    c.rect(9, 8, 21, 21, WHITE, BLACK)
    # a small monochrome glyph on the front sheet
    glyph = ["0111110",
             "0001000",
             "1111111",
             "0001000",
             "0101010",
             "1001001",
             "0011000"]
    for gy, row in enumerate(glyph):
        for gx, bit in enumerate(row):
            if bit == "1":
                c.put(12 + gx, 11 + gy, BLACK)


def jump_to_code(c):
    c.rect(14, 5, 22, 18, WHITE, BLACK)
    for y in (8, 11, 14):
        c.line(16, y, 20, y, DBLUE)
    c.rect(15, 10, 21, 12, YELLOW)
    c.line(16, 11, 20, 11, DBLUE)
    c.rect(1, 9, 8, 13, GREEN, DGREEN)
    c.polygon([(8, 5), (14, 11.5), (8, 18)], GREEN, DGREEN)
    c.rect(2, 10, 8, 12, GREEN)


def manager_tool(c):
    # a wrench: a thick handle from the bottom left, a head with an open jaw top right
    c.polygon([(2, 19), (5, 22), (15, 12), (12, 9)], DGREY, BLACK)
    c.disc(16.5, 7.5, 6.5, DGREY)
    c.polygon([(15, 8), (20, 1), (24, 1), (24, 5), (17, 10)], BACK)
    c.disc(16.5, 7.5, 2.2, BACK)
    c.line(4, 19, 12, 11, WHITE)
    c.line(11, 14, 11, 14, BLACK)


def print_table(c):
    c.rect(6, 1, 17, 9, WHITE, BLACK)
    for x in (9, 12, 15):
        c.line(x, 3, x, 8, DBLUE)
    c.rect(2, 9, 21, 17, LGREY, BLACK)
    c.rect(3, 10, 20, 11, WHITE)
    c.rect(3, 14, 20, 16, DGREY)
    c.put(18, 12, GREEN)
    c.rect(5, 15, 18, 22, WHITE, BLACK)
    for y in (17, 19, 21):
        c.line(7, y, 16, y, DGREY)


PICTOGRAMS = [new_window, open_folder, bitmap_copy, jump_to_code, manager_tool, print_table]


def printer(c):
    c.rect(6, 2, 17, 9, WHITE, BLACK)
    c.rect(2, 9, 21, 18, LGREY, BLACK)
    c.rect(3, 10, 20, 11, WHITE)
    c.rect(3, 15, 20, 17, DGREY)
    c.put(18, 12, GREEN)
    c.rect(6, 16, 17, 22, WHITE, BLACK)


def preview(c):
    c.rect(2, 1, 15, 20, WHITE, BLACK)
    for y in (4, 7, 10, 13, 16):
        c.line(4, y, 13, y, DGREY)
    c.disc(14.5, 13.5, 5.5, BLACK)
    c.disc(14.5, 13.5, 4.2, CYAN)
    c.line(18, 17, 22, 21, BLACK)
    c.line(18, 18, 21, 21, BLACK)
    c.line(19, 17, 22, 20, BLACK)


def printer_setup(c):
    printer(c)
    # a check mark: the printer's settings
    c.line(12, 19, 15, 22, DGREEN)
    c.line(15, 22, 22, 13, DGREEN)
    c.line(12, 18, 15, 21, GREEN)
    c.line(15, 21, 22, 12, GREEN)


def gaiji_browser(c):
    c.rect(1, 2, 22, 21, WHITE, BLACK)
    c.rect(2, 3, 21, 5, DBLUE)
    for x in (8, 15):
        c.line(x, 6, x, 20, DGREY)
    c.line(2, 13, 21, 13, DGREY)
    c.rect(9, 14, 14, 20, YELLOW)
    draw_glyph(c, 2, 6, 7, 12)
    draw_glyph(c, 9, 14, 14, 20)


PRINT_PICTOGRAMS = [printer, preview, printer_setup, manager_tool, gaiji_browser]


# ---- icons --------------------------------------------------------------------------------

def program_icon(size):
    """A white sheet with a 2 x 2 grid of glyph cells, one of them selected."""
    c = Canvas(size, size, CLEAR)
    s = size / 32.0
    edge = round(1 * s)
    c.rect(edge, edge, size - 1 - edge, size - 1 - edge, WHITE, BLACK)
    head = max(2, round(6 * s))
    c.rect(edge + 1, edge + 1, size - 2 - edge, edge + head, DBLUE)
    top, bottom = edge + head + 1, size - 2 - edge
    left, right = edge + 1, size - 2 - edge
    mx, my = (left + right) // 2, (top + bottom) // 2
    c.line(mx, top, mx, bottom, DGREY)
    c.line(left, my, right, my, DGREY)
    c.rect(mx + 1, my + 1, right, bottom, YELLOW)
    draw_glyph(c, left, top, mx - 1, my - 1)
    draw_glyph(c, mx + 1, my + 1, right, bottom)
    return c


def sheet_icon(size):
    """A white sheet with a header band and a grid of small cells, as the printer prints."""
    c = Canvas(size, size, CLEAR)
    s = size / 32.0
    l, t, r, b = round(5 * s), round(1 * s), size - 1 - round(5 * s), size - 1 - round(1 * s)
    c.rect(l, t, r, b, WHITE, BLACK)
    band = max(2, round(5 * s))
    c.rect(l + 2, t + 2, r - 2, t + 1 + band, DBLUE)
    top = t + band + 3
    cols = 3
    pitch = (r - l - 2) // cols
    for i in range(cols + 1):
        c.line(l + 1 + i * pitch, top, l + 1 + i * pitch, b - 1, DGREY)
    y = top
    while y <= b - 1:
        c.line(l + 1, y, l + 1 + cols * pitch, y, DGREY)
        y += pitch
    draw_glyph(c, l + 1, top, l + 1 + pitch, top + pitch)
    return c


def tte_file_icon(size):
    """A page with a folded corner showing one glyph."""
    c = Canvas(size, size, CLEAR)
    s = size / 32.0
    l, t, r, b = round(5 * s), round(1 * s), size - 1 - round(5 * s), size - 1 - round(1 * s)
    fold = max(2, round(7 * s))
    c.polygon([(l, t), (r - fold, t), (r + 1, t + fold + 1), (r + 1, b + 1), (l, b + 1)], WHITE, BLACK)
    c.polygon([(r - fold, t), (r - fold, t + fold), (r, t + fold)], LGREY, BLACK)
    draw_glyph(c, l + round(3 * s), t + fold + round(2 * s), r - round(3 * s), b - round(3 * s))
    return c


def draw_glyph(c, x0, y0, x1, y1):
    """A simple made-up character: a frame with a cross inside, in dark red."""
    c.frame(x0 + 1, y0 + 1, x1 - 1, y1 - 1, DRED)
    mx, my = (x0 + x1) // 2, (y0 + y1) // 2
    c.line(mx, y0 + 1, mx, y1 - 1, DRED)
    c.line(x0 + 1, my, x1 - 1, my, DRED)


# ---- file writers ---------------------------------------------------------------------------

def bmp_4bpp(canvas):
    row = ((canvas.w * 4 + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(canvas.h)):
        line = bytearray(row)
        for x in range(canvas.w):
            v = canvas.px[y][x]
            line[x // 2] |= v << 4 if x % 2 == 0 else v
        data += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return bmp_file(canvas, 4, palette, data)


def bmp_24bpp(canvas, background):
    row = ((canvas.w * 24 + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(canvas.h)):
        line = bytearray()
        for x in range(canvas.w):
            v = canvas.px[y][x]
            r, g, b = background if v == BACK else PALETTE[v]
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    return bmp_file(canvas, 24, b"", data)


def bmp_file(canvas, bits, palette, data):
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, bits, 0, len(data), 2835, 2835,
                       len(palette) // 4, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + palette + bytes(data)


def ico_file(canvases):
    """32-bit images with an AND mask; CLEAR pixels are transparent."""
    images = []
    for c in canvases:
        xor = bytearray()
        for y in reversed(range(c.h)):
            for x in range(c.w):
                v = c.px[y][x]
                if v == CLEAR:
                    xor += bytes((0, 0, 0, 0))
                else:
                    r, g, b = PALETTE[v]
                    xor += bytes((b, g, r, 255))
        mask_row = ((c.w + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(c.h)):
            line = bytearray(mask_row)
            for x in range(c.w):
                if c.px[y][x] == CLEAR:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += line
        info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c.w, info + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, blob in images:
        out += struct.pack("<BBBBHHII", w % 256, w % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, blob in images)


def toolbar_strip(pictograms, size=24):
    strip = Canvas(size * len(pictograms), size, BACK)
    for i, draw in enumerate(pictograms):
        cell = Canvas(24, 24, BACK) if size == 24 else ScaledCanvas(size, BACK)
        draw(cell)
        strip.blit(cell, size * i)
    return strip


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    strip = toolbar_strip(PICTOGRAMS)
    print_strip = toolbar_strip(PRINT_PICTOGRAMS)
    files = {
        "Toolbar.bmp": bmp_4bpp(strip),
        "Toolbar24.bmp": bmp_24bpp(strip, MASK_RGB),
        "PrintToolbar.bmp": bmp_4bpp(print_strip),
        "PrintToolbar24.bmp": bmp_24bpp(print_strip, MASK_RGB),
        "Toolbar36.bmp": bmp_24bpp(toolbar_strip(PICTOGRAMS, 36), MASK_RGB),
        "PrintToolbar36.bmp": bmp_24bpp(toolbar_strip(PRINT_PICTOGRAMS, 36), MASK_RGB),
        "Toolbar48.bmp": bmp_24bpp(toolbar_strip(PICTOGRAMS, 48), MASK_RGB),
        "PrintToolbar48.bmp": bmp_24bpp(toolbar_strip(PRINT_PICTOGRAMS, 48), MASK_RGB),
        "Mojisheet.ico": ico_file([sheet_icon(n) for n in (16, 32, 48)]),
        "Mojiview.ico": ico_file([program_icon(n) for n in (16, 32, 48)]),
        "TteFile.ico": ico_file([tte_file_icon(n) for n in (16, 32, 48)]),
    }
    for name, blob in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(blob)


if __name__ == "__main__":
    main()
