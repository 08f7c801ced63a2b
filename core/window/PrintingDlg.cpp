#include "PrintingDlg.h"

#include "CoreRes.h"
#include "Message.h"

namespace moji {

CPrintingDlg::CPrintingDlg() : CDialog(IDD_PRINTING) {}

CPrintingDlg::~CPrintingDlg() {
  if (IsWindow()) Destroy();
}

bool CPrintingDlg::Open(HWND owner, const std::wstring& documentName) {
  m_cancelled = false;
  if (!Create(owner)) return false;
  SetItemText(IDC_PRINTING_DOCUMENT, documentName);
  RECT box{}, area{};
  ::GetWindowRect(Handle(), &box);
  ::GetWindowRect(owner ? owner : ::GetDesktopWindow(), &area);
  const int width = box.right - box.left, height = box.bottom - box.top;
  ::SetWindowPos(Handle(), HWND_TOP, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  ::UpdateWindow(Handle());
  return true;
}

void CPrintingDlg::SetPage(int page, int last) {
  if (!IsWindow()) return;
  SetItemText(IDC_PRINTING_PAGE, FormatResource(IDS_PRINTING_PAGE, page, last));
  ::UpdateWindow(Handle());
}

void CPrintingDlg::OnCancel() {
  m_cancelled = true;
  ::EnableWindow(Item(IDCANCEL), FALSE);
}

}  // namespace moji
