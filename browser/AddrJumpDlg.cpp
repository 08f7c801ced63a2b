#include "AddrJumpDlg.h"

#include "GaijiCode.h"
#include "HelpTopic.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "TextConv.h"

namespace moji {

std::wstring CAddrJumpDlg::s_lastText;
int CAddrJumpDlg::s_lastType = CAddrJumpDlg::kUnicode;

CAddrJumpDlg::CAddrJumpDlg() : CDialog(IDD_ADDR_JUMP), m_text(s_lastText), m_type(s_lastType) {
  SetHelpContext(kHelpContextMain);
}

CAddrJumpDlg::~CAddrJumpDlg() { Destroy(); }  // before the font goes

bool CAddrJumpDlg::OnInitDialog() {
  m_font.reset(CreatePointFontForWindow(9, kGothicFace, Handle()));
  m_edit.SubclassDlgItem(IDC_JUMP_CODE, Handle());
  if (m_font) m_edit.Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
  if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ADDR_JUMP)))
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  m_edit.Send(EM_LIMITTEXT, kMaxDigits);
  m_edit.SetText(m_text);
  ::CheckRadioButton(Handle(), IDC_JUMP_UNICODE, IDC_JUMP_SJIS, m_type == kShiftJis ? IDC_JUMP_SJIS : IDC_JUMP_UNICODE);
  return true;
}

void CAddrJumpDlg::OnOK() {
  m_text = ItemText(IDC_JUMP_CODE);
  m_type = ::IsDlgButtonChecked(Handle(), IDC_JUMP_SJIS) == BST_CHECKED ? kShiftJis : kUnicode;
  m_result = -1;
  const auto code = ValidateTypedCode(FromWide(m_text), m_type == kShiftJis ? CodeMode::ShiftJis : CodeMode::Unicode);
  if (!code) {
    ShowMessage(Handle(), IDS_ERR_BAD_CODE, MB_OK);
    Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_edit.Handle()), TRUE);
    return;
  }
  m_result = *code;
  s_lastText = m_text;
  s_lastType = m_type;
  EndDialog(IDOK);
}

}  // namespace moji
