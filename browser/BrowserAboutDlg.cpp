#include "BrowserAboutDlg.h"

#include "ExternalPrograms.h"
#include "Log.h"
#include "Message.h"
#include "MojiviewRes.h"

namespace moji {

CBrowserAboutDlg::CBrowserAboutDlg(HWND mainWindow, std::wstring programFolder)
    : CAboutDlg(AboutBoxLayout{IDD_ABOUTBOX, IDS_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDC_ABOUT_URL}),
      m_mainWindow(mainWindow),
      m_programFolder(std::move(programFolder)) {}

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
