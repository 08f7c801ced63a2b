#include "IndexProgressDlg.h"

#include <commctrl.h>

#include "MojiviewRes.h"

namespace moji {

namespace {

constexpr DWORD kPumpEveryMs = 50;

}  // namespace

CIndexProgressDlg::CIndexProgressDlg(HWND owner) : CDialog(IDD_INDEX_PROGRESS), m_owner(owner) {
  if (m_owner != nullptr) ::EnableWindow(m_owner, FALSE);
  Create(owner);
}

CIndexProgressDlg::~CIndexProgressDlg() {
  if (m_owner != nullptr) ::EnableWindow(m_owner, TRUE);
  Destroy();
  if (m_owner != nullptr) ::SetActiveWindow(m_owner);
}

bool CIndexProgressDlg::Update(std::size_t done, std::size_t total) {
  const DWORD now = ::GetTickCount();
  if (now - m_lastPump < kPumpEveryMs && done != total) return !m_cancelled;
  m_lastPump = now;
  if (Handle() != nullptr && total > 0)
    ::SendDlgItemMessageW(Handle(), IDC_INDEX_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(done * 100 / total), 0);
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {  // for the outer loop, after the build ends
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_cancelled = true;
      break;
    }
    if (Handle() != nullptr && ::IsDialogMessageW(Handle(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return !m_cancelled;
}

}  // namespace moji
