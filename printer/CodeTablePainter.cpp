#include "CodeTablePainter.h"

#include <algorithm>
#include <cmath>

#include "Message.h"
#include "MojisheetRes.h"
#include "PointFont.h"
#include "TextConv.h"

namespace moji {

namespace {

constexpr int kHeaderPoints = 12;
constexpr int kLabelPoints = 12;
constexpr int kSjisPoints = 9;
constexpr LONG kGlyphHeight = 17;  // character height in units

RECT ToRect(const PageRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// A font selected into a context for a scope.
class CSelectedFont {
 public:
  CSelectedFont(HDC dc, HFONT font) : m_dc(dc), m_old(font ? ::SelectObject(dc, font) : nullptr) {}
  ~CSelectedFont() {
    if (m_old) ::SelectObject(m_dc, m_old);
  }
  CSelectedFont(const CSelectedFont&) = delete;
  CSelectedFont& operator=(const CSelectedFont&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

void DrawLine(HDC dc, int x0, int y0, int x1, int y1) {
  ::MoveToEx(dc, x0, y0, nullptr);
  ::LineTo(dc, x1, y1);
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT rect, UINT flags) {
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_NOPREFIX);
}

}  // namespace

HFONT CCodeTableFonts::Get(Kind kind, const std::wstring& face, LONG height) const {
  Entry& entry = m_entries[kind];
  if (!entry.font || entry.face != face || entry.height != height) {
    entry.font.reset(CGaijiFace::CreateFaceFont(face, height));
    entry.face = face;
    entry.height = height;
  }
  return entry.font.get();
}

LONG CCodeTablePainter::LogicalFontHeight(HDC attribute, int points) {
  const int dpi = ::GetDeviceCaps(attribute, LOGPIXELSY);
  const int width = ::GetDeviceCaps(attribute, HORZRES), height = ::GetDeviceCaps(attribute, VERTRES);
  if (dpi <= 0 || width <= 0 || height <= 0) return -points;
  // Isotropic: one unit is the larger of the two device-pixel-per-unit ratios' inverse.
  const double unitsPerPixel = std::max(static_cast<double>(kPageWidth) / width, static_cast<double>(kPageHeight) / height);
  return -static_cast<LONG>(std::lround(points * dpi / 72.0 * unitsPerPixel));
}

void CCodeTablePainter::PaintPage(HDC dc, HDC attribute, POINT origin, SIZE viewport, const CodeTableJob& job,
                                  int page) {
  ::SetMapMode(dc, MM_ISOTROPIC);
  ::SetWindowExtEx(dc, kPageWidth, kPageHeight, nullptr);
  ::SetViewportExtEx(dc, viewport.cx, viewport.cy, nullptr);
  ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);

  for (const int y : HorizontalGridLines()) DrawLine(dc, kGridLeft, y, kGridRight, y);
  for (const int x : VerticalGridLines()) DrawLine(dc, x, kGridTop, x, kGridBottom);

  ::SetTextColor(dc, RGB(0, 0, 0));
  // Glyph rectangles reach 2 units below their cells: an opaque text background would cut
  // the grid line under every glyph.
  ::SetBkMode(dc, TRANSPARENT);
  const bool readOk = job.tte && job.tte->readStatus == 0;
  const CodeTablePage layout = LayoutCodeTablePage(job.range, page, readOk, [&](int code) {
    return job.tte->HasGlyph(code);
  });
  // Text grouped by font, each font selected once: printer drivers send a font again on
  // every page and may keep only two of them at a time.
  {
    CSelectedFont header(
        dc, job.fonts.Get(CCodeTableFonts::kHeader, kGothicFace, LogicalFontHeight(attribute, kHeaderPoints)));
    DrawTextIn(dc, FormatResource(IDS_PAGE_TITLE, job.startText.c_str(), job.endText.c_str(), job.tteName.c_str()),
               ToRect(kHeaderBand), DT_SINGLELINE | DT_PATH_ELLIPSIS);  // a long path keeps its file name
    DrawTextIn(dc, FormatResource(IDS_PAGE_DATE, job.dateText.c_str(), page, job.pageCount), ToRect(kHeaderBand),
               DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
  }
  {
    CSelectedFont sjis(dc,
                       job.fonts.Get(CCodeTableFonts::kSjis, kGothicFace, LogicalFontHeight(attribute, kSjisPoints)));
    // Centred on the top edge of its rectangle by the text alignment, without measuring
    // each code first.
    const UINT align = ::SetTextAlign(dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
    for (const TableCell& cell : layout.cells) {
      if (cell.sjis.empty()) continue;
      const std::wstring text = ToWide(cell.sjis);
      const PageRect r = SjisRect(cell.row, cell.column);
      ::ExtTextOutW(dc, (r.left + r.right) / 2, r.top, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    }
    ::SetTextAlign(dc, align);
  }
  {
    CSelectedFont labels(
        dc, job.fonts.Get(CCodeTableFonts::kLabel, job.labelFace, LogicalFontHeight(attribute, kLabelPoints)));
    for (const RowLabel& label : layout.labels)
      DrawTextIn(dc, ToWide(label.text), ToRect(LabelRect(label.row)), DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  if (!job.glyphFace) return;
  CSelectedFont glyphs(dc, job.fonts.Get(CCodeTableFonts::kGlyph, job.glyphFace->Face(), -kGlyphHeight));
  for (const TableCell& cell : layout.cells) {
    if (!job.glyphFace->MapsCode(cell.code)) continue;
    const wchar_t text = static_cast<wchar_t>(cell.code);
    RECT rect = ToRect(GlyphRect(cell.row, cell.column));
    ::DrawTextW(dc, &text, 1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  }
}

}  // namespace moji
