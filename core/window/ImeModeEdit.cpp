#include "ImeModeEdit.h"

#include "ImeCtrl.h"

namespace moji {

bool CImeModeEdit::OnSetFocus(HWND) {
  Default();
  if (IsWindow() && m_imeMode != CImeCtrl::kImeNone) {
    CImeCtrl ime(Handle());
    ime.SetMode(m_imeMode);
  }
  Send(EM_SETSEL, 0, -1);
  Send(EM_SCROLLCARET);
  return true;
}

bool CImeModeEdit::OnKillFocus(HWND) {
  Default();
  Send(EM_SETSEL, static_cast<WPARAM>(-1), 0);  // start -1: no selection
  Send(EM_SCROLLCARET);
  return true;
}

}  // namespace moji
