// CGaijiFace: the typeface through which the gaiji of one TTE file are drawn, for everything
// that draws them (EUF creation, the printed code table and its preview).
//
// Where the system draws linked EUDC fonts, that is the gaiji display face itself: the TTE
// is linked to it (SwitchEudc) and the system resolves each gaiji code through the link.
// Where the system says it cannot (EnableEUDC answers FALSE), the TTE is loaded privately
// for the process and its own family name is the face; only the codes it maps have a glyph.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace moji {

class CGaijiFace {
 public:
  CGaijiFace() = default;
  ~CGaijiFace() { Close(); }
  CGaijiFace(const CGaijiFace&) = delete;
  CGaijiFace& operator=(const CGaijiFace&) = delete;

  // Chooses the face for the gaiji of `tte` shown in `displayFace`. False when the private
  // font cannot be loaded, named or selected (nothing of the user's could be drawn).
  bool Open(const std::filesystem::path& tte, const std::wstring& displayFace);
  // The display face as it is, whatever it resolves (when the TTE itself cannot be had).
  void UseDisplayFace(const std::wstring& displayFace) {
    Close();
    m_face = displayFace;
  }
  // Unloads a private font.
  void Close();

  const std::wstring& Face() const { return m_face; }
  bool UsesPrivateFont() const { return !m_privateFont.empty(); }
  // Whether a gaiji code has a glyph in the private font; every code does through a link.
  bool MapsCode(int code) const;

  // A font of the face whose em height is `height` units (negative: character height,
  // positive: cell height), default character set and weight. The caller deletes it.
  HFONT CreateFont(LONG height) const { return CreateFaceFont(m_face, height); }
  static HFONT CreateFaceFont(const std::wstring& face, LONG height);

  // The system's own answer whether it draws linked EUDC fonts: EnableEUDC(TRUE) of GDI32.
  static bool SystemDrawsEudcLinks();

 private:
  std::wstring m_face;
  std::filesystem::path m_privateFont;
  std::vector<std::uint8_t> m_mapped;  // private font: whether it maps each gaiji code
};

}  // namespace moji
