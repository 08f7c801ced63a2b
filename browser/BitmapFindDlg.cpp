#include "BitmapFindDlg.h"

#include "Help.h"
#include "Message.h"
#include "MojiviewRes.h"

namespace moji {

CBitmapFindDlg::CBitmapFindDlg(HBITMAP pattern) : CDialog(IDD_BITMAP_FIND), m_pattern(pattern) {
  SetHelpContext(kHelpContextMain);
}

CBitmapFindDlg::~CBitmapFindDlg() { Destroy(); }  // before the picture goes

bool CBitmapFindDlg::OnInitDialog() {
  if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ADDR_JUMP)))
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  m_picture.SubclassDlgItem(IDC_FIND_PATTERN, Handle());
  m_picture.SetCentred(true);
  const SIZE size = m_picture.SetBitmap(m_pattern);
  m_sizeText = FormatText(L"%d×%d", static_cast<int>(size.cx), static_cast<int>(size.cy));
  SetItemText(IDC_FIND_SIZE, m_sizeText);
  ::CheckRadioButton(Handle(), IDC_FIND_FROM_TOP, IDC_FIND_AFTER_SELECTION,
                     m_start == kAfterSelection ? IDC_FIND_AFTER_SELECTION : IDC_FIND_FROM_TOP);
  return true;
}

void CBitmapFindDlg::OnOK() {
  m_start = ::IsDlgButtonChecked(Handle(), IDC_FIND_AFTER_SELECTION) == BST_CHECKED ? kAfterSelection : kFromTop;
  EndDialog(IDOK);
}

}  // namespace moji
