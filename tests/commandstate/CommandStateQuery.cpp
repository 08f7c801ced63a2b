#include "CommandStateQuery.h"

#include <commctrl.h>

#include <cwchar>

#include "CommandTable.h"

namespace moji {
namespace {

void CollectMenu(HMENU menu, std::vector<CommandState>& states) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STATE;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) {
      CollectMenu(info.hSubMenu, states);
      continue;
    }
    if (info.fType & MFT_SEPARATOR) continue;
    wchar_t text[512] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(i), text, 512, MF_BYPOSITION);
    states.push_back(CommandState{L'M', info.wID, (info.fState & MFS_DISABLED) == 0, text});
  }
}

LRESULT CALLBACK ReplyWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    auto* reply = reinterpret_cast<std::optional<std::wstring>*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!data || !reply || data->dwData != kCommandStateReplyTag) return FALSE;
    // Untrusted length: whole UTF-16 units only, at most 1 MiB.
    const DWORD bytes = data->cbData;
    if (bytes % 2 != 0 || bytes > (1u << 20) || (bytes && !data->lpData)) return FALSE;
    *reply = std::wstring(static_cast<const wchar_t*>(data->lpData), bytes / 2);
    return TRUE;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

UINT CommandStateQueryMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"MojiCommandStateQuery");
  return message;
}

void AnswerCommandStateQuery(HWND frame, HWND asker) {
  std::vector<CommandState> states;
  if (HMENU menu = ::GetMenu(frame)) {
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
      HMENU popup = ::GetSubMenu(menu, i);
      if (popup) ::SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(i, FALSE));
    }
    CollectMenu(menu, states);
  }
  if (HWND toolbar = ::FindWindowExW(frame, nullptr, TOOLBARCLASSNAMEW, nullptr)) {
    const std::vector<CommandState> menuStates = states;
    for (const ToolbarButtonState& button : ReadToolbarButtons(toolbar)) {
      bool enabled = button.enabled;
      for (const CommandState& item : menuStates) {
        if (item.id != button.id || item.enabled == enabled) continue;
        enabled = item.enabled;
        ::SendMessageW(toolbar, TB_ENABLEBUTTON, button.id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
        break;
      }
      states.push_back(CommandState{L'T', button.id, enabled, {}});
    }
  }
  const std::wstring text = FormatCommandStates(states);
  COPYDATASTRUCT data{kCommandStateReplyTag, static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(text.data())};
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(frame), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
}

std::optional<std::vector<CommandState>> QueryCommandStates(HWND frame, DWORD timeoutMs) {
  static const HMODULE hookLibrary = ::LoadLibraryW(MOJI_COMMAND_STATE_HOOK);
  const auto hookProc = hookLibrary ? reinterpret_cast<HOOKPROC>(::GetProcAddress(hookLibrary, "CommandStateHook")) : nullptr;
  const DWORD thread = ::GetWindowThreadProcessId(frame, nullptr);
  if (!hookProc || !thread) return std::nullopt;
  static const wchar_t* const kClass = L"MojiCommandStateReply";
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ReplyWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClass;
  ::RegisterClassW(&wc);  // fails harmlessly when already registered
  HWND window = ::CreateWindowExW(0, kClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!window) return std::nullopt;
  HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, hookProc, hookLibrary, thread);
  if (!hook) {
    ::DestroyWindow(window);
    return std::nullopt;
  }
  std::optional<std::wstring> reply;
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));
  // While it waits, this thread still receives the frame's WM_COPYDATA. On a loaded machine
  // the first query can come before the hook library is in the target: it is asked again.
  for (int attempt = 0; attempt < 3 && !reply; ++attempt) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(frame, CommandStateQueryMessage(), reinterpret_cast<WPARAM>(window), 0, SMTO_ABORTIFHUNG,
                          timeoutMs, &ignored);
  }
  ::UnhookWindowsHookEx(hook);
  ::DestroyWindow(window);
  if (!reply) return std::nullopt;
  return ParseCommandStates(*reply);
}

std::wstring FormatCommandStates(const std::vector<CommandState>& states) {
  std::wstring text;
  for (const CommandState& state : states) {
    text += state.kind;
    text += L'\t';
    text += std::to_wstring(state.id);
    text += state.enabled ? L"\t1" : L"\t0";
    if (state.kind == L'M') {
      text += L'\t';
      text += state.text;
    }
    text += L'\n';
  }
  return text;
}

std::vector<CommandState> ParseCommandStates(const std::wstring& text) {
  std::vector<CommandState> states;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = text.substr(start, end - start);
    start = end + 1;
    // kind \t id \t state [\t text]
    const size_t a = line.find(L'\t');
    const size_t b = a == std::wstring::npos ? a : line.find(L'\t', a + 1);
    if (a != 1 || b == std::wstring::npos || b + 1 >= line.size()) continue;
    CommandState state;
    state.kind = line[0];
    state.id = static_cast<UINT>(std::wcstoul(line.substr(a + 1, b - a - 1).c_str(), nullptr, 10));
    state.enabled = line[b + 1] == L'1';
    if (b + 2 < line.size() && line[b + 2] == L'\t') state.text = line.substr(b + 3);
    states.push_back(std::move(state));
  }
  return states;
}

}  // namespace moji
