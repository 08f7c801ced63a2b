// The floor of the start-up benchmark (scenarios/StartUpBench.cpp): the least a Win32
// program does to show a main window, built with the programs' flags. It registers a
// class, creates, shows and paints an overlapped window, tags it and runs a message loop
// until the window is closed. Built twice: moji_start_floor bare, and moji_start_floor_ole
// (MOJI_START_FLOOR_OLE) also loading what drag and drop needs (OleInitialize).
#include <windows.h>
#ifdef MOJI_START_FLOOR_OLE
#include <ole2.h>
#endif

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int) {
#ifdef MOJI_START_FLOOR_OLE
  const bool ole = SUCCEEDED(OleInitialize(nullptr));
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"MojiStartFloor";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"start floor", WS_OVERLAPPEDWINDOW, 40, 40, 480, 300, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetPropW(window, L"_MOJI_START_FLOOR_TAG", reinterpret_cast<HANDLE>(1));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
#ifdef MOJI_START_FLOOR_OLE
  if (ole) OleUninitialize();
#endif
  return 0;
}
