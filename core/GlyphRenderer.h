// Drawing gaiji into monochrome bitmaps for a new EUF file, behind an interface: the Win32
// renderer draws through the system's fonts, tests script the bitmaps.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

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
