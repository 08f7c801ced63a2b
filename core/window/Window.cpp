#include "Window.h"

#include <commctrl.h>

#include <unordered_map>
#include <vector>

namespace moji {
namespace {

// Window handle → object, per thread: a window's messages arrive on the thread that created
// it, so no lock is needed and objects of other threads (or processes) are never found.
thread_local std::unordered_map<HWND, CWindow*> t_objects;
thread_local CWindow* t_creating = nullptr;

// The child of `parent` with control id `id` that has an object of this thread. Only those
// take reflected messages, and looking among them asks the window manager nothing, unlike
// GetDlgItem (an owner-draw variable list asks for every row it adds).
HWND AttachedChild(HWND parent, int id) {
  for (const auto& [hwnd, window] : t_objects)
    if (::GetParent(hwnd) == parent && ::GetWindowLongPtrW(hwnd, GWLP_ID) == id) return hwnd;
  return nullptr;
}

// The child control a parent's message is about, for reflection; null for others.
HWND ControlOfMessage(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      return mis && mis->CtlType != ODT_MENU ? AttachedChild(parent, static_cast<int>(mis->CtlID)) : nullptr;
    }
    case WM_COMPAREITEM:
      return lParam ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
      return lParam ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
      (void)wParam;
      return nullptr;
  }
}

}  // namespace

CWindow::~CWindow() {
  if (!m_hwnd) return;
  if (m_originalProc) {
    UnsubclassWindow();
    return;
  }
  // Detach first: while the window is destroyed the derived parts of this object are gone,
  // so its messages go to the default processing alone.
  HWND hwnd = m_hwnd;
  const bool created = m_created;
  Detach();
  if (created && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

CWindow* CWindow::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto it = t_objects.find(hwnd);
  return it == t_objects.end() ? nullptr : it->second;
}

void CWindow::SetCreating(CWindow* window) { t_creating = window; }

CWindow* CWindow::AttachCreating(HWND hwnd) {
  CWindow* window = t_creating;
  if (!window) return nullptr;
  t_creating = nullptr;
  window->Attach(hwnd);
  return window;
}

const wchar_t* CWindow::RegisterWindowClass(const wchar_t* name, UINT classStyle, HICON icon, HCURSOR cursor,
                                            HBRUSH background) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, name, &existing)) return name;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = StaticWindowProc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return ::RegisterClassExW(&wc) ? name : nullptr;
}

const wchar_t* CWindow::DefaultClass() {
  static const wchar_t* name = RegisterWindowClass(L"MojiWindow", CS_DBLCLKS, nullptr, nullptr,
                                                   reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return name;
}

bool CWindow::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                       int width, int height, HWND parent, HMENU menuOrId) {
  if (m_hwnd) return false;
  if (!className) className = DefaultClass();
  SetCreating(this);
  HWND hwnd = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                                ::GetModuleHandleW(nullptr), this);
  SetCreating(nullptr);
  if (!hwnd) {
    if (m_hwnd) Detach();
    return false;
  }
  m_created = true;
  return true;
}

bool CWindow::SubclassWindow(HWND hwnd) {
  if (m_hwnd || !hwnd || FromHandle(hwnd)) return false;
  DWORD pid = 0;
  if (::GetWindowThreadProcessId(hwnd, &pid) != ::GetCurrentThreadId()) return false;
  Attach(hwnd);
  m_originalProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticSubclassProc)));
  if (!m_originalProc) {
    Detach();
    return false;
  }
  return true;
}

bool CWindow::SubclassDlgItem(int id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, id)); }

HWND CWindow::UnsubclassWindow() {
  HWND hwnd = m_hwnd;
  if (!hwnd || !m_originalProc) return nullptr;
  // Only put the original back when nobody subclassed the window after us.
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == StaticSubclassProc)
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
  Detach();
  return hwnd;
}

void CWindow::Destroy() {
  if (m_hwnd) ::DestroyWindow(m_hwnd);
}

void CWindow::Attach(HWND hwnd) {
  m_hwnd = hwnd;
  t_objects[hwnd] = this;
}

void CWindow::Detach() {
  if (m_hwnd) {
    auto it = t_objects.find(m_hwnd);
    if (it != t_objects.end() && it->second == this) t_objects.erase(it);
  }
  m_hwnd = nullptr;
  m_originalProc = nullptr;
  m_created = false;
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWindow* window = FromHandle(hwnd);
  if (!window) window = AttachCreating(hwnd);
  if (!window) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  return window->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK CWindow::StaticSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWindow* window = FromHandle(hwnd);
  if (!window) return ::DefWindowProcW(hwnd, msg, wParam, lParam);  // cannot happen: we detach last
  return window->Dispatch(msg, wParam, lParam);
}

LRESULT CWindow::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  const MSG saved = m_current;
  m_current = MSG{m_hwnd, msg, wParam, lParam, 0, {}};
  LRESULT result;
  if (msg == WM_NCDESTROY) {
    // Run the handlers and the default processing while still attached, then let go.
    WNDPROC original = m_originalProc;
    HWND hwnd = m_hwnd;
    result = WindowProc(msg, wParam, lParam);
    if (original && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == StaticSubclassProc)
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    Detach();
    m_current = saved;
    OnFinalMessage();
    return result;
  }
  result = WindowProc(msg, wParam, lParam);
  m_current = saved;
  return result;
}

LRESULT CWindow::Default() { return DefaultProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_dialog) {
    m_defaultCalled = true;  // the dialog manager does the rest (see CDialog)
    return 0;
  }
  if (m_originalProc) return ::CallWindowProcW(m_originalProc, m_hwnd, msg, wParam, lParam);
  return ::DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

bool CWindow::Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND control = ControlOfMessage(m_hwnd, msg, wParam, lParam);
  if (!control || control == m_hwnd) return false;
  CWindow* object = FromHandle(control);
  return object && object->OnReflectedMessage(msg, wParam, lParam, result);
}

LRESULT CWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Reflect(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_CREATE:
      return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)) ? 0 : -1;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_CLOSE:
      if (OnClose()) return 0;
      break;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      break;
    case WM_NOTIFY:
      if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
      break;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      break;
    case WM_PAINT:
      if (OnPaint()) return 0;
      break;
    case WM_SETFOCUS:
      if (OnSetFocus(reinterpret_cast<HWND>(wParam))) return 0;
      break;
    case WM_KILLFOCUS:
      if (OnKillFocus(reinterpret_cast<HWND>(wParam))) return 0;
      break;
    case WM_CONTEXTMENU: {
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (OnContextMenu(reinterpret_cast<HWND>(wParam), pt)) return 0;
      break;
    }
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

bool CWindow::OnCreate(CREATESTRUCTW*) { return true; }
bool CWindow::OnCommand(UINT, UINT, HWND) { return false; }
bool CWindow::OnNotify(NMHDR*, LRESULT&) { return false; }
void CWindow::OnSize(UINT, int, int) {}
bool CWindow::OnSetFocus(HWND) { return false; }
bool CWindow::OnKillFocus(HWND) { return false; }
bool CWindow::OnContextMenu(HWND, POINT) { return false; }
bool CWindow::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool CWindow::PreTranslateMessage(MSG&) { return false; }

std::wstring CWindow::GetText() const {
  if (!m_hwnd) return {};
  const int length = ::GetWindowTextLengthW(m_hwnd);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = ::GetWindowTextW(m_hwnd, buffer.data(), static_cast<int>(buffer.size()));
  return std::wstring(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void CWindow::CenterOver(HWND over) const {
  if (!m_hwnd) return;
  RECT area{};
  if (!over || !::GetWindowRect(over, &area)) ::GetWindowRect(::GetDesktopWindow(), &area);
  RECT mine{};
  ::GetWindowRect(m_hwnd, &mine);
  const int width = mine.right - mine.left, height = mine.bottom - mine.top;
  const int x = area.left + ((area.right - area.left) - width) / 2;
  const int y = area.top + ((area.bottom - area.top) - height) / 2;
  if (x == mine.left && y == mine.top) return;  // already there (a box shown again over the same window)
  POINT pos{x, y};
  // A child window is placed in its parent's client coordinates.
  if (::GetWindowLongW(m_hwnd, GWL_STYLE) & WS_CHILD) ::ScreenToClient(::GetParent(m_hwnd), &pos);
  ::SetWindowPos(m_hwnd, nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace moji
