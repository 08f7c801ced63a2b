#include "WaitMessage.h"

#include "CoreRes.h"
#include "Message.h"

namespace moji {

CWaitMessage::CWaitMessage(UINT stringId, HWND parent, bool shown)
    : CDialog(IDD_WAIT_MESSAGE), m_textId(IDC_WAIT_MESSAGE_TEXT), m_parent(parent) {
  if (!Create(parent)) return;
  if (stringId != 0) {
    const std::wstring text = LoadResourceString(stringId);
    if (!text.empty()) SetItemText(m_textId, text);
  }
  if (shown) Show();
}

void CWaitMessage::Show() {
  if (!Handle()) return;
  CenterOver(m_parent);
  ::ShowWindow(Handle(), SW_SHOW);
  // Paint the box and its text now: the work that follows does not pump messages.
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CWaitMessage::Hide() {
  if (Handle()) ::ShowWindow(Handle(), SW_HIDE);
}

CWaitMessage::~CWaitMessage() { Destroy(); }

}  // namespace moji
