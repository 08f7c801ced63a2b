#include "StatusBar.h"

#include <commctrl.h>

#include <vector>

namespace moji {

bool CStatusBar::Create(HWND parent, UINT controlId) {
  if (Handle()) return false;
  HWND hwnd = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)),
                                ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  if (!SubclassWindow(hwnd)) {
    ::DestroyWindow(hwnd);
    return false;
  }
  int right = -1;
  Send(SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
  return true;
}

void CStatusBar::SetPaneText(const std::wstring& text) const {
  if (Handle()) Send(SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CStatusBar::PaneText() const {
  if (!Handle()) return {};
  const LRESULT info = Send(SB_GETTEXTLENGTHW, 0);
  std::vector<wchar_t> buffer(static_cast<size_t>(LOWORD(info)) + 1, L'\0');
  Send(SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(buffer.data()));
  return std::wstring(buffer.data());
}

int CStatusBar::Height() const {
  RECT rect{};
  if (!Handle() || !::GetWindowRect(Handle(), &rect)) return 0;
  return rect.bottom - rect.top;
}

}  // namespace moji
