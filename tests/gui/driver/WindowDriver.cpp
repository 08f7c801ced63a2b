#include "WindowDriver.h"

namespace moji::gui {
namespace {

constexpr UINT kSendTimeoutMs = 3000;

template <typename F>
void ForEachTopLevel(F&& visit) {
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        (*reinterpret_cast<F*>(p))(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&visit));
}

HWND FindFirst(DWORD processId, const std::function<bool(HWND)>& accept) {
  for (HWND h : TopLevelWindows(processId)) {
    if (accept(h)) return h;
  }
  return nullptr;
}

HWND WaitForFirst(const std::function<HWND()>& find, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; }, timeoutMs);
  return found;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  std::vector<HWND> found;
  ForEachTopLevel([&](HWND h) {
    if (IsWindowVisible(h) && (processId == 0 || ProcessOf(h) == processId)) found.push_back(h);
  });
  return found;
}

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256];
  const int n = GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? n : 0);
}

std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!window || !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           kSendTimeoutMs, &copied)) {
    return {};
  }
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

std::wstring ControlText(HWND parent, int controlId) { return WindowText(GetDlgItem(parent, controlId)); }

bool SetControlText(HWND parent, int controlId, std::wstring_view text) {
  const std::wstring copy(text);
  DWORD_PTR result = 0;
  HWND control = GetDlgItem(parent, controlId);
  return control && SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()),
                                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) && result;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool PostCommand(HWND window, WORD commandId) {
  return PostMessageW(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

bool PostKey(HWND window, UINT virtualKey) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  return PostMessageW(window, WM_KEYDOWN, virtualKey, scan | 1) &&
         PostMessageW(window, WM_KEYUP, virtualKey, scan | 1 | (1 << 30) | (1u << 31));
}

std::vector<HWND> WindowsWithProperty(const wchar_t* name) {
  std::vector<HWND> found;
  ForEachTopLevel([&](HWND h) {
    if (GetPropW(h, name)) found.push_back(h);
  });
  return found;
}

int CountWindowsWithProperty(const wchar_t* name) { return static_cast<int>(WindowsWithProperty(name).size()); }

HWND FindMessageBox(DWORD processId) {
  return FindFirst(processId, [](HWND h) { return IsWindowEnabled(h) && ClassName(h) == L"#32770"; });
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  return WaitForFirst([&] { return FindMessageBox(processId); }, timeoutMs);
}

std::wstring MessageBoxText(HWND box) { return ControlText(box, 0xFFFF); }

bool PressButton(HWND dialog, int buttonId) {
  HWND button = GetDlgItem(dialog, buttonId);
  return button && PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::optional<std::wstring> AnswerMessageBox(HWND box, int buttonId) {
  std::wstring text = MessageBoxText(box);
  if (!PressButton(box, buttonId) || !WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }))
    return std::nullopt;
  return text;
}

HWND FindDialog(DWORD processId, std::wstring_view caption) {
  return FindFirst(processId, [&](HWND h) { return ClassName(h) == L"#32770" && WindowText(h) == caption; });
}

HWND WaitForDialog(DWORD processId, std::wstring_view caption, DWORD timeoutMs) {
  return WaitForFirst([&] { return FindDialog(processId, caption); }, timeoutMs);
}

std::vector<ControlInfo> ReadControls(HWND parent) {
  std::vector<ControlInfo> controls;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    ControlInfo info;
    info.id = GetDlgCtrlID(child);
    info.className = ClassName(child);
    info.text = WindowText(child);
    info.visible = IsWindowVisible(child);
    info.enabled = IsWindowEnabled(child);
    info.rect = WindowRect(child);
    controls.push_back(std::move(info));
  }
  return controls;
}

}  // namespace moji::gui
