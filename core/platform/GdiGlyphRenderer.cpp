#include "GdiGlyphRenderer.h"

#include <algorithm>

#include "FontName.h"
#include "GaijiCode.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr int kMaxSize = 256;

bool SameFace(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

CGdiGlyphRenderer::~CGdiGlyphRenderer() { End(); }

bool CGdiGlyphRenderer::SystemDrawsEudcLinks() {
  HMODULE gdi = LoadLibraryW(L"GDI32.DLL");
  if (gdi == nullptr) return false;
  using EnableEudcProc = BOOL(WINAPI*)(BOOL);
  const auto enable = reinterpret_cast<EnableEudcProc>(reinterpret_cast<void (*)()>(GetProcAddress(gdi, "EnableEUDC")));
  const bool drawn = enable != nullptr && enable(TRUE) != FALSE;
  FreeLibrary(gdi);
  return drawn;
}

HFONT CGdiGlyphRenderer::CreateCellFont(const std::wstring& face) const {
  LOGFONTW font{};
  font.lfHeight = -m_size;
  font.lfCharSet = DEFAULT_CHARSET;
  if (face.size() >= LF_FACESIZE) return nullptr;  // no font can be selected by such a name
  std::copy(face.begin(), face.end(), font.lfFaceName);
  return CreateFontIndirectW(&font);
}

bool CGdiGlyphRenderer::Begin(const std::filesystem::path& tte, const std::u16string& face, int size) {
  End();
  if (size <= 0 || size > kMaxSize || size % 16 != 0) return false;
  m_size = size;
  m_face = ToWide(face);

  std::wstring drawFace = m_face;
  if (!SystemDrawsEudcLinks()) {
    const auto family = ReadFontFamilyName(tte);
    if (!family || AddFontResourceExW(tte.c_str(), FR_PRIVATE, nullptr) == 0) return false;
    m_privateFont = tte;
    drawFace = ToWide(*family);
  }

  m_font = CreateCellFont(drawFace);
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

  if (UsesPrivateFont()) {
    // The font mapper must have taken the private font, not a look-alike of the system.
    wchar_t selected[LF_FACESIZE] = {};
    if (GetTextFaceW(m_dc, LF_FACESIZE, selected) == 0 || !SameFace(selected, drawFace)) {
      End();
      return false;
    }
    // Which gaiji the font maps, asked once for the whole space.
    std::vector<wchar_t> codes(kGaijiCount);
    std::vector<WORD> glyphs(kGaijiCount, 0xFFFF);
    for (int i = 0; i < kGaijiCount; ++i) codes[i] = static_cast<wchar_t>(kGaijiFirst + i);
    if (GetGlyphIndicesW(m_dc, codes.data(), kGaijiCount, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
      End();
      return false;
    }
    m_mapped.resize(kGaijiCount);
    for (int i = 0; i < kGaijiCount; ++i) m_mapped[i] = glyphs[i] != 0xFFFF;
  }
  return true;
}

bool CGdiGlyphRenderer::MapsCode(wchar_t code) const {
  if (IsUnicodeGaiji(code) && !m_mapped.empty()) return m_mapped[code - kGaijiFirst] != 0;
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
    faceFont = CreateCellFont(m_face);
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
  if (!m_privateFont.empty()) RemoveFontResourceExW(m_privateFont.c_str(), FR_PRIVATE, nullptr);
  m_dc = nullptr;
  m_font = nullptr;
  m_bitmap = nullptr;
  m_oldFont = m_oldBitmap = nullptr;
  m_middleDot = nullptr;
  m_middleDotDone = false;
  m_middleDotBits.clear();
  m_mapped.clear();
  m_lastCode = -1;
  m_lastBits.clear();
  m_privateFont.clear();
  m_size = 0;
}

}  // namespace moji
