// CFukidasiDlg (template IDD_FUKIDASI): the speech-balloon popup that shows what the
// clipboard holds as a gaiji: the glyph in blue, its size and, for a record of the gaiji
// management program, its radical code, stroke count and reading. The clipboard is read
// again at every paint. The balloon holds the mouse capture; the first button press (in
// or out of it) or key press ends the modal run with 1.
//
//   CFukidasiDlg balloon(grid, 64, -48, true);   // anchor in the grid's client coordinates
//   balloon.DoModal(grid.Handle());
#pragma once

#include "Dialog.h"
#include "DisplayScale.h"

namespace moji {

class CBrowserGaijiListCtrl;

class CFukidasiDlg : public CDialog {
 public:
  static constexpr int kWidth = 244;
  static constexpr int kHeight = 102;
  static constexpr COLORREF kBodyColor = 0xFFF0F0;
  static constexpr COLORREF kOutlineColor = 0xC0C0C0;
  static constexpr COLORREF kValueColor = 0x008000;  // green
  static constexpr COLORREF kGlyphColor = 0xFF0000;  // blue

  CFukidasiDlg(CBrowserGaijiListCtrl& parent, int anchorX, int anchorY, bool closeMark);
  ~CFukidasiDlg() override;

  // `window` (screen coordinates) moved up and left so that its bottom and right edge do
  // not pass those of `area`; the upper and left edges are left alone. The balloon keeps
  // inside the work area of the monitor that holds the browser's main window.
  static RECT KeepInsideWorkArea(const RECT& window, const RECT& area);

  // The balloon's shape: the rounded body united with the tail (window coordinates), its
  // sizes of 96 dpi scaled to `dpi`.
  static HRGN CreateShape(int dpi = kDefaultDpi);

  // Paints the whole balloon into `dc` (window coordinates).
  void Draw(HDC dc) const;

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  bool OnInitDialog() override;
  bool OnPaint() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void DrawCloseMark(HDC dc) const;
  void DrawContent(HDC dc) const;

  CBrowserGaijiListCtrl& m_parent;
  bool m_destroying = false;  // releasing the capture while going must not end it again
  int m_dpi;  // of the grid's display: the balloon is drawn as at 96 dpi and scaled to it
  RECT m_rect;  // in the parent's client coordinates
  bool m_closeMark;
};

}  // namespace moji
