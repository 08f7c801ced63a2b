#include "FukidasiDlg.h"

#include <algorithm>
#include <string>
#include <vector>

#include "BrowserGaijiListCtrl.h"
#include "ClipboardGlyph.h"
#include "Dpi.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "PointFont.h"

namespace moji {

namespace {

constexpr RECT kBody{20, 6, 244, 102};
constexpr int kCorner = 14;
constexpr POINT kTail[] = {{0, 0}, {20, 15}, {20, 30}};
constexpr RECT kCloseMark{224, 16, 234, 26};
constexpr int kGlyphLeft = 30, kGlyphTop = 28, kGlyphSize = 64;
constexpr RECT kTitle{34, 16, 230, 92};
constexpr int kValueLeft = 108, kValueRight = 230, kValueBottom = 92;
constexpr int kValueTops[] = {34, 48, 62, 76};
constexpr int kFontPoints = 9;
constexpr UINT kLineFormat = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

void DrawLine(HDC dc, const std::wstring& text, RECT rect) {
  ::DrawTextW(dc, text.c_str(), -1, &rect, kLineFormat);
}

}  // namespace

CFukidasiDlg::CFukidasiDlg(CBrowserGaijiListCtrl& parent, int anchorX, int anchorY, bool closeMark)
    : CDialog(IDD_FUKIDASI),
      m_parent(parent),
      m_dpi(WindowDpi(parent.Handle())),
      m_rect{anchorX, anchorY, anchorX + ScaleToDpi(kWidth, m_dpi), anchorY + ScaleToDpi(kHeight, m_dpi)},
      m_closeMark(closeMark) {}

CFukidasiDlg::~CFukidasiDlg() { Destroy(); }

RECT CFukidasiDlg::KeepInsideWorkArea(const RECT& window, const RECT& area) {
  RECT placed = window;
  if (placed.bottom > area.bottom) ::OffsetRect(&placed, 0, area.bottom - placed.bottom);
  if (placed.right > area.right) ::OffsetRect(&placed, area.right - placed.right, 0);
  return placed;
}

HRGN CFukidasiDlg::CreateShape(int dpi) {
  HRGN body = ::CreateRoundRectRgn(kBody.left, kBody.top, kBody.right, kBody.bottom, kCorner, kCorner);
  HRGN tail = ::CreatePolygonRgn(kTail, 3, ALTERNATE);
  if (body && tail) ::CombineRgn(body, body, tail, RGN_OR);
  if (tail) ::DeleteObject(tail);
  if (!body || ValidDpi(dpi) == kDefaultDpi) return body;
  const DWORD size = ::GetRegionData(body, 0, nullptr);
  std::vector<BYTE> data(size);
  auto* region = reinterpret_cast<RGNDATA*>(data.data());
  const FLOAT scale = static_cast<FLOAT>(ValidDpi(dpi)) / kDefaultDpi;
  const XFORM stretch{scale, 0, 0, scale, 0, 0};
  HRGN scaled = size && ::GetRegionData(body, size, region) ? ::ExtCreateRegion(&stretch, size, region) : nullptr;
  ::DeleteObject(body);
  return scaled;
}

bool CFukidasiDlg::OnInitDialog() {
  RECT screen = m_rect;
  HWND parent = m_parent.Handle();
  if (parent) ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&screen), 2);
  // The monitor of the browser, not the primary one; its work area leaves out the task bar.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  HWND browser = parent ? ::GetAncestor(parent, GA_ROOT) : nullptr;
  RECT area{};
  if (::GetMonitorInfoW(::MonitorFromWindow(browser, MONITOR_DEFAULTTONEAREST), &monitor))
    area = monitor.rcWork;
  else
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const RECT placed = KeepInsideWorkArea(screen, area);
  ::SetWindowPos(Handle(), nullptr, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (HRGN shape = CreateShape(m_dpi)) ::SetWindowRgn(Handle(), shape, TRUE);  // the window owns it now
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  ::SetCapture(Handle());
  return true;
}

bool CFukidasiDlg::PreTranslateMessage(MSG& msg) {
  if (!IsWindow()) return false;
  switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      EndDialog(1);
      return true;
    default:
      return false;
  }
}

void CFukidasiDlg::DrawCloseMark(HDC dc) const {
  HBRUSH frame = ::CreateSolidBrush(kOutlineColor);
  ::FrameRect(dc, &kCloseMark, frame);
  ::DeleteObject(frame);
  RECT inner = kCloseMark;
  ::InflateRect(&inner, -3, -3);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  ::MoveToEx(dc, inner.left, inner.top, nullptr);
  ::LineTo(dc, inner.right, inner.bottom);
  ::MoveToEx(dc, inner.left, inner.bottom - 1, nullptr);
  ::LineTo(dc, inner.right, inner.top - 1);
  ::SelectObject(dc, old);
}

void CFukidasiDlg::DrawContent(HDC dc) const {
  const UINT format = m_parent.GetClipboardGlyphFormat();
  if (format == 0 || (format != CF_BITMAP && format != m_parent.GlyphkeeperFormat())) return;
  HBITMAP glyph = nullptr;
  std::wstring reading;
  int radical = -1, strokes = -1;
  if (!ReadClipboardGlyph(format, &glyph, &reading, &radical, &strokes)) return;

  HFONT font = CreatePointFontForDpi(kFontPoints, kGothicFace, kDefaultDpi);  // scaled with the drawing
  HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
  ::SetTextColor(dc, RGB(0, 0, 0));
  DrawLine(dc, FormatText(L"ｸﾘｯﾌﾟﾎﾞｰﾄﾞ %s Data", format == CF_BITMAP ? L"Bitmap" : L"Glyphkeeper"), kTitle);

  const SIZE size = BitmapSize(glyph);
  const std::wstring values[] = {
      FormatText(L"サイズ：%d×%d", static_cast<int>(size.cx), static_cast<int>(size.cy)),
      L"部首CD：" + (radical > 0 ? std::to_wstring(radical - 1) : std::wstring()),
      L"画数  ：" + (strokes > 0 ? std::to_wstring(strokes) : std::wstring()),
      L"読み  ：" + reading,
  };
  ::SetTextColor(dc, kValueColor);
  for (int line = 0; line < 4; ++line)
    DrawLine(dc, values[line], RECT{kValueLeft, kValueTops[line], kValueRight, kValueBottom});

  // SRCAND: the glyph's 0 bits take the text colour (blue), its 1 bits white, which leaves
  // the balloon's colour.
  ::SetTextColor(dc, kGlyphColor);
  ::SetBkColor(dc, RGB(255, 255, 255));
  if (HDC memory = ::CreateCompatibleDC(dc)) {
    HGDIOBJ oldBitmap = ::SelectObject(memory, glyph);
    // Not scaled with the drawing: at the whole-number scale that fits left of the values.
    const XFORM identity{1, 0, 0, 1, 0, 0};
    if (m_dpi != kDefaultDpi) ::SetWorldTransform(dc, &identity);
    const int left = ScaleToDpi(kGlyphLeft, m_dpi), top = ScaleToDpi(kGlyphTop, m_dpi);
    const int room = std::min(ScaleToDpi(kValueLeft - 4, m_dpi) - left, ScaleToDpi(kBody.bottom - 4, m_dpi) - top);
    const int shown = kGlyphSize * GlyphScaleToFit(m_dpi, kGlyphSize, room);
    if (size.cx == shown && size.cy == shown) {
      ::BitBlt(dc, left, top, shown, shown, memory, 0, 0, SRCAND);
    } else {
      ::SetStretchBltMode(dc, size.cx < shown ? COLORONCOLOR : BLACKONWHITE);
      ::StretchBlt(dc, left, top, shown, shown, memory, 0, 0, size.cx, size.cy, SRCAND);
    }
    ::SelectObject(memory, oldBitmap);
    ::DeleteDC(memory);
  }
  ::DeleteObject(glyph);
  if (font) {
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
  }
}

void CFukidasiDlg::Draw(HDC dc) const {
  const int saved = ::SaveDC(dc);
  ::SetBkMode(dc, TRANSPARENT);
  if (HRGN shape = CreateShape(m_dpi)) {
    HBRUSH body = ::CreateSolidBrush(kBodyColor);
    HBRUSH outline = ::CreateSolidBrush(kOutlineColor);
    ::FillRgn(dc, shape, body);
    ::FrameRgn(dc, shape, outline, 1, 1);
    ::DeleteObject(outline);
    ::DeleteObject(body);
    ::DeleteObject(shape);
  }
  if (m_dpi != kDefaultDpi) {
    // The rest as at 96 dpi, scaled to the display.
    const FLOAT scale = static_cast<FLOAT>(m_dpi) / kDefaultDpi;
    const XFORM stretch{scale, 0, 0, scale, 0, 0};
    ::SetGraphicsMode(dc, GM_ADVANCED);
    ::SetWorldTransform(dc, &stretch);
  }
  if (m_closeMark) DrawCloseMark(dc);
  DrawContent(dc);
  ::RestoreDC(dc, saved);  // text colour, pen and font as they were
}

bool CFukidasiDlg::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(Handle(), &paint);
  Draw(dc);
  ::EndPaint(Handle(), &paint);
  return true;
}

LRESULT CFukidasiDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return TRUE;  // painting fills the whole shape
  if (msg == WM_DESTROY) {
    m_destroying = true;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
  }
  // Another window took the mouse (a system dialog, a window of another program): the
  // balloon no longer sees the click that would close it, so it closes now, and the
  // disabled main window comes back.
  if (msg == WM_CAPTURECHANGED && !m_destroying && reinterpret_cast<HWND>(lParam) != Handle()) EndDialog(1);
  return CDialog::WindowProc(msg, wParam, lParam);
}

}  // namespace moji
