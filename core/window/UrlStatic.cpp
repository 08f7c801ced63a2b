#include "UrlStatic.h"

#include <shellapi.h>

#include "OleSession.h"

namespace moji {

CUrlStatic::CUrlStatic() {
  HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  m_cursor = static_cast<HCURSOR>(::CopyImage(hand ? hand : ::LoadCursorW(nullptr, IDC_ARROW), IMAGE_CURSOR, 0, 0, 0));
  m_brush = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
}

CUrlStatic::~CUrlStatic() {
  // The control must not keep a font that is about to be freed.
  if (m_font && IsWindow() && reinterpret_cast<HFONT>(Send(WM_GETFONT)) == m_font) Send(WM_SETFONT, 0, FALSE);
  if (m_font) ::DeleteObject(m_font);
  if (m_brush) ::DeleteObject(m_brush);
  if (m_cursor) ::DestroyCursor(m_cursor);
}

bool CUrlStatic::OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
  if (msg != WM_CTLCOLORSTATIC) return false;
  if (!m_font) {
    HFONT current = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    LOGFONTW font{};
    if (::GetObjectW(current ? static_cast<HGDIOBJ>(current) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof font,
                     &font)) {
      font.lfUnderline = TRUE;
      m_font = ::CreateFontIndirectW(&font);
      if (m_font) {
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        ::InvalidateRect(Handle(), nullptr, TRUE);
      }
    }
  }
  HDC dc = reinterpret_cast<HDC>(wParam);
  ::SetTextColor(dc, kLinkColor);
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  result = reinterpret_cast<LRESULT>(m_brush);
  return true;
}

LRESULT CUrlStatic::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && m_cursor) {
    ::SetCursor(m_cursor);
    return TRUE;
  }
  if (msg == WM_LBUTTONUP) {
    if (m_action) {
      m_action();
    } else if (const std::wstring target = GetText(); !target.empty()) {
      OpenLink(target);
    }
  }
  return CWindow::WindowProc(msg, wParam, lParam);
}

void CUrlStatic::OpenLink(const std::wstring& target) {
  EnsureOle();  // the shell may hand the link to an extension
  ::ShellExecuteW(Handle(), L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace moji
