#include "CodeTablePainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

// The fonts of a page, selected one after the other into a context, straight from one to
// the next, and the context's own font selected back at the end.
class CPageFonts {
 public:
  explicit CPageFonts(HDC dc) : m_dc(dc) {}
  ~CPageFonts() {
    if (m_original) ::SelectObject(m_dc, m_original);
  }
  CPageFonts(const CPageFonts&) = delete;
  CPageFonts& operator=(const CPageFonts&) = delete;

  void Select(HFONT font) {
    if (!font) return;
    HGDIOBJ old = ::SelectObject(m_dc, font);
    if (!m_original) m_original = old;
  }

 private:
  HDC m_dc;
  HGDIOBJ m_original = nullptr;
};

// The grid's 13 horizontal and 10 vertical lines in one call.
void DrawGrid(HDC dc) {
  std::vector<POINT> points;
  for (const int y : HorizontalGridLines()) points.insert(points.end(), {POINT{kGridLeft, y}, POINT{kGridRight, y}});
  for (const int x : VerticalGridLines()) points.insert(points.end(), {POINT{x, kGridTop}, POINT{x, kGridBottom}});
  const std::vector<DWORD> counts(points.size() / 2, 2);
  ::PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT rect, UINT flags) {
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_NOPREFIX);
}

}  // namespace

// A 1 x 1 memory context of a page context's depth and mapping with one font selected.
class CCodeTableFonts::CHolder {
 public:
  CHolder(HFONT font, SIZE window, SIZE viewport, int bitsPerPixel)
      : m_font(font), m_window(window), m_viewport(viewport), m_bits(bitsPerPixel), m_dc(::CreateCompatibleDC(nullptr)) {
    if (!m_dc) return;
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 1, 1, 1, static_cast<WORD>(bitsPerPixel), BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_bitmap) m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    ::SetMapMode(m_dc, MM_ISOTROPIC);
    ::SetWindowExtEx(m_dc, window.cx, window.cy, nullptr);
    ::SetViewportExtEx(m_dc, viewport.cx, viewport.cy, nullptr);
    m_oldFont = ::SelectObject(m_dc, font);
  }
  ~CHolder() {
    if (!m_dc) return;
    if (m_oldFont) ::SelectObject(m_dc, m_oldFont);
    if (m_oldBitmap) ::SelectObject(m_dc, m_oldBitmap);
    if (m_bitmap) ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  CHolder(const CHolder&) = delete;
  CHolder& operator=(const CHolder&) = delete;

  bool Holds(HFONT font, SIZE window, SIZE viewport, int bitsPerPixel) const {
    return font == m_font && window.cx == m_window.cx && window.cy == m_window.cy && viewport.cx == m_viewport.cx &&
           viewport.cy == m_viewport.cy && bitsPerPixel == m_bits;
  }

 private:
  HFONT m_font;
  SIZE m_window, m_viewport;
  int m_bits;
  HDC m_dc;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
  HGDIOBJ m_oldFont = nullptr;
};

CCodeTableFonts::CCodeTableFonts() = default;
CCodeTableFonts::~CCodeTableFonts() = default;
CCodeTableFonts::CCodeTableFonts(CCodeTableFonts&&) noexcept = default;

CCodeTableFonts& CCodeTableFonts::operator=(CCodeTableFonts&& other) noexcept {
  m_holder = std::move(other.m_holder);  // first: the old holder lets go of a font before the font goes
  m_entries = std::move(other.m_entries);
  return *this;
}

void CCodeTableFonts::HoldRealized(HDC dc, HFONT font) const {
  if (!font || ::GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY) return;
  SIZE window{}, viewport{};
  ::GetWindowExtEx(dc, &window);
  ::GetViewportExtEx(dc, &viewport);
  const int bits = ::GetDeviceCaps(dc, BITSPIXEL);
  if (m_holder && m_holder->Holds(font, window, viewport, bits)) return;
  m_holder.reset();
  m_holder = std::make_unique<CHolder>(font, window, viewport, bits);
}

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

  DrawGrid(dc);

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
  CPageFonts fonts(dc);
  {
    fonts.Select(job.fonts.Get(CCodeTableFonts::kHeader, kGothicFace, LogicalFontHeight(attribute, kHeaderPoints)));
    DrawTextIn(dc, FormatResource(IDS_PAGE_TITLE, job.startText.c_str(), job.endText.c_str(), job.tteName.c_str()),
               ToRect(kHeaderBand), DT_SINGLELINE | DT_PATH_ELLIPSIS);  // a long path keeps its file name
    DrawTextIn(dc, FormatResource(IDS_PAGE_DATE, job.dateText.c_str(), page, job.pageCount), ToRect(kHeaderBand),
               DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
  }
  {
    fonts.Select(job.fonts.Get(CCodeTableFonts::kSjis, kGothicFace, LogicalFontHeight(attribute, kSjisPoints)));
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
    fonts.Select(job.fonts.Get(CCodeTableFonts::kLabel, job.labelFace, LogicalFontHeight(attribute, kLabelPoints)));
    for (const RowLabel& label : layout.labels)
      DrawTextIn(dc, ToWide(label.text), ToRect(LabelRect(label.row)), DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  if (!job.glyphFace) return;
  const HFONT glyphFont = job.fonts.Get(CCodeTableFonts::kGlyph, job.glyphFace->Face(), -kGlyphHeight);
  job.fonts.HoldRealized(dc, glyphFont);
  fonts.Select(glyphFont);
  for (const TableCell& cell : layout.cells) {
    if (!job.glyphFace->MapsCode(cell.code)) continue;
    const wchar_t text = static_cast<wchar_t>(cell.code);
    RECT rect = ToRect(GlyphRect(cell.row, cell.column));
    ::DrawTextW(dc, &text, 1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  }
}

}  // namespace moji
