#include "EufMakeAnsDlg.h"

#include "MojiviewRes.h"

namespace moji {

CEufMakeAnsDlg::CEufMakeAnsDlg(std::wstring path) : CDialog(IDD_EUF_MAKE_ANS), m_path(std::move(path)) {}

CEufMakeAnsDlg::~CEufMakeAnsDlg() { Destroy(); }  // before the font goes

bool CEufMakeAnsDlg::OnInitDialog() {
  m_font.reset(CreatePointFontForWindow(9, kGothicFace, Handle()));
  if (m_font) ::SendMessageW(Item(IDC_EUF_PATH), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
  SetItemText(IDC_EUF_PATH, m_path);
  ::CheckDlgButton(Handle(), IDC_EUF_UNICODE, m_unicode ? BST_CHECKED : BST_UNCHECKED);
  // The focus on はい, the default button, rather than on the path.
  Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
  return false;
}

void CEufMakeAnsDlg::ReadCheckBox() {
  m_unicode = ::IsDlgButtonChecked(Handle(), IDC_EUF_UNICODE) == BST_CHECKED;
}

void CEufMakeAnsDlg::OnOK() {
  ReadCheckBox();
  EndDialog(IDOK);
}

void CEufMakeAnsDlg::OnCancel() {
  ReadCheckBox();
  EndDialog(IDCANCEL);
}

}  // namespace moji
