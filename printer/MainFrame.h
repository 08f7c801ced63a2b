// CMainFrame: the printer's main window: menu, accelerators and toolbar around the range
// bar (CGlyphsheetView). Its size is fixed to the form; while the print preview is shown
// inside it, it grows to the preview height stored under GkpPrintSettings (500 pixels when
// none) and can only be made taller; at the end of the preview the height is stored and
// the fixed size comes back. The position is stored on close (CodePrintWindowPos).
#pragma once

#include <memory>

#include "FrameGeometry.h"
#include "FrameWindow.h"
#include "PrintPreviewWnd.h"

namespace moji {

class CGlyphsheetApp;

class CMainFrame : public CFrameWindow {
 public:
  static constexpr int kDefaultPreviewHeight = 500;  // pixels of 96 dpi, scaled to the display

  explicit CMainFrame(CGlyphsheetApp& app);
  ~CMainFrame() override;

  // Creates the window at the stored position (40, 40 when none); no maximise box.
  bool Create();
  // Fixes the window's size around a form of `formSize` and resizes it without moving.
  void FitToForm(SIZE formSize);

  // The print preview command: the view's job in the preview window.
  void ShowPreview();
  bool InPreview() const { return m_inPreview; }
  // Called by the view's print job when a preview begins and ends.
  void OnPreviewBegin();
  void OnPreviewEnd();
  // Closes an open preview (its job ends).
  void EndPreview();
  // Stores the window's position (CodePrintWindowPos).
  void SavePlacement();

 protected:
  bool OnCreate(CREATESTRUCTW* cs) override;
  bool OnClose() override;
  void OnSize(UINT type, int width, int height) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnEndSession() override;
  // The range bar or form and the frame's size follow the new scale.
  void OnDpiChanged(int dpi, const RECT& suggested) override;

 private:
  void ShowFrameContents(bool show);
  std::wstring PreviewHeightKey() const;

  CGlyphsheetApp& m_app;
  FrameSize m_size;
  bool m_inPreview = false;
  std::unique_ptr<CPrintPreviewWnd> m_preview;
};

}  // namespace moji
