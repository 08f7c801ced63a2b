// CImeModeEdit: an edit control (subclassed from a dialog template) that puts the input
// method into a fixed mode (CImeCtrl::SetMode) when it gets the focus, then selects its
// whole text; losing the focus removes the selection. No character filtering: the mode
// of the input method is the restriction. See CHankakuEdit and CHirakanaEdit.
#pragma once

#include "Window.h"

namespace moji {

class CImeModeEdit : public CWindow {
 public:
  explicit CImeModeEdit(int imeMode) : m_imeMode(imeMode) {}
  int ImeMode() const { return m_imeMode; }

 protected:
  bool OnSetFocus(HWND previous) override;
  bool OnKillFocus(HWND next) override;

 private:
  int m_imeMode;
};

}  // namespace moji
