// CCodeTablePainter: draws one page of the code table (CodeTablePage.h) into a device
// context, the one paint routine of the printed page and its preview.
//
// The page is drawn in the isotropic mapping of the A4 sheet (210 x 297 units) onto the
// printable area `viewport` at `origin` (device units of the drawing context). Font sizes
// are in points of the printer (`attribute`: LOGPIXELSY and the printable size), turned
// into logical units, so that a preview shows the fonts as the printer will print them.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "CodeTablePage.h"
#include "GaijiFace.h"
#include "PointFont.h"
#include "TTEMetrics.h"

namespace moji {

// The fonts of a job's pages, made for its first page and again only when another face or
// height is asked for (another printer): a font is realized once per job, not per page.
class CCodeTableFonts {
 public:
  enum Kind { kHeader, kSjis, kLabel, kGlyph, kKinds };
  CCodeTableFonts();
  ~CCodeTableFonts();
  CCodeTableFonts(CCodeTableFonts&&) noexcept;
  CCodeTableFonts& operator=(CCodeTableFonts&&) noexcept;

  // The font of `kind`, kept for the job; null when it cannot be made.
  HFONT Get(Kind kind, const std::wstring& face, LONG height) const;
  // Keeps `font` realized at the scale of `dc`'s page mapping (set before) while the job
  // lasts, selected into a small memory context of the job's own; for raster contexts only.
  // A raster engine keeps the rendered glyphs of a font while the font is realized
  // somewhere, and of only a few fonts besides (Wine's DIB engine: five, counting every
  // scale a font was selected at while a page sets up its mapping). A page's text fonts
  // would push the glyph font out, and its 96 large glyphs would be rendered again each
  // time a page is drawn.
  void HoldRealized(HDC dc, HFONT font) const;

 private:
  struct Entry {
    std::wstring face;
    LONG height = 0;
    UniqueFont font;
  };
  class CHolder;
  mutable std::array<Entry, kKinds> m_entries;
  mutable std::unique_ptr<CHolder> m_holder;  // after the fonts: goes before them
};

// What every page of a job shares.
struct CodeTableJob {
  CodeRange range;
  std::wstring startText;  // the code texts as typed
  std::wstring endText;
  std::wstring tteName;    // the print TTE path, or the default EUDC font name
  std::wstring dateText;
  int pageCount = 0;
  std::wstring labelFace;  // the gaiji display face
  const CTTEMetrics* tte = nullptr;
  const CGaijiFace* glyphFace = nullptr;
  CCodeTableFonts fonts;
};

class CCodeTablePainter {
 public:
  static void PaintPage(HDC dc, HDC attribute, POINT origin, SIZE viewport, const CodeTableJob& job, int page);

  // The logical height of a `points` font on the printer `attribute` in the page mapping.
  static LONG LogicalFontHeight(HDC attribute, int points);
};

}  // namespace moji
