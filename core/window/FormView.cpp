#include "FormView.h"

#include <utility>
#include <vector>

#include "Dpi.h"

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
  m_dpi = WindowDpi(Handle());
  ::ShowWindow(Handle(), SW_SHOW);
  return true;
}

void CFormView::RescaleForDpi() {
  const int dpi = WindowDpi(Handle());
  if (!Handle() || dpi == m_dpi) return;
  const auto scale = [&](LONG value) { return ::MulDiv(value, dpi, m_dpi); };
  std::vector<std::pair<HWND, RECT>> controls;
  for (HWND child = ::GetWindow(Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
    controls.emplace_back(child, rect);
  }
  RECT client{};
  ::GetClientRect(Handle(), &client);
  // The form first, so that whatever its size change moves is placed again below.
  ::SetWindowPos(Handle(), nullptr, 0, 0, scale(client.right), scale(client.bottom),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  UniqueFont scaled(CreateRescaledFont(font, m_dpi, dpi));
  for (const auto& [child, rect] : controls) {
    ::SetWindowPos(child, nullptr, scale(rect.left), scale(rect.top), scale(rect.right - rect.left),
                   scale(rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
    if (scaled && reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)) == font)
      ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.get()), TRUE);
  }
  if (scaled) {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(scaled.get()), FALSE);
    m_scaledFont = std::move(scaled);  // the previous one only once no control uses it
  }
  m_formSize = SIZE{scale(m_formSize.cx), scale(m_formSize.cy)};
  m_dpi = dpi;
  OnDpiChanged(dpi);
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
