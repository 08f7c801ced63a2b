// Reading and driving the windows of another process purely with window messages:
// texts, rectangles, commands, message boxes, dialogs and tagged windows. Messages that
// wait for an answer use SendMessageTimeoutW, so a hung target cannot hang the driver.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moji::gui {

constexpr DWORD kDefaultTimeoutMs = 10000;

// Polls `condition` every 20 ms until it holds (true) or `timeoutMs` has passed (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

// Visible top-level windows, of one process or (processId 0) of every process.
std::vector<HWND> TopLevelWindows(DWORD processId);
DWORD ProcessOf(HWND window);

std::wstring ClassName(HWND window);
// WM_GETTEXT across processes; empty when the window does not answer within 3 s.
std::wstring WindowText(HWND window);
std::wstring ControlText(HWND parent, int controlId);
bool SetControlText(HWND parent, int controlId, std::wstring_view text);
RECT WindowRect(HWND window);

// Posts WM_COMMAND with a menu or accelerator id (BN_CLICKED = 0 as notification).
// Posted, never sent: a command that opens a modal box would block a sender.
bool PostCommand(HWND window, WORD commandId);
// Posts WM_KEYDOWN and WM_KEYUP for a key without modifiers. This reaches the window's own
// key handling and accelerators such as F2 or F5; Ctrl/Shift/Alt need SendKey (InputDriver.h).
bool PostKey(HWND window, UINT virtualKey);

// Top-level windows that carry the window property `name` (any process).
std::vector<HWND> WindowsWithProperty(const wchar_t* name);
int CountWindowsWithProperty(const wchar_t* name);

// The process's enabled, visible dialog box (#32770): with a message box over a dialog
// this is the message box, since its owner is disabled. nullptr when there is none.
HWND FindMessageBox(DWORD processId);
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = kDefaultTimeoutMs);
// The text of a message box (its static control 0xFFFF), with "\r\n" as shown.
std::wstring MessageBoxText(HWND box);
// Presses a dialog's button by posting its BN_CLICKED notification (IDOK, IDYES, ...).
bool PressButton(HWND dialog, int buttonId);
// Presses a message box's button and waits until the box is gone; its text, or nothing
// when the button could not be pressed or the box stays.
std::optional<std::wstring> AnswerMessageBox(HWND box, int buttonId);

// A visible dialog box (#32770) with exactly this caption, of one process or (0) any.
HWND FindDialog(DWORD processId, std::wstring_view caption);
HWND WaitForDialog(DWORD processId, std::wstring_view caption, DWORD timeoutMs = kDefaultTimeoutMs);

struct ControlInfo {
  int id = 0;
  std::wstring className;
  std::wstring text;
  bool visible = false;
  bool enabled = false;
  RECT rect{};  // screen coordinates
};
// The direct child controls of a dialog or window, in Z order.
std::vector<ControlInfo> ReadControls(HWND parent);

}  // namespace moji::gui
