// Keyboard and mouse input through SendInput, as a user would type and click. Needed
// where posted messages fall short: Ctrl/Shift/Alt accelerators (posted keys do not change
// the keyboard state) and clicks that must move the cursor or set the button state.
#pragma once

#include <windows.h>

#include <string_view>

namespace moji::gui {

enum Modifier : unsigned {
  kNoModifier = 0,
  kCtrl = 1,
  kShift = 2,
  kAlt = 4,
};

// Raises `window` (or the top-level window that holds it) and makes it the foreground
// window; true once GetForegroundWindow reports it.
bool BringToForeground(HWND window);

// Presses one key with modifiers (e.g. 'N' with kCtrl) into `window` after bringing it
// to the foreground. Letters are given as upper-case virtual keys.
bool SendKey(HWND window, WORD virtualKey, unsigned modifiers = kNoModifier);
// Types text as Unicode key events into the window that has the keyboard focus in
// `window`'s thread (Japanese included; the input method is bypassed).
bool TypeText(HWND window, std::wstring_view text);

enum class MouseButton { Left, Right };
// One click at a screen point, every event with absolute coordinates. Consecutive clicks
// are spaced by the double-click time, so they never merge into a double click.
bool ClickAt(POINT screen, MouseButton button = MouseButton::Left);
// A left double click at a screen point: two clicks in one input batch, which the system
// merges into a double click.
bool DoubleClickAt(POINT screen);
// A click into the middle of a child control of `parent`.
bool ClickControl(HWND parent, int controlId, MouseButton button = MouseButton::Left);
// One mouse event at a screen point: a move, or with MOUSEEVENTF_LEFTDOWN / LEFTUP (...)
// a button going down or up there. For drags, which need the steps one by one.
bool MouseEventAt(POINT screen, DWORD buttonFlags = 0);

}  // namespace moji::gui
