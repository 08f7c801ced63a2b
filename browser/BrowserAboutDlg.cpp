#include "BrowserAboutDlg.h"

#include "MojiviewRes.h"

namespace moji {

CBrowserAboutDlg::CBrowserAboutDlg()
    : CAboutDlg(AboutBoxLayout{IDD_ABOUTBOX, IDS_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDC_ABOUT_URL}) {}

bool CBrowserAboutDlg::OnInitDialog() {
  CAboutDlg::OnInitDialog();
  // The online update comes with the updater's launch.
  ::EnableWindow(Item(IDC_ABOUT_UPDATE), FALSE);
  return true;
}

bool CBrowserAboutDlg::PreTranslateMessage(MSG& msg) {
  // F1 would open help, which the box does not have yet: the key is taken.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) return true;
  return CAboutDlg::PreTranslateMessage(msg);
}

}  // namespace moji
