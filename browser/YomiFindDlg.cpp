#include "YomiFindDlg.h"

#include "HelpTopic.h"
#include "Message.h"
#include "MojiviewRes.h"
#include "TextConv.h"
#include "YomiInput.h"

namespace moji {

std::u16string CYomiFindDlg::s_lastText;

CYomiFindDlg::CYomiFindDlg() : CDialog(IDD_YOMI_FIND) { SetHelpContext(kHelpContextMain); }

CYomiFindDlg::~CYomiFindDlg() { Destroy(); }

bool CYomiFindDlg::OnInitDialog() {
  m_input.SubclassDlgItem(IDC_YOMI_INPUT, Handle());
  m_input.Send(EM_LIMITTEXT, kMaxInput);
  m_input.SetText(ToWide(s_lastText));
  m_input.Send(EM_SETSEL, 0, -1);
  Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_input.Handle()), TRUE);
  return false;  // the focus is set
}

void CYomiFindDlg::OnOK() {
  const std::u16string text = TrimReadingInput(FromWide(ItemText(IDC_YOMI_INPUT)));
  if (text.empty()) {
    ShowMessage(Handle(), IDS_ERR_YOMI_FIND_EMPTY, MB_OK);
    Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_input.Handle()), TRUE);
    return;
  }
  s_lastText = text;
  EndDialog(IDOK);
}

}  // namespace moji
