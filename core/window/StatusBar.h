// CStatusBar: a status bar control with one pane and a size grip, at the bottom of its
// parent. The frame writes command prompts and the idle text into it.
#pragma once

#include <string>

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
};

}  // namespace moji
