#include "Dialog.h"

#include <vector>

#include "Help.h"
#include "MessageLoop.h"

namespace moji {

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWindow* window = FromHandle(hwnd);
  if (!window) window = AttachCreating(hwnd);  // WM_SETFONT comes before WM_INITDIALOG
  if (!window) return FALSE;
  if (msg == WM_NCDESTROY) {
    // The object lets go of the window here (and may be gone afterwards).
    window->Dispatch(msg, wParam, lParam);
    return FALSE;
  }
  const bool savedDefault = window->m_defaultCalled;
  window->m_defaultCalled = false;
  const LRESULT result = window->Dispatch(msg, wParam, lParam);
  const bool handled = !window->m_defaultCalled;
  window->m_defaultCalled = savedDefault;
  if (!handled) return FALSE;
  switch (msg) {
    // These answer through the return value of the dialog procedure itself.
    case WM_INITDIALOG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return static_cast<INT_PTR>(result);
    default:
      // Reading is local, writing goes to the window manager: write only a change.
      if (::GetWindowLongPtrW(hwnd, DWLP_MSGRESULT) != result) ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

LRESULT CALLBACK CDialog::StaticOwnerDrawProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Without its object (destroyed before its window) the dialog is one of the class.
  auto* dialog = static_cast<CDialog*>(FromHandle(hwnd));
  const WNDPROC managerProc =
      dialog ? dialog->m_managerProc : reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC));
  if (dialog && (msg == WM_MEASUREITEM || msg == WM_DRAWITEM)) {
    LRESULT result = 0;
    if (dialog->Reflect(msg, wParam, lParam, result)) return result;
  }
  return ::CallWindowProcW(managerProc, hwnd, msg, wParam, lParam);
}

bool CDialog::Create(HWND parent) {
  if (Handle()) return false;
  SetDialogMode();
  SetCreating(this);
  HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent,
                                   StaticDialogProc, 0);
  SetCreating(nullptr);
  if (!hwnd) return false;
  if (Handle() != hwnd) return false;  // EndDialog destroyed it during WM_INITDIALOG
  m_created = true;
  m_managerProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticOwnerDrawProc)));
  return true;
}

INT_PTR CDialog::DoModal(HWND owner) {
  if (Handle()) return -1;
  if (owner) owner = ::GetAncestor(owner, GA_ROOT);
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  m_modal = true;
  m_modalDone = false;
  m_result = -1;
  if (disableOwner) ::EnableWindow(owner, FALSE);
  if (Create(owner)) {
    if (!m_modalDone) {
      ::ShowWindow(Handle(), SW_SHOW);
      RunModalLoop();
    }
  }
  // Hide without activating anything else, enable the owner, then give it the activation.
  if (Handle())
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  if (disableOwner) ::EnableWindow(owner, TRUE);
  if (owner && Handle() && ::GetActiveWindow() == Handle()) ::SetActiveWindow(owner);
  Destroy();
  m_modal = false;
  return m_result;
}

void CDialog::RunModalLoop() {
  MSG msg;
  while (!m_modalDone && IsWindow()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_result = -1;
      break;
    }
    if (!CMessageLoop::PreTranslate(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

void CDialog::EndDialog(INT_PTR result) {
  if (m_modal) {
    m_result = result;
    m_modalDone = true;
    if (Handle()) ::PostMessageW(Handle(), WM_NULL, 0, 0);  // wake the modal loop
    return;
  }
  Destroy();
}

std::wstring CDialog::ItemText(int id) const {
  HWND item = Item(id);
  if (!item) return {};
  const int length = ::GetWindowTextLengthW(item);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = ::GetWindowTextW(item, buffer.data(), static_cast<int>(buffer.size()));
  return std::wstring(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

bool CDialog::PreTranslateMessage(MSG& msg) {
  if (!Handle()) return false;
  if (m_helpContext != 0 && msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    ShowHelp(Handle(), m_helpContext);
    return true;
  }
  return ::IsDialogMessageW(Handle(), &msg);
}

bool CDialog::OnCommand(UINT id, UINT code, HWND control) {
  (void)control;
  if (code != BN_CLICKED && code != 1) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) return OnInitDialog() ? TRUE : FALSE;
  return CWindow::WindowProc(msg, wParam, lParam);
}

}  // namespace moji
