#include "GdiGlyphRenderer.h"

#include <algorithm>

#include "GaijiCode.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr int kMaxSize = 256;

}  // namespace

CGdiGlyphRenderer::~CGdiGlyphRenderer() { End(); }

bool CGdiGlyphRenderer::Begin(const std::filesystem::path& tte, const std::u16string& face, int size) {
  End();
  if (size <= 0 || size > kMaxSize || size % 16 != 0) return false;
  m_size = size;
  m_face = ToWide(face);

  if (!m_gaijiFace.Open(tte, m_face)) return false;

  m_font = m_gaijiFace.CreateFont(-m_size);
  HDC screen = GetDC(nullptr);
  m_dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  m_bitmap = CreateBitmap(size, size, 1, 1, nullptr);
  if (m_font == nullptr || m_dc == nullptr || m_bitmap == nullptr) {
    End();
    return false;
  }
  m_oldBitmap = SelectObject(m_dc, m_bitmap);
  m_oldFont = SelectObject(m_dc, m_font);
  SetTextColor(m_dc, RGB(0, 0, 0));
  SetBkColor(m_dc, RGB(255, 255, 255));
  SetPolyFillMode(m_dc, WINDING);  // TrueType fills overlapping contours whole
  return true;
}

bool CGdiGlyphRenderer::MapsCode(wchar_t code) const {
  if (IsUnicodeGaiji(code)) return m_gaijiFace.MapsCode(code);
  WORD glyph = 0xFFFF;
  return GetGlyphIndicesW(m_dc, &code, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR && glyph != 0xFFFF;
}

bool CGdiGlyphRenderer::DrawCell(wchar_t code, std::span<std::uint8_t> bits) {
  const LONG bytes = static_cast<LONG>(bits.size());
  PatBlt(m_dc, 0, 0, m_size, m_size, WHITENESS);
  RECT cell{0, 0, m_size, m_size};
  if (DrawTextW(m_dc, &code, 1, &cell, DT_LEFT | DT_TOP) == 0) return false;
  GdiFlush();
  return GetBitmapBits(m_bitmap, bytes, bits.data()) == bytes;
}

bool CGdiGlyphRenderer::Render(int code, std::span<std::uint8_t> bits) {
  m_lastCode = -1;
  if (m_dc == nullptr || bits.size() != static_cast<std::size_t>(m_size * m_size / 8)) return false;
  const wchar_t text = static_cast<wchar_t>(code);
  if (UsesPrivateFont() && !MapsCode(text))
    std::fill(bits.begin(), bits.end(), 0xFF);
  else if (!DrawCell(text, bits))
    return false;
  m_lastCode = code;
  m_lastBits.assign(bits.begin(), bits.end());
  return true;
}

HRGN CGdiGlyphRenderer::OutlineRegion(wchar_t code) const {
  const int oldMode = SetBkMode(m_dc, TRANSPARENT);
  HRGN region = nullptr;
  if (BeginPath(m_dc)) {
    const bool drawn = TextOutW(m_dc, 0, 0, &code, 1) != FALSE;
    if (EndPath(m_dc) && drawn)
      region = PathToRegion(m_dc);  // NULL for an empty outline
    else
      AbortPath(m_dc);
  }
  SetBkMode(m_dc, oldMode);
  return region;
}

void CGdiGlyphRenderer::PrepareMiddleDot() {
  if (m_middleDotDone) return;
  m_middleDotDone = true;
  // A private TTE without a middle dot: take the one the gaiji display face draws.
  HFONT faceFont = nullptr;
  if (UsesPrivateFont() && !MapsCode(kMiddleDot)) {
    faceFont = CGaijiFace::CreateFaceFont(m_face, -m_size);
    if (faceFont == nullptr) return;
    SelectObject(m_dc, faceFont);
  }
  m_middleDotBits.resize(static_cast<std::size_t>(m_size) * m_size / 8);
  if (!DrawCell(kMiddleDot, m_middleDotBits)) m_middleDotBits.clear();
  m_middleDot = OutlineRegion(kMiddleDot);
  if (faceFont != nullptr) {
    SelectObject(m_dc, m_font);
    DeleteObject(faceFont);
  }
}

bool CGdiGlyphRenderer::IsMiddleDotOutline(int code) {
  if (m_dc == nullptr) return false;
  PrepareMiddleDot();
  if (m_middleDot == nullptr) return false;
  if (code == m_lastCode && !m_middleDotBits.empty() && m_lastBits != m_middleDotBits) return false;
  HRGN outline = OutlineRegion(static_cast<wchar_t>(code));
  if (outline == nullptr) return false;
  // XOR rather than EqualRgn: equal areas may come in differently banded regions.
  HRGN difference = CreateRectRgn(0, 0, 0, 0);
  const bool same = difference != nullptr && CombineRgn(difference, outline, m_middleDot, RGN_XOR) == NULLREGION;
  if (difference != nullptr) DeleteObject(difference);
  DeleteObject(outline);
  return same;
}

void CGdiGlyphRenderer::End() {
  if (m_dc != nullptr) {
    if (m_oldFont != nullptr) SelectObject(m_dc, m_oldFont);
    if (m_oldBitmap != nullptr) SelectObject(m_dc, m_oldBitmap);
    DeleteDC(m_dc);
  }
  if (m_font != nullptr) DeleteObject(m_font);
  if (m_bitmap != nullptr) DeleteObject(m_bitmap);
  if (m_middleDot != nullptr) DeleteObject(m_middleDot);
  m_dc = nullptr;
  m_font = nullptr;
  m_bitmap = nullptr;
  m_oldFont = m_oldBitmap = nullptr;
  m_middleDot = nullptr;
  m_middleDotDone = false;
  m_middleDotBits.clear();
  m_lastCode = -1;
  m_lastBits.clear();
  m_gaijiFace.Close();
  m_size = 0;
}

}  // namespace moji
