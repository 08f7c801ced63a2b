#include "GaijiFace.h"

#include <algorithm>

#include "FontName.h"
#include "GaijiCode.h"
#include "TextConv.h"

namespace moji {

namespace {

bool SameFace(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool CGaijiFace::SystemDrawsEudcLinks() {
  HMODULE gdi = LoadLibraryW(L"GDI32.DLL");
  if (gdi == nullptr) return false;
  using EnableEudcProc = BOOL(WINAPI*)(BOOL);
  const auto enable = reinterpret_cast<EnableEudcProc>(reinterpret_cast<void (*)()>(GetProcAddress(gdi, "EnableEUDC")));
  const bool drawn = enable != nullptr && enable(TRUE) != FALSE;
  FreeLibrary(gdi);
  return drawn;
}

HFONT CGaijiFace::CreateFaceFont(const std::wstring& face, LONG height) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfCharSet = DEFAULT_CHARSET;
  // A face name has at most 31 characters: a longer setting is cut, as the font mapper would.
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
  return CreateFontIndirectW(&font);
}

bool CGaijiFace::Open(const std::filesystem::path& tte, const std::wstring& displayFace) {
  Close();
  if (SystemDrawsEudcLinks()) {
    m_face = displayFace;
    return true;
  }
  const auto family = ReadFontFamilyName(tte);
  if (!family || AddFontResourceExW(tte.c_str(), FR_PRIVATE, nullptr) == 0) return false;
  m_privateFont = tte;
  m_face = ToWide(*family);

  // The font mapper must take the private font, not a look-alike of the system; then which
  // gaiji the font maps is asked once for the whole space.
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFont(-64);
  bool ok = dc != nullptr && font != nullptr;
  if (ok) {
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t selected[LF_FACESIZE] = {};
    ok = GetTextFaceW(dc, LF_FACESIZE, selected) != 0 && SameFace(selected, m_face);
    if (ok) {
      std::vector<wchar_t> codes(kGaijiCount);
      std::vector<WORD> glyphs(kGaijiCount, 0xFFFF);
      for (int i = 0; i < kGaijiCount; ++i) codes[i] = static_cast<wchar_t>(kGaijiFirst + i);
      ok = GetGlyphIndicesW(dc, codes.data(), kGaijiCount, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR;
      m_mapped.resize(kGaijiCount);
      for (int i = 0; i < kGaijiCount; ++i) m_mapped[i] = glyphs[i] != 0xFFFF;
    }
    SelectObject(dc, old);
  }
  if (font != nullptr) DeleteObject(font);
  if (dc != nullptr) DeleteDC(dc);
  if (!ok) Close();
  return ok;
}

bool CGaijiFace::MapsCode(int code) const {
  if (!UsesPrivateFont()) return true;
  return IsUnicodeGaiji(code) && m_mapped[code - kGaijiFirst] != 0;
}

void CGaijiFace::Close() {
  if (!m_privateFont.empty()) RemoveFontResourceExW(m_privateFont.c_str(), FR_PRIVATE, nullptr);
  m_privateFont.clear();
  m_mapped.clear();
  m_face.clear();
}

}  // namespace moji
