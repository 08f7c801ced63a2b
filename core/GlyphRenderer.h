// Drawing gaiji into monochrome bitmaps for a new EUF file, behind an interface: the Win32
// renderer draws through the system's fonts, tests script the bitmaps.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace moji {

class CGlyphRenderer {
 public:
  virtual ~CGlyphRenderer() = default;

  // Prepares a run over the gaiji of `tte`, drawn in typeface `face` (through which the TTE
  // is linked) at character height `size` in a size × size cell. False when nothing can be
  // drawn; End is still called.
  virtual bool Begin(const std::filesystem::path& tte, const std::u16string& face, int size) = 0;

  // Draws `code` at the top left of the cell into `bits` (size·size/8 bytes): rows top first,
  // leftmost pixel in the high bit, 0 = ink. False when the drawing failed.
  virtual bool Render(int code, std::span<std::uint8_t> bits) = 0;

  // Whether the outline of `code` equals that of the katakana middle dot U+30FB, which is
  // what the system draws for a code that the font does not define.
  virtual bool IsMiddleDotOutline(int code) = 0;

  // Ends the run and releases what Begin took.
  virtual void End() = 0;
};

}  // namespace moji

namespace moji {

struct InkImage;

// Drawing the glyphs of an installed font by glyph index, for the index of a reference font
// (CandidateIndex.h): the Win32 renderer asks the system for the font's tables and bitmaps,
// the benchmark rasterises outlines it read itself.
class CFontGlyphRenderer {
 public:
  virtual ~CFontGlyphRenderer() = default;

  // Selects the installed font of typeface `face` at an em of `size` pixels. False when the
  // system has no such font.
  virtual bool Begin(const std::u16string& face, int size) = 0;
  // A table of the selected font (as the file holds it), empty when it has none.
  virtual std::vector<std::uint8_t> FontTable(const char tag[4]) = 0;
  // The size of the selected font's file in bytes.
  virtual std::uint64_t FontFileSize() = 0;
  // Draws glyph `glyph` as ink in an image of at least its ink box; false when it failed.
  virtual bool RenderGlyph(std::uint16_t glyph, InkImage& out) = 0;
  virtual void End() = 0;
};

}  // namespace moji
