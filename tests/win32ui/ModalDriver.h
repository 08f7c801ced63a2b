// Drives modal loops from inside the test: a thread timer watches for the first visible,
// enabled top-level window of a class (a dialog "#32770", a popup menu "#32768") on this
// thread and runs an action on it once. The modal loop under test dispatches the timer.
// A window that does not appear within a few seconds ends every menu and dialog of the
// thread instead (Done() stays false), so a failing test cannot hang.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace moji::test {

class ModalDriver {
 public:
  ModalDriver(std::wstring className, std::function<void(HWND)> action)
      : m_className(std::move(className)), m_action(std::move(action)) {
    s_active = this;
    m_timer = ::SetTimer(nullptr, 0, 30, OnTimer);
  }
  ~ModalDriver() {
    if (m_timer) ::KillTimer(nullptr, m_timer);
    s_active = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  bool Done() const { return m_done; }
  HWND Window() const { return m_window; }

 private:
  static BOOL CALLBACK Find(HWND window, LPARAM param) {
    auto* self = reinterpret_cast<ModalDriver*>(param);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (self->m_className != name || !::IsWindowVisible(window) || !::IsWindowEnabled(window)) return TRUE;
    self->m_window = window;
    return FALSE;
  }
  static BOOL CALLBACK Cancel(HWND window, LPARAM) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"#32770" && ::IsWindowVisible(window)) ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = s_active;
    if (!self || self->m_done) return;
    ::EnumThreadWindows(::GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(self));
    if (!self->m_window) {
      if (++self->m_ticks < kGiveUpTicks) return;
      ::KillTimer(nullptr, self->m_timer);
      self->m_timer = 0;
      ::EndMenu();
      ::EnumThreadWindows(::GetCurrentThreadId(), Cancel, 0);
      return;
    }
    self->m_done = true;
    ::KillTimer(nullptr, self->m_timer);
    self->m_timer = 0;
    self->m_action(self->m_window);
  }

  static constexpr int kGiveUpTicks = 150;  // about 5 s
  static inline ModalDriver* s_active = nullptr;
  int m_ticks = 0;
  std::wstring m_className;
  std::function<void(HWND)> m_action;
  UINT_PTR m_timer = 0;
  bool m_done = false;
  HWND m_window = nullptr;
};

}  // namespace moji::test
