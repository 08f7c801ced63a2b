#include "FormView.h"

namespace moji {

bool CFormView::CreateView(HWND parent, UINT id) {
  if (!parent || !Create(parent)) return false;
  if (!(::GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD)) {
    Destroy();
    return false;
  }
  ::SetWindowLongPtrW(Handle(), GWLP_ID, static_cast<LONG_PTR>(id));
  RECT rect{};
  ::GetWindowRect(Handle(), &rect);
  m_formSize = SIZE{rect.right - rect.left, rect.bottom - rect.top};
  ::ShowWindow(Handle(), SW_SHOW);
  return true;
}

void CFormView::InitialUpdate() {
  if (m_initialUpdateDone || !Handle()) return;
  m_initialUpdateDone = true;
  OnInitialUpdate();
}

bool CFormView::PreTranslateMessage(MSG& msg) {
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
    // The dialog manager would take every key, so the frame's accelerators come first.
    if (CWindow* frame = FromHandle(::GetAncestor(Handle(), GA_ROOT)); frame && frame != this)
      if (frame->PreTranslateMessage(msg)) return true;
    return CDialog::PreTranslateMessage(msg);
  }
  return false;
}

}  // namespace moji
