#include "FrameWindow.h"

#include <commctrl.h>

#include "CoreRes.h"
#include "Dpi.h"
#include "Message.h"

namespace moji {

bool CFrameWindow::Create(UINT resourceId, const std::wstring& title, DWORD style, int x, int y, int width,
                          int height, DWORD exStyle) {
  if (Handle()) return false;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const wchar_t* windowClass = RegisterWindowClass(L"MojiFrame", CS_DBLCLKS, nullptr, nullptr,
                                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  HMENU menu = ::LoadMenuW(instance, MAKEINTRESOURCEW(resourceId));
  m_accelerators = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId));
  if (!CreateEx(exStyle, windowClass, title.c_str(), style, x, y, width, height, nullptr, menu)) {
    if (menu) ::DestroyMenu(menu);
    return false;
  }
  m_menu = menu;
  m_iconId = resourceId;
  SetIconsForDpi();
  RecalcLayout();
  return true;
}

void CFrameWindow::SetIconsForDpi() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const int dpi = WindowDpi(Handle());
  const int big = SystemMetricForDpi(SM_CXICON, dpi), small = SystemMetricForDpi(SM_CXSMICON, dpi);
  if (HANDLE icon = ::LoadImageW(instance, MAKEINTRESOURCEW(m_iconId), IMAGE_ICON, big, big, LR_SHARED))
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  if (HANDLE icon = ::LoadImageW(instance, MAKEINTRESOURCEW(m_iconId), IMAGE_ICON, small, small, LR_SHARED))
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

bool CFrameWindow::CreateStatusBar() {
  if (!m_statusBar.Create(Handle())) return false;
  ShowIdlePrompt();
  return true;
}

void CFrameWindow::SetView(CWindow* view) {
  m_viewWindow = view ? view->Handle() : nullptr;
  RecalcLayout();
}

void CFrameWindow::RecalcLayout() {
  if (!Handle()) return;
  RECT client{};
  ::GetClientRect(Handle(), &client);
  int top = client.top, bottom = client.bottom;
  if (m_toolBar.Handle()) {
    m_toolBar.AutoSize();
    top += m_toolBar.Height();
  }
  if (m_statusBar.Handle()) {
    m_statusBar.Reposition();
    bottom -= m_statusBar.Height();
  }
  if (m_viewWindow && ::IsWindow(m_viewWindow)) {
    ::SetWindowPos(m_viewWindow, nullptr, client.left, top, client.right - client.left,
                   bottom > top ? bottom - top : 0, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CFrameWindow::ShowIdlePrompt() { SetStatusText(LoadResourceString(IDS_IDLE_MESSAGE)); }

void CFrameWindow::OnIdle() { m_commands.UpdateToolbar(m_toolBar.Handle()); }

FrameSize CFrameWindow::FitFrameToForm(SIZE formSize) {
  FrameMetrics metrics;
  metrics.dpi = WindowDpi(Handle());
  metrics.formWidth = formSize.cx;
  metrics.formHeight = formSize.cy;
  metrics.frameBorderWidth = SystemMetricForDpi(SM_CXFRAME, metrics.dpi);
  metrics.frameBorderHeight = SystemMetricForDpi(SM_CYFRAME, metrics.dpi);
  metrics.captionHeight = SystemMetricForDpi(SM_CYCAPTION, metrics.dpi);
  metrics.menuHeight = SystemMetricForDpi(SM_CYMENU, metrics.dpi);
  metrics.toolBarHeight = m_toolBar.Height();
  metrics.statusBarHeight = m_statusBar.Height();
  const FrameSize size = ComputeFrameSize(metrics);
  ::SetWindowPos(Handle(), nullptr, 0, 0, size.fixedWidth, size.minimumHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return size;
}

FrameSize CFrameWindow::RefitFrameToForm(SIZE formSize, const RECT& suggested) {
  const FrameSize size = FitFrameToForm(formSize);
  if (suggested.bottom - suggested.top > size.minimumHeight)
    ::SetWindowPos(Handle(), nullptr, 0, 0, size.fixedWidth, suggested.bottom - suggested.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return size;
}

void CFrameWindow::LimitTracking(MINMAXINFO& info, const FrameSize& size, bool fixedHeight) {
  FrameTrackLimits limits{info.ptMaxSize.x,      info.ptMaxSize.y,      info.ptMinTrackSize.x,
                          info.ptMinTrackSize.y, info.ptMaxTrackSize.x, info.ptMaxTrackSize.y};
  ApplyFrameLimits(size, limits);
  if (fixedHeight && size.IsKnown()) limits.maxTrackHeight = size.minimumHeight;
  info.ptMaxSize = POINT{limits.maximizedWidth, limits.maximizedHeight};
  info.ptMinTrackSize = POINT{limits.minTrackWidth, limits.minTrackHeight};
  info.ptMaxTrackSize = POINT{limits.maxTrackWidth, limits.maxTrackHeight};
}

bool CFrameWindow::PreTranslateMessage(MSG& msg) {
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && m_accelerators && Handle())
    return ::TranslateAcceleratorW(Handle(), m_accelerators, &msg) != 0;
  return false;
}

std::wstring CFrameWindow::CommandPrompt(UINT id) {
  const std::wstring text = LoadResourceString(id);
  return text.substr(0, text.find(L'\n'));
}

std::wstring CFrameWindow::CommandTooltip(UINT id) {
  const std::wstring text = LoadResourceString(id);
  const size_t newline = text.find(L'\n');
  return newline == std::wstring::npos ? std::wstring() : text.substr(newline + 1);
}

LRESULT CFrameWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITMENUPOPUP:
      if (!HIWORD(lParam)) {
        HMENU popup = reinterpret_cast<HMENU>(wParam);
        if (m_recentFiles) m_recentFiles->UpdateMenu(popup);
        m_commands.UpdateMenu(popup);
      }
      return 0;
    case WM_MENUSELECT: {
      const UINT item = LOWORD(wParam), flags = HIWORD(wParam);
      if (flags == 0xFFFF && !lParam)
        ShowIdlePrompt();  // the menu closed
      else if (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))
        SetStatusText(L"");
      else
        SetStatusText(CommandPrompt(item));
      return 0;
    }
    case WM_EXITMENULOOP:
      ShowIdlePrompt();
      break;
    case WM_ENTERIDLE:
      // A modal loop (message box, dialog, menu) waits: its owner's toolbar shows what
      // the commands allow now, not what they allowed when the loop began.
      OnIdle();
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ENDSESSION:
      if (wParam) OnEndSession();
      return 0;
    default:
      break;
  }
  return CWindow::WindowProc(msg, wParam, lParam);
}

bool CFrameWindow::OnCommand(UINT id, UINT code, HWND control) {
  (void)code;
  // Menu (control null), accelerator (control null) or toolbar button.
  if (control && control != m_toolBar.Handle()) return false;
  if (!m_commands.Contains(id)) return false;
  m_commands.Execute(id);  // a disabled command does nothing
  if (::IsWindow(Handle())) OnIdle();  // what the command changed shows at once
  return true;
}

bool CFrameWindow::OnNotify(NMHDR* header, LRESULT& result) {
  if (!header) return false;
  if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (info->uFlags & TTF_IDISHWND) return false;
    m_tooltip = CommandTooltip(static_cast<UINT>(header->idFrom));
    info->lpszText = m_tooltip.data();
    info->hinst = nullptr;
    result = 0;
    return true;
  }
  if (header->code == TBN_HOTITEMCHANGE && header->hwndFrom == m_toolBar.Handle()) {
    auto* hot = reinterpret_cast<NMTBHOTITEM*>(header);
    if (hot->dwFlags & HICF_LEAVING)
      ShowIdlePrompt();
    else
      SetStatusText(CommandPrompt(static_cast<UINT>(hot->idNew)));
    result = 0;
    return true;
  }
  return false;
}

void CFrameWindow::OnDpiChanged(int, const RECT& suggested) {
  SetIconsForDpi();
  m_toolBar.UpdateImagesForDpi();
  m_statusBar.UpdateFontForDpi();
  ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RecalcLayout();
}

void CFrameWindow::OnSize(UINT type, int, int) {
  if (type != SIZE_MINIMIZED) RecalcLayout();
}

bool CFrameWindow::OnSetFocus(HWND) {
  if (m_viewWindow && ::IsWindow(m_viewWindow)) {
    ::SetFocus(m_viewWindow);
    return true;
  }
  return false;
}

void CFrameWindow::OnDestroy() {
  if (m_quitOnDestroy) ::PostQuitMessage(0);
}

}  // namespace moji
