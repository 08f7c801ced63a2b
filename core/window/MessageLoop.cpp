#include "MessageLoop.h"

#include "Window.h"

namespace moji {

bool CMessageLoop::PreTranslate(MSG& msg) {
  for (HWND hwnd = msg.hwnd; hwnd;) {
    if (CWindow* window = CWindow::FromHandle(hwnd)) {
      if (window->PreTranslateMessage(msg)) return true;
    }
    if (!(::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) break;
    hwnd = ::GetParent(hwnd);
  }
  return false;
}

bool CMessageLoop::IsIdleMessage(const MSG& msg) {
  static POINT lastMouse{-1, -1};
  static UINT lastMouseMessage = 0;
  if (msg.message == WM_PAINT || msg.message == 0x0118 /* system caret timer */) return false;
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    // A mouse that did not move gives no reason to update anything.
    if (lastMouseMessage == msg.message && lastMouse.x == msg.pt.x && lastMouse.y == msg.pt.y) return false;
    lastMouse = msg.pt;
    lastMouseMessage = msg.message;
  }
  return true;
}

void CMessageLoop::Idle() {
  for (auto& handler : m_idleHandlers) handler();
}

int CMessageLoop::Run() {
  bool idle = true;
  MSG msg;
  for (;;) {
    if (idle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      Idle();
      idle = false;
    }
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return -1;
    if (!PreTranslate(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (IsIdleMessage(msg)) idle = true;
  }
}

bool CMessageLoop::RunPending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (!PreTranslate(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  Idle();
  return true;
}

}  // namespace moji
