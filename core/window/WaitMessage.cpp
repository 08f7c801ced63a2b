#include "WaitMessage.h"

#include "CoreRes.h"
#include "Message.h"

namespace moji {

CWaitMessage::CWaitMessage(UINT stringId, HWND parent) : CDialog(IDD_WAIT_MESSAGE), m_textId(IDC_WAIT_MESSAGE_TEXT) {
  if (!Create(parent)) return;
  if (stringId != 0) {
    const std::wstring text = LoadResourceString(stringId);
    if (!text.empty()) SetItemText(m_textId, text);
  }
  CenterOver(parent);
  ::ShowWindow(Handle(), SW_SHOW);
  // Paint the box and its text now: the work that follows does not pump messages.
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

CWaitMessage::~CWaitMessage() { Destroy(); }

}  // namespace moji
