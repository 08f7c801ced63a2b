// Sizes on displays of any scale. Pixel sizes are designed for 96 dpi (100 %) and scaled to
// the dpi of the window that shows them; gaiji bitmaps are drawn at a whole-number scale so
// that every bit of a glyph stays a square of equal pixels.
#pragma once

#include <array>

namespace moji {

constexpr int kDefaultDpi = 96;

// `dpi`, or 96 for a value no device reports (zero or negative).
int ValidDpi(int dpi);

// A size of `pixels96` pixels at 96 dpi, at `dpi`, rounded to the nearest pixel (halves away
// from zero), as MulDiv does.
int ScaleToDpi(int pixels96, int dpi);

// The whole-number scale of a gaiji bitmap: the one nearest to dpi / 96, halves rounded up,
// at least 1 (1 up to 149 %, 2 from 150 % to 249 %, 3 from 250 % ...).
int GlyphScaleForDpi(int dpi);

// GlyphScaleForDpi, lowered to the largest scale whose glyph of `glyphSize` pixels still fits
// into `room` pixels, but at least 1: a glyph in a control of fixed size.
int GlyphScaleToFit(int dpi, int glyphSize, int room);

// The toolbar image sizes the programs carry, smallest first.
constexpr std::array<int, 3> kToolbarImageSizes{24, 36, 48};

// The toolbar image size for `dpi`: the smallest set not smaller than 24 pixels scaled to
// `dpi`; the largest set above that.
int ToolbarImageSizeForDpi(int dpi);

}  // namespace moji
