// Glyph bitmaps as image files, encoded by the platform's imaging component (WIC): 1 bit per
// pixel at the glyph's own size, black ink on a white background. The file is encoded in
// memory first and then written atomically (FileReplace.h), so a failed save leaves any
// previous file whole. The calling thread must have COM initialised.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace moji {

enum class GlyphImageFormat { Png, Bmp };

// The encoded image of a glyph whose bits are rows of whole 16-bit words (1 = background),
// as the EUF file and the clipboard bitmap hold them. Empty when the size is not positive,
// the bits are too few for it, or the encoder fails.
std::vector<std::uint8_t> EncodeGlyphImage(const std::vector<std::uint8_t>& bits, int width, int height,
                                           GlyphImageFormat format);

// Encodes and writes `target`; false when either fails.
bool SaveGlyphImage(const std::filesystem::path& target, const std::vector<std::uint8_t>& bits, int width, int height,
                    GlyphImageFormat format);

}  // namespace moji
