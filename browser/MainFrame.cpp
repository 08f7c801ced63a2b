#include "MainFrame.h"

#include "BrowserMessages.h"
#include "GlyphviewApp.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "ProcessUtil.h"
#include "Settings.h"

namespace moji {
namespace {

// More than 256 colours: the toolbar gets its 24 x 24 images with mask.
bool DisplayHasManyColours() {
  HDC info = ::CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
  if (!info) return false;
  const int bits = ::GetDeviceCaps(info, BITSPIXEL);
  ::DeleteDC(info);
  return bits > 8;
}

}  // namespace

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
  // Without the 24 x 24 image list the toolbar keeps the images of its own bitmap.
  if (DisplayHasManyColours()) ToolBar().SetImageList(IDB_TOOLBAR24, TOOLBAR_IMAGE_SIZE, TOOLBAR24_MASK_COLOR);
  return CreateStatusBar();
}

void CMainFrame::FitToForm(SIZE formSize) {
  FrameMetrics metrics;
  metrics.formWidth = formSize.cx;
  metrics.formHeight = formSize.cy;
  metrics.frameBorderWidth = ::GetSystemMetrics(SM_CXFRAME);
  metrics.frameBorderHeight = ::GetSystemMetrics(SM_CYFRAME);
  metrics.captionHeight = ::GetSystemMetrics(SM_CYCAPTION);
  metrics.menuHeight = ::GetSystemMetrics(SM_CYMENU);
  metrics.toolBarHeight = ToolBar().Height();
  metrics.statusBarHeight = StatusBar().Height();
  m_size = ComputeFrameSize(metrics);
  ::SetWindowPos(Handle(), nullptr, 0, 0, m_size.fixedWidth, m_size.minimumHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  // Only the last browser leaves its placement behind (not while minimised or maximised).
  if (CountBrowserWindows() == 1)
    m_app.Settings().SaveWindowPlacement(Handle(), kSectionBrowser, kKeyBrowserWindowPos);
  return false;  // the default processing destroys the window
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
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      FrameTrackLimits limits{info->ptMaxSize.x,      info->ptMaxSize.y,      info->ptMinTrackSize.x,
                              info->ptMinTrackSize.y, info->ptMaxTrackSize.x, info->ptMaxTrackSize.y};
      ApplyFrameLimits(m_size, limits);
      info->ptMaxSize = POINT{limits.maximizedWidth, limits.maximizedHeight};
      info->ptMinTrackSize = POINT{limits.minTrackWidth, limits.minTrackHeight};
      info->ptMaxTrackSize = POINT{limits.maxTrackWidth, limits.maxTrackHeight};
      return 0;
    }
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
