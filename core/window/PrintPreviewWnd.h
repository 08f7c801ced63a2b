// CPrintPreviewWnd: the print preview of a view, shown inside its frame over the frame's
// client area. It runs the view's print job in preview mode (CPrintService, CPrintView):
// prepare with the chosen or default printer, begin with that printer as attribute device,
// one page drawing per page shown, end when the preview closes.
//
// A bar at the top: the buttons print, next page, previous page, one / two pages, zoom in,
// zoom out, close, then the page or pages on view and the page count ("1 / 20 ﾍﾟｰｼﾞ",
// "1～2 / 20 ﾍﾟｰｼﾞ"), in as many rows as the width needs (texts IDS_PREVIEW_* of
// CoreRes.h); Page Down / Page Up turn the pages, Esc closes. Below, the page (or two) on a grey ground, as large as the window allows at
// zoom 1 and 2 or 4 times that when zoomed in, scrolled with the page area's scroll bars, each
// shown only while the pages do not fit that way.
#pragma once

#include <windows.h>

#include <functional>

#include "Dpi.h"
#include "PrintService.h"
#include "Window.h"

namespace moji {

class CPrintPreviewWnd : public CWindow {
 public:
  // Draws `page` into `viewport` at `origin` of `dc`, with the printer as `attribute`.
  using PagePainter = std::function<void(HDC dc, HDC attribute, POINT origin, SIZE viewport, int page)>;

  // `print` is run by the print button after the preview has closed (the program's print
  // command); `closed` after every close.
  CPrintPreviewWnd(CPrintService& printing, CPrintView& view, PagePainter painter, std::function<void()> print,
                   std::function<void()> closed);
  ~CPrintPreviewWnd() override;

  // Runs the preparation of the job and shows the preview over `frame`'s client area.
  // False when the job was not prepared (nothing is shown then).
  bool Open(HWND frame);
  // Ends the job and destroys the window.
  void Close();
  bool IsOpen() const { return m_open; }

  int Page() const { return m_page; }
  int PageCount() const { return m_info.maxPage; }
  bool TwoPages() const { return m_twoPages; }
  int Zoom() const { return m_zoom; }

  // Places the window over the client area of its frame (after the frame changed its size).
  void FitToFrame();

  bool PreTranslateMessage(MSG& msg) override;

  // Control ids of the buttons.
  enum : UINT {
    kPrintButton = 0x7100, kNextButton, kPrevButton, kPagesButton, kZoomInButton, kZoomOutButton, kCloseButton,
    kPageText,  // the page number (a static text)
    kHorzScrollBar, kVertScrollBar  // the page area's scroll bars
  };

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  void OnSize(UINT type, int width, int height) override;
  bool OnPaint() override;

 private:
  // `pixels96` pixels of 96 dpi on the preview's display: buttons, margins, shadows.
  int Px(int pixels96) const { return ScaleForWindow(Handle(), pixels96); }
  void CreateButtons();
  // Places the buttons and the page number in rows across the window; sets the bar height.
  void LayoutButtons();
  // 2 when two pages are on view, else 1.
  int ShownPages() const;
  void GoToPage(int page);
  void SetZoom(int zoom);
  void UpdateControls();
  // The area below the buttons, without and with the scroll bars on view, and the size of
  // the drawing of all shown pages in it.
  RECT FullPageArea() const;
  RECT PageArea() const;
  SIZE DrawingSize() const;
  // The size of the shown pages with their margins, and where that drawing starts.
  SIZE TotalSize() const;
  POINT DrawingOrigin() const;
  void UpdateScrollBars();
  void Scroll(int bar, UINT request);

  CPrintService& m_printing;
  CPrintView& m_view;
  PagePainter m_painter;
  std::function<void()> m_print;
  std::function<void()> m_closed;
  CPrintInfo m_info;
  HFONT m_buttonFont = nullptr;
  int m_buttonBarHeight = 0;
  int m_page = 1;
  bool m_twoPages = false;
  int m_zoom = 1;  // 1, 2 or 4
  POINT m_scroll{};
  SIZE m_scrollBars{};  // cx: the vertical bar is on view, cy: the horizontal one
  bool m_open = false;
};

}  // namespace moji
