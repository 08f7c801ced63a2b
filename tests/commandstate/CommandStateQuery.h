// Test support: reads the enabled state of every menu item and toolbar button of a running
// program from outside. (Wine cannot read another process's menus, so the state is read in
// the program's own thread.) The programs themselves know nothing of it: QueryCommandStates
// loads the hook library MojiStateHook.dll into the frame's thread (SetWindowsHookExW with
// WH_CALLWNDPROC), and the hook answers there.
//
// Protocol: the asker sends the registered window message CommandStateQueryMessage() to the
// frame with wParam = a window of the asker. In the frame's thread, before the frame sees it,
// the hook updates the menus (WM_INITMENUPOPUP for each popup, as when the user opens it)
// and brings every toolbar button to the state of the menu item of its command (what the
// frame's idle update does), then sends one WM_COPYDATA to that window, dwData =
// kCommandStateReplyTag, data = UTF-16 text without terminator, one line per item:
//   "M\t<id>\t<1 enabled | 0 disabled>\t<menu text>\n"   every command item of the menu bar
//   "T\t<id>\t<1 | 0>\n"                                  every toolbar button
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace moji {

inline constexpr ULONG_PTR kCommandStateReplyTag = 0x4D435351;  // 'MCSQ'

UINT CommandStateQueryMessage();

struct CommandState {
  wchar_t kind = 0;  // L'M' menu item, L'T' toolbar button
  UINT id = 0;
  bool enabled = false;
  std::wstring text;  // menu items only
};

// The hook's side, in the frame's thread: updates, collects and replies to `asker`.
void AnswerCommandStateQuery(HWND frame, HWND asker);

// The asker's side: nothing when the frame does not answer within `timeoutMs`.
std::optional<std::vector<CommandState>> QueryCommandStates(HWND frame, DWORD timeoutMs = 5000);

std::wstring FormatCommandStates(const std::vector<CommandState>& states);
std::vector<CommandState> ParseCommandStates(const std::wstring& text);

}  // namespace moji
