#include "BrowserAboutDlg.h"

#include "ExternalPrograms.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"

namespace moji {

bool CBrowserAboutDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_ABOUT_UPDATE && code == BN_CLICKED) {
    OnUpdate();
    return true;
  }
  return CAboutDlg::OnCommand(id, code, control);
}

void CBrowserAboutDlg::OnUpdate() {
  if (ShowMessage(Handle(), IDS_ASK_UPDATE, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  CLog::Print(L"About:WEBから最新版に更新\n");
  if (StartProgram(Handle(), UpdaterCommandLine(m_programFolder))) QuitAllBrowsersAndPrinters(m_mainWindow);
  EndDialog(1);
}

}  // namespace moji
