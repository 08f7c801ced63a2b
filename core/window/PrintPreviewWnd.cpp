#include "PrintPreviewWnd.h"

#include <algorithm>
#include <string>
#include <utility>

#include "CoreRes.h"
#include "Message.h"
#include "PointFont.h"

namespace moji {

namespace {

constexpr int kMargin = 8;          // around the buttons and the pages, in pixels of 96 dpi
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 4;
constexpr int kButtonPoints = 9;
constexpr int kMaxZoom = 4;
constexpr int kScrollStep = 32;

struct ButtonText {
  UINT id;
  UINT text;
};
constexpr ButtonText kButtons[] = {
    {CPrintPreviewWnd::kPrintButton, IDS_PREVIEW_PRINT},     {CPrintPreviewWnd::kNextButton, IDS_PREVIEW_NEXT},
    {CPrintPreviewWnd::kPrevButton, IDS_PREVIEW_PREV},       {CPrintPreviewWnd::kPagesButton, IDS_PREVIEW_TWO_PAGES},
    {CPrintPreviewWnd::kZoomInButton, IDS_PREVIEW_ZOOM_IN},  {CPrintPreviewWnd::kZoomOutButton, IDS_PREVIEW_ZOOM_OUT},
    {CPrintPreviewWnd::kCloseButton, IDS_PREVIEW_CLOSE},
};

}  // namespace

CPrintPreviewWnd::CPrintPreviewWnd(CPrintService& printing, CPrintView& view, PagePainter painter,
                                   std::function<void()> print, std::function<void()> closed)
    : m_printing(printing),
      m_view(view),
      m_painter(std::move(painter)),
      m_print(std::move(print)),
      m_closed(std::move(closed)) {}

CPrintPreviewWnd::~CPrintPreviewWnd() {
  Close();
  if (m_buttonFont) ::DeleteObject(m_buttonFont);
}

bool CPrintPreviewWnd::Open(HWND frame) {
  if (m_open) return true;
  m_info = CPrintInfo{};
  m_info.preview = true;
  if (!m_view.OnPreparePrinting(m_info) || !m_info.dc) {
    if (m_info.dc) ::DeleteDC(m_info.dc);
    m_info.dc = nullptr;
    return false;
  }
  m_open = true;
  m_view.OnBeginPrinting(m_info.dc, m_info);
  m_page = std::clamp(1, m_info.minPage, m_info.maxPage);
  m_zoom = 1;
  m_scroll = POINT{};
  static const wchar_t* windowClass = RegisterWindowClass(L"MojiPrintPreview", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                          nullptr, ::LoadCursorW(nullptr, IDC_ARROW),
                                                          reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
  RECT client{};
  ::GetClientRect(frame, &client);
  if (!CreateEx(0, windowClass, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0,
                client.right, client.bottom, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xE900 + 1)))) {
    Close();
    return false;
  }
  CreateButtons();
  LayoutButtons();
  FitToFrame();
  UpdateControls();
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetFocus(Handle());
  return true;
}

void CPrintPreviewWnd::Close() {
  if (!m_open) return;
  m_open = false;
  m_view.OnEndPrinting(m_info.dc, m_info);
  ::DeleteDC(m_info.dc);
  m_info.dc = nullptr;
  if (IsWindow()) Destroy();
  if (m_closed) m_closed();
}

void CPrintPreviewWnd::CreateButtons() {
  if (!m_buttonFont) m_buttonFont = CreatePointFontForWindow(kButtonPoints, L"ＭＳ Ｐゴシック", Handle());
  for (const ButtonText& button : kButtons) {
    HWND control = ::CreateWindowExW(0, L"BUTTON", LoadResourceString(button.text).c_str(),
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10, Handle(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), ::GetModuleHandleW(nullptr),
                                     nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_buttonFont), FALSE);
  }
  HWND pageText = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX,
                                    0, 0, 10, 10, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageText)),
                                    ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(pageText, WM_SETFONT, reinterpret_cast<WPARAM>(m_buttonFont), FALSE);
  // The scroll bars of the page area (not of the whole window, whose top is the button bar);
  // shown only while the pages do not fit.
  for (const auto [id, style] : {std::pair{kHorzScrollBar, SBS_HORZ}, std::pair{kVertScrollBar, SBS_VERT}})
    ::CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | style, 0, 0, 10, 10, Handle(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  m_buttonBarHeight = Px(kButtonHeight + 2 * kMargin);
}

void CPrintPreviewWnd::LayoutButtons() {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  HDC dc = ::GetDC(Handle());
  HGDIOBJ old = ::SelectObject(dc, m_buttonFont);
  const auto textWidth = [dc](const std::wstring& text) {
    RECT measure{};
    ::DrawTextW(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    return static_cast<int>(measure.right);
  };
  // Left to right, a new row where the next one does not fit.
  const int margin = Px(kMargin), gap = Px(kButtonGap), height = Px(kButtonHeight);
  int x = margin, y = margin;
  const auto place = [&](HWND control, int width) {
    if (x > margin && x + width > client.right - margin) {
      x = margin;
      y += height + gap;
    }
    ::MoveWindow(control, x, y, width, height, TRUE);
    x += width + gap;
  };
  for (const ButtonText& button : kButtons) {
    HWND control = ::GetDlgItem(Handle(), static_cast<int>(button.id));
    wchar_t text[64] = {};
    ::GetWindowTextW(control, text, 64);
    place(control, std::max(textWidth(text) + Px(16), Px(60)));
  }
  // Room for the longest page number of this job, so that paging never moves the bar.
  const int last = std::max(1, m_info.maxPage);
  place(::GetDlgItem(Handle(), static_cast<int>(kPageText)),
        textWidth(FormatResource(IDS_PREVIEW_PAGES, last, last, last)) + 2 * gap);
  m_buttonBarHeight = y + height + margin;
  ::SelectObject(dc, old);
  ::ReleaseDC(Handle(), dc);
}

void CPrintPreviewWnd::FitToFrame() {
  if (!IsWindow()) return;
  RECT client{};
  ::GetClientRect(::GetParent(Handle()), &client);
  ::MoveWindow(Handle(), 0, 0, client.right, client.bottom, TRUE);
}

void CPrintPreviewWnd::OnSize(UINT, int, int) {
  LayoutButtons();
  UpdateScrollBars();
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

RECT CPrintPreviewWnd::FullPageArea() const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  client.top = std::min<LONG>(client.bottom, m_buttonBarHeight);
  return client;
}

RECT CPrintPreviewWnd::PageArea() const {
  RECT area = FullPageArea();
  if (m_scrollBars.cx) area.right = std::max(area.left, area.right - ::GetSystemMetrics(SM_CXVSCROLL));
  if (m_scrollBars.cy) area.bottom = std::max(area.top, area.bottom - ::GetSystemMetrics(SM_CYHSCROLL));
  return area;
}

SIZE CPrintPreviewWnd::DrawingSize() const {
  // One page as large as the area allows at zoom 1, with the printer's proportions: the area
  // without scroll bars, which a page at zoom 1 never needs.
  const RECT area = FullPageArea();
  const int pageWidth = std::max(1, ::GetDeviceCaps(m_info.dc, HORZRES));
  const int pageHeight = std::max(1, ::GetDeviceCaps(m_info.dc, VERTRES));
  const int shown = m_twoPages ? 2 : 1;
  const int availWidth = std::max<int>(1, (area.right - area.left - (shown + 1) * Px(kMargin)) / shown);
  const int availHeight = std::max<int>(1, area.bottom - area.top - 2 * Px(kMargin));
  int height = availHeight;
  int width = ::MulDiv(height, pageWidth, pageHeight);
  if (width > availWidth) {
    width = availWidth;
    height = ::MulDiv(width, pageHeight, pageWidth);
  }
  return SIZE{width * m_zoom, height * m_zoom};
}

SIZE CPrintPreviewWnd::TotalSize() const {
  const SIZE page = DrawingSize();
  const int shown = m_twoPages ? 2 : 1;
  return SIZE{shown * page.cx + (shown + 1) * Px(kMargin), page.cy + 2 * Px(kMargin)};
}

POINT CPrintPreviewWnd::DrawingOrigin() const {
  // Centred while smaller than the area, else where the scroll bars say.
  const RECT area = PageArea();
  const SIZE total = TotalSize();
  const auto start = [](LONG from, LONG room, LONG size, LONG scroll) {
    return size < room ? from + (room - size) / 2 : from - scroll;
  };
  return POINT{start(area.left, area.right - area.left, total.cx, m_scroll.x),
               start(area.top, area.bottom - area.top, total.cy, m_scroll.y)};
}

void CPrintPreviewWnd::UpdateScrollBars() {
  const RECT full = FullPageArea();
  const SIZE total = TotalSize();
  const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL), cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
  // A bar takes room from the other direction, which may then need its bar too.
  bool horz = false, vert = false;
  for (int pass = 0; pass < 2; ++pass) {
    horz = total.cx > full.right - full.left - (vert ? cxBar : 0);
    vert = total.cy > full.bottom - full.top - (horz ? cyBar : 0);
  }
  m_scrollBars = SIZE{vert ? 1 : 0, horz ? 1 : 0};
  const RECT area = PageArea();
  const int viewWidth = area.right - area.left, viewHeight = area.bottom - area.top;
  m_scroll.x = horz ? std::clamp<LONG>(m_scroll.x, 0, std::max<LONG>(0, total.cx - viewWidth)) : 0;
  m_scroll.y = vert ? std::clamp<LONG>(m_scroll.y, 0, std::max<LONG>(0, total.cy - viewHeight)) : 0;

  HWND horzBar = ::GetDlgItem(Handle(), static_cast<int>(kHorzScrollBar));
  HWND vertBar = ::GetDlgItem(Handle(), static_cast<int>(kVertScrollBar));
  ::MoveWindow(horzBar, area.left, area.bottom, viewWidth, cyBar, TRUE);
  ::MoveWindow(vertBar, area.right, area.top, cxBar, viewHeight, TRUE);
  SCROLLINFO info{sizeof info, SIF_ALL, 0, total.cx - 1, static_cast<UINT>(std::max(1, viewWidth)), m_scroll.x, 0};
  ::SetScrollInfo(horzBar, SB_CTL, &info, TRUE);
  info.nMax = total.cy - 1;
  info.nPage = static_cast<UINT>(std::max(1, viewHeight));
  info.nPos = m_scroll.y;
  ::SetScrollInfo(vertBar, SB_CTL, &info, TRUE);
  ::ShowWindow(horzBar, horz ? SW_SHOWNA : SW_HIDE);
  ::ShowWindow(vertBar, vert ? SW_SHOWNA : SW_HIDE);
}

void CPrintPreviewWnd::Scroll(int bar, UINT request) {
  HWND control = ::GetDlgItem(Handle(), static_cast<int>(bar == SB_HORZ ? kHorzScrollBar : kVertScrollBar));
  if (!::IsWindowVisible(control)) return;  // the pages fit that way
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ::GetScrollInfo(control, SB_CTL, &info);
  int pos = info.nPos;
  switch (request) {
    case SB_LINEUP: pos -= kScrollStep; break;
    case SB_LINEDOWN: pos += kScrollStep; break;
    case SB_PAGEUP: pos -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    default: return;
  }
  (bar == SB_HORZ ? m_scroll.x : m_scroll.y) = pos;
  UpdateScrollBars();
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

bool CPrintPreviewWnd::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(Handle(), &paint);
  const RECT area = PageArea();
  // The bar in the colour of the buttons, set off from the pages by an etched line.
  RECT bar = FullPageArea();
  bar.bottom = bar.top;
  bar.top = 0;
  ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_BTNFACE));
  ::DrawEdge(dc, &bar, EDGE_ETCHED, BF_BOTTOM);
  const SIZE page = DrawingSize();
  ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  const int shown = ShownPages();
  const POINT origin = DrawingOrigin();
  for (int i = 0; i < shown; ++i) {
    const int left = origin.x + Px(kMargin) + i * (page.cx + Px(kMargin));
    const int top = origin.y + Px(kMargin);
    RECT sheet{left, top, left + page.cx, top + page.cy};
    RECT shadow = sheet;
    ::OffsetRect(&shadow, Px(3), Px(3));
    ::FillRect(dc, &shadow, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::FillRect(dc, &sheet, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const int saved = ::SaveDC(dc);
    m_painter(dc, m_info.dc, POINT{sheet.left, sheet.top}, page, m_page + i);
    ::RestoreDC(dc, saved);
  }
  ::EndPaint(Handle(), &paint);
  return true;
}

int CPrintPreviewWnd::ShownPages() const { return m_twoPages && m_page + 1 <= m_info.maxPage ? 2 : 1; }

void CPrintPreviewWnd::GoToPage(int page) {
  const int last = m_twoPages ? std::max(1, m_info.maxPage - 1) : m_info.maxPage;
  page = std::clamp(page, 1, std::max(1, last));
  if (page == m_page) return;
  m_page = page;
  UpdateControls();
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CPrintPreviewWnd::SetZoom(int zoom) {
  zoom = std::clamp(zoom, 1, kMaxZoom);
  if (zoom == m_zoom) return;
  m_zoom = zoom;
  m_scroll = POINT{};
  UpdateScrollBars();
  UpdateControls();
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CPrintPreviewWnd::UpdateControls() {
  const auto enable = [this](UINT id, bool on) { ::EnableWindow(::GetDlgItem(Handle(), static_cast<int>(id)), on); };
  const int last = m_twoPages ? m_info.maxPage - 1 : m_info.maxPage;
  enable(kNextButton, m_page < last);
  enable(kPrevButton, m_page > 1);
  enable(kPagesButton, m_info.maxPage > 1 && m_zoom == 1);
  enable(kZoomInButton, m_zoom < kMaxZoom);
  enable(kZoomOutButton, m_zoom > 1);
  ::SetDlgItemTextW(Handle(), static_cast<int>(kPagesButton),
                    LoadResourceString(m_twoPages ? IDS_PREVIEW_ONE_PAGE : IDS_PREVIEW_TWO_PAGES).c_str());
  const std::wstring pageText = ShownPages() == 2 ? FormatResource(IDS_PREVIEW_PAGES, m_page, m_page + 1, m_info.maxPage)
                                                  : FormatResource(IDS_PREVIEW_PAGE, m_page, m_info.maxPage);
  ::SetDlgItemTextW(Handle(), static_cast<int>(kPageText), pageText.c_str());
  // A disabled button that had the focus would leave the keys nowhere.
  HWND focus = ::GetFocus();
  if (focus && ::GetParent(focus) == Handle() && !::IsWindowEnabled(focus)) ::SetFocus(Handle());
}

bool CPrintPreviewWnd::OnCommand(UINT id, UINT code, HWND control) {
  if (code != BN_CLICKED) return CWindow::OnCommand(id, code, control);
  switch (id) {
    case kPrintButton: {
      auto print = m_print;  // Close may end this object's owner's interest in it
      Close();
      if (print) print();
      return true;
    }
    case kNextButton: GoToPage(m_page + 1); return true;
    case kPrevButton: GoToPage(m_page - 1); return true;
    case kPagesButton:
      m_twoPages = !m_twoPages;
      GoToPage(std::min(m_page, m_twoPages ? std::max(1, m_info.maxPage - 1) : m_info.maxPage));
      UpdateScrollBars();
      UpdateControls();
      ::InvalidateRect(Handle(), nullptr, TRUE);
      return true;
    case kZoomInButton: SetZoom(m_zoom * 2); return true;
    case kZoomOutButton: SetZoom(m_zoom / 2); return true;
    case kCloseButton: Close(); return true;
    default: return CWindow::OnCommand(id, code, control);
  }
}

bool CPrintPreviewWnd::PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  switch (msg.wParam) {
    case VK_NEXT: GoToPage(m_page + (m_twoPages ? 2 : 1)); return true;
    case VK_PRIOR: GoToPage(m_page - (m_twoPages ? 2 : 1)); return true;
    case VK_ESCAPE: Close(); return true;
    default: return false;
  }
}

LRESULT CPrintPreviewWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN); return 0;
    case WM_LBUTTONDOWN: ::SetFocus(Handle()); return 0;
    default: break;
  }
  return CWindow::WindowProc(msg, wParam, lParam);
}

}  // namespace moji
