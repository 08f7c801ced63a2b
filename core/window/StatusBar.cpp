#include "StatusBar.h"

#include <commctrl.h>

#include <vector>

#include "Dpi.h"

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
  m_defaultFont = reinterpret_cast<HFONT>(Send(WM_GETFONT));
  UpdateFontForDpi();
  return true;
}

void CStatusBar::UpdateFontForDpi() {
  if (!Handle()) return;
  const int dpi = WindowDpi(Handle()), system = SystemDpi();
  UniqueFont scaled(dpi == system ? nullptr : CreateRescaledFont(m_defaultFont, system, dpi));
  if (!scaled && !m_scaledFont) return;  // the control keeps the font it has
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(scaled ? scaled.get() : m_defaultFont), TRUE);
  m_scaledFont = std::move(scaled);  // the old one only after the control let it go
  Reposition();
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
