#include "InputDriver.h"

#include <vector>

#include "WindowDriver.h"

namespace moji::gui {
namespace {

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

bool Send(std::vector<INPUT>& inputs) {
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// SendInput's absolute coordinates run from 0 to 65535 across the primary screen.
LONG Normalise(LONG value, int extent) {
  return extent > 1 ? static_cast<LONG>((value * 65535LL + (extent - 1) / 2) / (extent - 1)) : 0;
}

INPUT MouseInput(POINT screen, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = Normalise(screen.x, GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = Normalise(screen.y, GetSystemMetrics(SM_CYSCREEN));
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return in;
}

// The time of this driver's last click, so that separate clicks never merge.
ULONGLONG g_lastClick = 0;

// Waits out the double-click interval after the previous click of this driver.
void SpaceFromLastClick() {
  const ULONGLONG spacing = GetDoubleClickTime() + 50;
  const ULONGLONG now = GetTickCount64();
  if (g_lastClick && now - g_lastClick < spacing) Sleep(static_cast<DWORD>(spacing - (now - g_lastClick)));
}

}  // namespace

bool BringToForeground(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  if (!top) return false;
  if (GetForegroundWindow() == top) return true;
  SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetForegroundWindow(top);
  return WaitUntil([&] { return GetForegroundWindow() == top; }, 3000);
}

bool SendKey(HWND window, WORD virtualKey, unsigned modifiers) {
  if (!BringToForeground(window)) return false;
  static constexpr struct {
    Modifier flag;
    WORD key;
  } kModifierKeys[] = {{kCtrl, VK_CONTROL}, {kShift, VK_SHIFT}, {kAlt, VK_MENU}};
  std::vector<INPUT> inputs;
  for (const auto& m : kModifierKeys) {
    if (modifiers & m.flag) inputs.push_back(KeyInput(m.key, false));
  }
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  for (auto m = std::rbegin(kModifierKeys); m != std::rend(kModifierKeys); ++m) {
    if (modifiers & m->flag) inputs.push_back(KeyInput(m->key, true));
  }
  return Send(inputs);
}

bool TypeText(HWND window, std::wstring_view text) {
  if (!BringToForeground(window)) return false;
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    for (bool up : {false, true}) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = c;
      in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(in);
    }
  }
  return Send(inputs);
}

bool ClickAt(POINT screen, MouseButton button) {
  SpaceFromLastClick();
  const bool left = button == MouseButton::Left;
  std::vector<INPUT> inputs = {MouseInput(screen, 0),
                               MouseInput(screen, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
                               MouseInput(screen, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)};
  const bool sent = Send(inputs);
  g_lastClick = GetTickCount64();
  return sent;
}

bool DoubleClickAt(POINT screen) {
  SpaceFromLastClick();
  std::vector<INPUT> inputs = {MouseInput(screen, 0)};
  for (int click = 0; click < 2; ++click) {
    inputs.push_back(MouseInput(screen, MOUSEEVENTF_LEFTDOWN));
    inputs.push_back(MouseInput(screen, MOUSEEVENTF_LEFTUP));
  }
  const bool sent = Send(inputs);
  g_lastClick = GetTickCount64();
  return sent;
}

bool MouseEventAt(POINT screen, DWORD buttonFlags) {
  std::vector<INPUT> inputs = {MouseInput(screen, buttonFlags)};
  return Send(inputs);
}

bool ClickControl(HWND parent, int controlId, MouseButton button) {
  HWND control = GetDlgItem(parent, controlId);
  if (!control || !BringToForeground(parent)) return false;
  const RECT r = WindowRect(control);
  return ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, button);
}

}  // namespace moji::gui
