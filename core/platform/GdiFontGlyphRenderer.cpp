#include "GdiFontGlyphRenderer.h"

#include "ShapeFeature.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr DWORD kMaxTable = 64u << 20;

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool CGdiFontGlyphRenderer::IsInstalled(const std::wstring& face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(screen, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

bool CGdiFontGlyphRenderer::Begin(const std::u16string& face, int size) {
  End();
  const std::wstring name = ToWide(face);
  if (!IsInstalled(name) || size <= 0) return false;
  m_font = ::CreateFontW(-size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                         CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, name.c_str());
  HDC screen = ::GetDC(nullptr);
  m_dc = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (m_font == nullptr || m_dc == nullptr) {
    End();
    return false;
  }
  m_oldFont = ::SelectObject(m_dc, m_font);
  return true;
}

std::vector<std::uint8_t> CGdiFontGlyphRenderer::FontTable(const char tag[4]) {
  if (m_dc == nullptr) return {};
  const DWORD name = static_cast<DWORD>(static_cast<std::uint8_t>(tag[0])) |
                     static_cast<DWORD>(static_cast<std::uint8_t>(tag[1])) << 8 |
                     static_cast<DWORD>(static_cast<std::uint8_t>(tag[2])) << 16 |
                     static_cast<DWORD>(static_cast<std::uint8_t>(tag[3])) << 24;
  const DWORD size = ::GetFontData(m_dc, name, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0 || size > kMaxTable) return {};
  std::vector<std::uint8_t> bytes(size);
  if (::GetFontData(m_dc, name, 0, bytes.data(), size) != size) return {};
  return bytes;
}

std::uint64_t CGdiFontGlyphRenderer::FontFileSize() {
  if (m_dc == nullptr) return 0;
  const DWORD size = ::GetFontData(m_dc, 0, 0, nullptr, 0);
  return size == GDI_ERROR ? 0 : size;
}

bool CGdiFontGlyphRenderer::RenderGlyph(std::uint16_t glyph, InkImage& out) {
  if (m_dc == nullptr) return false;
  static const MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS metrics{};
  const DWORD size = ::GetGlyphOutlineW(m_dc, glyph, GGO_BITMAP | GGO_GLYPH_INDEX, &metrics, 0, nullptr, &kIdentity);
  if (size == GDI_ERROR || size == 0 || size > kMaxTable) return false;  // no ink
  m_buffer.resize(size);
  if (::GetGlyphOutlineW(m_dc, glyph, GGO_BITMAP | GGO_GLYPH_INDEX, &metrics, size, m_buffer.data(), &kIdentity) ==
      GDI_ERROR)
    return false;
  // Rows of whole 32-bit words, 1 = ink.
  const int width = static_cast<int>(metrics.gmBlackBoxX), height = static_cast<int>(metrics.gmBlackBoxY);
  out = InkFromBits(m_buffer, width, height, (width + 31) / 32 * 4, 1);
  return !out.ink.empty();
}

void CGdiFontGlyphRenderer::End() {
  if (m_dc != nullptr) {
    if (m_oldFont != nullptr) ::SelectObject(m_dc, m_oldFont);
    ::DeleteDC(m_dc);
  }
  if (m_font != nullptr) ::DeleteObject(m_font);
  m_dc = nullptr;
  m_font = nullptr;
  m_oldFont = nullptr;
}

}  // namespace moji
