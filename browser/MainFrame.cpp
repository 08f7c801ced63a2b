#include "MainFrame.h"

#include "BrowserMessages.h"
#include "GlyphviewApp.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "ProcessUtil.h"
#include "Settings.h"

namespace moji {
bool CMainFrame::Create() {
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  // Only the first browser goes to the stored place; a browser that is still starting
  // carries no tag yet and does not count itself.
  if (CountBrowserWindows() == 0) {
    const Placement stored = m_app.Settings().ReadPlacement(kSectionBrowser, kKeyBrowserWindowPos);
    x = stored.left;
    y = stored.top;
  }
  // The size is set by FitToForm once the view exists.
  return CFrameWindow::Create(IDR_MAINFRAME, AppName(), WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, x, y, 400, 300);
}

bool CMainFrame::OnCreate(CREATESTRUCTW*) {
  if (!CreateToolBar(IDR_MAINFRAME)) return false;
  // Without the colour image list the toolbar keeps the 24 x 24 images of its own bitmap.
  ToolBar().SetColourImageSets({IDB_TOOLBAR24, IDB_TOOLBAR36, IDB_TOOLBAR48}, TOOLBAR24_MASK_COLOR);
  return CreateStatusBar();
}

void CMainFrame::FitToForm(SIZE formSize) { m_size = FitFrameToForm(formSize); }

void CMainFrame::OnDpiChanged(int dpi, const RECT& suggested) {
  CFrameWindow::OnDpiChanged(dpi, suggested);
  m_app.View().RescaleForDpi();
  m_size = RefitFrameToForm(m_app.View().FitFormToGrid(), suggested);
}

void CMainFrame::RestoreHeight() {
  const Placement stored = m_app.Settings().ReadPlacement(kSectionBrowser, kKeyBrowserWindowPos);
  if (const auto height = RestoredFrameHeight(stored, m_size.minimumHeight); height && m_size.IsKnown()) {
    ::SetWindowPos(Handle(), nullptr, 0, 0, m_size.fixedWidth, *height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CMainFrame::SetBrowserTitle(const std::wstring& path, int width, int height) {
  SetText(FormatResource(IDS_BROWSER_TITLE, path.c_str(), width, height));
}

bool CMainFrame::OnClose() {
  SavePlacement();
  return false;  // the default processing destroys the window
}

void CMainFrame::SavePlacement() {
  if (CountBrowserWindows() == 1)
    m_app.Settings().SaveWindowPlacement(Handle(), kSectionBrowser, kKeyBrowserWindowPos);
}

void CMainFrame::OnEndSession() {
  SavePlacement();
  m_app.EndSession();
}

bool CMainFrame::PreTranslateMessage(MSG& msg) {
  if (msg.message == WM_APP_RELOAD && msg.hwnd == Handle()) {
    OnReloadNotification();
    return true;
  }
  return CFrameWindow::PreTranslateMessage(msg);
}

void CMainFrame::OnReloadNotification() {
  CLog::Print(L"Glyphdraw → 更新通知\n");
  m_app.Document().Reload();
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETMINMAXINFO:
      LimitTracking(*reinterpret_cast<MINMAXINFO*>(lParam), m_size, false);
      return 0;
    case WM_ENTERSIZEMOVE:
      m_inSizeMove = true;
      break;
    case WM_EXITSIZEMOVE:
      m_inSizeMove = false;
      ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_APP_RELOAD:
      // The notification is taken out of the message stream before dispatch (PreTranslate).
      // It reaches the window procedure only when a loop that does not pre-translate
      // dispatches it, such as a message box's: during an open it is kept for afterwards,
      // otherwise it is not handled.
      if (m_app.Document().IsLoading()) {
        OnReloadNotification();
        return 0;
      }
      break;
    default:
      break;
  }
  return CFrameWindow::WindowProc(msg, wParam, lParam);
}

}  // namespace moji
