// Glyph bitmaps between the browser and the clipboard: monochrome device-dependent bitmaps
// made from glyph bits, the clipboard formats that hold a glyph (CF_BITMAP and the record
// of the gaiji management program, registered as "Glyphkeeper"), and reading either back
// as a monochrome bitmap. Shared by the grid's copy and search, and the balloon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "GlyphMatch.h"

namespace moji {

inline constexpr wchar_t kGlyphkeeperFormatName[] = L"Glyphkeeper";

// A 1-bit bitmap of width x height from glyph bits (rows of whole 16-bit words,
// width * height / 8 bytes); null when it cannot be made.
HBITMAP CreateGlyphBitmap(int width, int height, const std::uint8_t* bits);

// The first format on the clipboard, in enumeration order, that is CF_BITMAP or
// `glyphkeeperFormat`; 0 when there is none or the clipboard cannot be opened.
UINT ClipboardGlyphFormat(UINT glyphkeeperFormat);

// Reads the clipboard's data of `format` into a new monochrome bitmap in `*bitmap` (the
// caller's to delete). CF_BITMAP is copied through memory DCs, white becoming 1 and every
// other colour 0; any other format is read as a Glyphkeeper record, whose radical code,
// stroke count and reading (when asked for) fill the optional outputs. Reading is set to
// empty and radical and strokes to -1 first. A record that is not whole (16 bytes or less,
// size outside 1..256, bits or reading cut short) beeps and gives false.
bool ReadClipboardGlyph(UINT format, HBITMAP* bitmap, std::wstring* reading, int* radical, int* strokes);

// The bits of `bitmap` normalised to width x height (copied when it has that size,
// stretched with the default stretch mode otherwise): width * height / 8 bytes in the
// device-dependent monochrome layout. Empty bits when it cannot be done.
GlyphPattern NormalizeToPattern(HBITMAP bitmap, int width, int height);

// The size of a bitmap; {0, 0} for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace moji
