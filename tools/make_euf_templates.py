#!/usr/bin/env python3
"""Writes the EUF templates SPACE_<S>.euf (S = 16, 32, ..., 256) into a folder.

A new EUF file is always made by copying the template of its glyph size and adding
glyphs to the copy, so this file fixes every byte that the programs copy but do not
interpret. Layout of a template (all integers little-endian):

  offset  size   content
  0       42     "Windows EUDC Editor Bitmap File (Uni-Code)"
  42      2      layout version of our templates: 1
  44      2      S, the glyph size the template is made for
  46      52     zero
  98      4      P = 108, anchor of the table (the block follows the header directly)
  102     20     management block (at P - 6):
                   +0  firstCode 0xE000     +2  lastCode 0xF8FF
                   +4  zero (2 bytes)
                   +6  dataEnd               (these 8 bytes are the 8 bytes at P,
                   +10 S (width)              laid out like a record header: they give
                   +12 S (height)             the glyph size while U+E000 has no record)
                   +14 firstRecordOffset     +18 zero (2 bytes)
  122     25600  offset table, 6400 entries; entry 0 = firstRecordOffset, the rest 0
  25722   8+S*S/8 the placeholder record of U+E000: {8+S*S/8, S, S}, all bits 1 (blank)

firstRecordOffset = 25722 - P = 25614 and dataEnd = firstRecordOffset + 8 + S*S/8;
nothing follows the record.
"""
import os
import struct
import sys

SIGNATURE = b"Windows EUDC Editor Bitmap File (Uni-Code)"
FIRST, LAST = 0xE000, 0xF8FF
ANCHOR = 108


def template(size):
    count = LAST - FIRST + 1
    bitmap = size * size // 8
    record_size = 8 + bitmap
    table_at = ANCHOR + 14
    first_record = table_at + count * 4 - ANCHOR
    data_end = first_record + record_size
    header = SIGNATURE + struct.pack("<HH", 1, size) + bytes(52) + struct.pack("<I", ANCHOR)
    assert len(header) == 102
    block = struct.pack("<HHHIHHIH", FIRST, LAST, 0, data_end, size, size, first_record, 0)
    table = struct.pack("<I", first_record) + bytes((count - 1) * 4)
    record = struct.pack("<IHH", record_size, size, size) + b"\xff" * bitmap
    data = header + block + table + record
    assert len(data) == ANCHOR + data_end
    return data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    for size in range(16, 257, 16):
        with open(os.path.join(out, "SPACE_%d.euf" % size), "wb") as f:
            f.write(template(size))


if __name__ == "__main__":
    main()
