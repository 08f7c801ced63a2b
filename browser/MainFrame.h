// CMainFrame: the browser's main window. Menu, accelerators, toolbar (24 x 24 images) and
// a one-pane status bar around the form view; exactly as wide as the form and at least as
// tall (FrameGeometry.h); placement memory under BrowserWindowPos; the title
// "Mojiview　[ path ] w×h".
//
// Start-up order (CGlyphviewApp): Create, then the view, FitToForm, and once the document
// is set up RestoreHeight and SetBrowserTitle(L" - ", 64, 64).
#pragma once

#include <string>

#include "FrameGeometry.h"
#include "FrameWindow.h"

namespace moji {

class CGlyphviewApp;

class CMainFrame : public CFrameWindow {
 public:
  explicit CMainFrame(CGlyphviewApp& app) : m_app(app) {}

  // Creates the window: at the stored position when no other browser runs (40, 40 when
  // nothing is stored), else where the system puts it; no maximise box.
  bool Create();

  // Computes the fixed width and the minimum height around a form of `formSize` and sizes
  // the window to them without moving it.
  void FitToForm(SIZE formSize);
  // The stored height (BrowserWindowPos) when one was stored, at the fixed width, without
  // moving the window.
  void RestoreHeight();

  // Window text = string 130 "Mojiview　[ %s ] %d×%d" of the three values.
  void SetBrowserTitle(const std::wstring& path, int width, int height);

  const FrameSize& Size() const { return m_size; }
  // True while the user moves or sizes the window (the gaiji list draws no glyphs then).
  bool IsSizingOrMoving() const { return m_inSizeMove; }

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  bool OnCreate(CREATESTRUCTW* cs) override;
  bool OnClose() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnEndSession() override;
  // The range bar or form and the frame's size follow the new scale.
  void OnDpiChanged(int dpi, const RECT& suggested) override;

 private:
  void OnReloadNotification();
  // Only the last browser leaves its placement behind (not while minimised or maximised).
  void SavePlacement();

  CGlyphviewApp& m_app;
  FrameSize m_size;
  bool m_inSizeMove = false;
};

}  // namespace moji
