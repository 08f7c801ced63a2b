// CStatusBar: a status bar control with one pane and a size grip, at the bottom of its
// parent. The frame writes command prompts and the idle text into it.
#pragma once

#include <string>

#include "PointFont.h"
#include "Window.h"

namespace moji {

class CStatusBar : public CWindow {
 public:
  static constexpr UINT kDefaultId = 0xE801;

  bool Create(HWND parent, UINT controlId = kDefaultId);
  void SetPaneText(const std::wstring& text) const;
  std::wstring PaneText() const;
  int Height() const;
  // Places the control at the bottom of its parent (it sizes itself on WM_SIZE).
  void Reposition() const { Send(WM_SIZE); }
  // Gives the control a font for its display: its default font is made for the system dpi,
  // so on a monitor of another scale it gets that font rescaled (and its own again on one of
  // the system's scale).
  void UpdateFontForDpi();

 private:
  HFONT m_defaultFont = nullptr;
  UniqueFont m_scaledFont;
};

}  // namespace moji
