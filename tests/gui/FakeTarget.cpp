// A small stand-in for the programs under test, on which the GUI driver proves itself. It
// behaves like a browser in the ways scenarios look at: a tagged main window with a
// Japanese title, a menu and accelerators, a question box, a start-up refusal box, Ctrl+N
// starting a second process, its placement written to a settings file on close, a log
// line in code page 932, and an exit code that tells what was answered.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kAppName[] = L"FakeTarget";
constexpr wchar_t kTag[] = L"_MOJI_FAKE_TARGET_TAG";
constexpr COLORREF kBackground = 0x00C0FFFF;  // pale yellow

enum : WORD {
  ID_NEW = 57600,
  ID_EXIT = 57665,
  ID_ASK = 40001,
  ID_RELOAD = 40002,
  IDC_STATUS = 1000,
  IDC_PUSH = 1001,
  IDC_INPUT = 1002,
};

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, n < MAX_PATH ? n : 0);
}

std::wstring BesideProgram(const wchar_t* name) {
  std::wstring path = ProgramPath();
  return path.substr(0, path.rfind(L'\\') + 1) + name;
}

class CFakeTargetWindow {
 public:
  bool Create() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &CFakeTargetWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kBackground);
    wc.lpszClassName = L"MojiFakeTarget";
    RegisterClassW(&wc);

    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, ID_NEW, L"新規ﾌﾞﾗｳｻﾞ(&N)\tCtrl+N");
    AppendMenuW(file, MF_STRING, ID_ASK, L"保存の確認(&S)...");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, ID_EXIT, L"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"ﾌｧｲﾙ(&F)");

    // A first instance opens at (40, 40); one started by Ctrl+N (" /M") where the system puts it.
    const bool second = wcsstr(GetCommandLineW(), L" /M") != nullptr;
    m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"FakeTarget　[ - ] 64×64", WS_OVERLAPPEDWINDOW,
                             second ? CW_USEDEFAULT : 40, second ? CW_USEDEFAULT : 40, 480, 300, nullptr, menu,
                             wc.hInstance, this);
    return m_hwnd != nullptr;
  }

  int Run() {
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', ID_NEW}, {FVIRTKEY, VK_F5, ID_RELOAD}};
    HACCEL accelerators = CreateAcceleratorTableW(keys, 2);
    ShowWindow(m_hwnd, SW_SHOW);
    UpdateWindow(m_hwnd);
    SetPropW(m_hwnd, kTag, reinterpret_cast<HANDLE>(1));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (TranslateAcceleratorW(m_hwnd, accelerators, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    DestroyAcceleratorTable(accelerators);
    return static_cast<int>(msg.wParam);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<CFakeTargetWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      self->m_hwnd = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CFakeTargetWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE: {
        m_font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"ＭＳ Ｐゴシック");
        Child(L"EDIT", L"ﾚﾃﾞｨ　外字ブラウザの代役です", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, 10, 10, 440, 22,
              IDC_STATUS);
        Child(L"BUTTON", L"押してください", BS_PUSHBUTTON, 10, 44, 140, 28, IDC_PUSH);
        Child(L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 84, 440, 22, IDC_INPUT);
        return 0;
      }
      case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
      case WM_CLOSE:
        SavePlacement();
        DestroyWindow(m_hwnd);
        return 0;
      case WM_DESTROY:
        DeleteObject(m_font);
        PostQuitMessage(100 + m_answer);
        return 0;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
  }

  void Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
    HWND child = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
  }

  void Status(const std::wstring& text) { SetDlgItemTextW(m_hwnd, IDC_STATUS, text.c_str()); }

  void OnCommand(WORD id) {
    switch (id) {
      case ID_NEW: {
        std::wstring command = L"\"" + ProgramPath() + L"\" /M";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP, nullptr,
                           nullptr, &si, &pi)) {
          CloseHandle(pi.hThread);
          CloseHandle(pi.hProcess);
        }
        break;
      }
      case ID_ASK:
        m_answer = MessageBoxW(m_hwnd, L"'C:\\gaiji\\test.tte'\r\nファイルを保存しますか？", kAppName,
                               MB_YESNOCANCEL | MB_ICONQUESTION);
        Status(L"answer=" + std::to_wstring(m_answer));
        break;
      case ID_RELOAD:
        Status(L"再読込 F5");
        break;
      case IDC_PUSH:
        Status(L"ボタンが押されました");
        break;
      case ID_EXIT:
        PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
        break;
    }
  }

  // "left:top:right:bottom" under [Window] Pos, and a log line in code page 932.
  void SavePlacement() {
    RECT r;
    GetWindowRect(m_hwnd, &r);
    const std::wstring pos = std::to_wstring(r.left) + L":" + std::to_wstring(r.top) + L":" +
                             std::to_wstring(r.right) + L":" + std::to_wstring(r.bottom);
    WritePrivateProfileStringW(L"Window", L"Pos", pos.c_str(), BesideProgram(L"FakeTarget.ini").c_str());

    const std::wstring line = L"◇FakeTarget　終了 answer=" + std::to_wstring(m_answer) + L"\r\n";
    char bytes[256];
    const int n = WideCharToMultiByte(932, 0, line.c_str(), static_cast<int>(line.size()), bytes, sizeof bytes,
                                      nullptr, nullptr);
    HANDLE log = CreateFileW(BesideProgram(L"FakeTarget.log").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                             nullptr);
    DWORD written = 0;
    if (log != INVALID_HANDLE_VALUE) {
      WriteFile(log, bytes, n > 0 ? n : 0, &written, nullptr);
      CloseHandle(log);
    }
  }

  HWND m_hwnd = nullptr;
  HFONT m_font = nullptr;
  int m_answer = 0;
};

// An argument ending in ".txt" is refused the way the browser refuses a file that is not a
// gaiji font: a stop box without owner, then exit code 3 without a main window.
bool RefuseArguments() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  bool refused = false;
  for (int i = 1; args && i < count && !refused; ++i) {
    const std::wstring arg = args[i];
    if (arg.size() > 4 && CompareStringOrdinal(arg.c_str() + arg.size() - 4, 4, L".txt", 4, TRUE) == CSTR_EQUAL) {
      const std::wstring text = L"'" + arg + L"'\r\n指定のﾌｧｲﾙは外字ﾌｫﾝﾄﾌｧｲﾙ TTE、EUF 何れでもありません。";
      MessageBoxW(nullptr, text.c_str(), kAppName, MB_OK | MB_ICONHAND);
      refused = true;
    }
  }
  LocalFree(args);
  return refused;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  if (RefuseArguments()) return 3;
  CFakeTargetWindow window;
  return window.Create() ? window.Run() : 1;
}
