// CGdiGlyphRenderer: draws gaiji with GDI for a new EUF file.
//
// The face comes from CGaijiFace: where the system draws linked EUDC fonts, the TTE is reached
// through its temporary link to the gaiji display typeface, at character height −S; where it
// cannot, the TTE itself is loaded privately, and codes it does not map are reported blank,
// as nothing of the user's would be drawn for them.
//
// One font, one memory context and one S × S monochrome bitmap serve the whole run. The
// outline of a code is compared with the middle dot's only when its bitmap equals the middle
// dot's bitmap: equal outlines drawn at the same place in the same size rasterise alike.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GaijiFace.h"
#include "GlyphRenderer.h"

namespace moji {

class CGdiGlyphRenderer final : public CGlyphRenderer {
 public:
  CGdiGlyphRenderer() = default;
  ~CGdiGlyphRenderer() override;
  CGdiGlyphRenderer(const CGdiGlyphRenderer&) = delete;
  CGdiGlyphRenderer& operator=(const CGdiGlyphRenderer&) = delete;

  // size: 16 to 256 in steps of 16, so that bitmap rows are whole 16-bit words.
  bool Begin(const std::filesystem::path& tte, const std::u16string& face, int size) override;
  bool Render(int code, std::span<std::uint8_t> bits) override;
  bool IsMiddleDotOutline(int code) override;
  void End() override;

  // Whether the current run draws the privately loaded TTE instead of the linked face.
  bool UsesPrivateFont() const { return m_gaijiFace.UsesPrivateFont(); }

  static bool SystemDrawsEudcLinks() { return CGaijiFace::SystemDrawsEudcLinks(); }

  static constexpr wchar_t kMiddleDot = 0x30FB;

 private:
  bool MapsCode(wchar_t code) const;
  // Draws `code` at the top left of the cell and reads the bitmap into `bits`.
  bool DrawCell(wchar_t code, std::span<std::uint8_t> bits);
  // The region covered by the outline of `code` drawn at (0, 0) with the selected font.
  HRGN OutlineRegion(wchar_t code) const;
  void PrepareMiddleDot();

  int m_size = 0;
  std::wstring m_face;
  CGaijiFace m_gaijiFace;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
  HFONT m_font = nullptr;
  HGDIOBJ m_oldFont = nullptr;
  int m_lastCode = -1;                 // the code Render drew last, and its bitmap
  std::vector<std::uint8_t> m_lastBits;
  bool m_middleDotDone = false;
  std::vector<std::uint8_t> m_middleDotBits;
  HRGN m_middleDot = nullptr;
};

}  // namespace moji
