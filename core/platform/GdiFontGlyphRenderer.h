// CGdiFontGlyphRenderer: draws the glyphs of an installed font by glyph index with GDI, for
// the index of a reference font. The font's tables come from the system's copy of the font
// (GetFontData), the bitmaps from GetGlyphOutlineW without anti-aliasing, cropped to the
// glyph's ink box.
#pragma once

#include <windows.h>

#include "GlyphRenderer.h"

namespace moji {

class CGdiFontGlyphRenderer final : public CFontGlyphRenderer {
 public:
  CGdiFontGlyphRenderer() = default;
  ~CGdiFontGlyphRenderer() override { End(); }
  CGdiFontGlyphRenderer(const CGdiFontGlyphRenderer&) = delete;
  CGdiFontGlyphRenderer& operator=(const CGdiFontGlyphRenderer&) = delete;

  // False when no font of `face` is installed (the system would substitute another).
  bool Begin(const std::u16string& face, int size) override;
  std::vector<std::uint8_t> FontTable(const char tag[4]) override;
  std::uint64_t FontFileSize() override;
  bool RenderGlyph(std::uint16_t glyph, InkImage& out) override;
  void End() override;

  // Whether a font of this face is installed.
  static bool IsInstalled(const std::wstring& face);

 private:
  HDC m_dc = nullptr;
  HFONT m_font = nullptr;
  HGDIOBJ m_oldFont = nullptr;
  std::vector<std::uint8_t> m_buffer;
};

}  // namespace moji
