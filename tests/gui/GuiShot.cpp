// moji_gui_shot: starts a program, waits for its tagged main window, saves a PNG of the
// screen and ends the program. The run command uses it where there is no display.
//
//   moji_gui_shot [--tag NAME] [--timeout SECONDS] OUT.png PROGRAM [ARGUMENT]
//
// Exit codes: 0 the window appeared and the screenshot was saved; 1 bad usage, the program
// could not be started or the PNG not written; 2 the program ended before its window
// appeared; 3 no window within the time (a screenshot of that state is still saved).
#include <windows.h>

#include <string>

#include "Screenshot.h"
#include "TargetProcess.h"
#include "WindowDriver.h"

namespace {

void Print(const std::wstring& line) {
  const std::wstring text = line + L"\n";
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string bytes(n > 0 ? n : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The argument quoted for a command line when it holds a space or a quote.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  for (wchar_t c : arg) out += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
  return out + L"\"";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring tag = L"_MOJIVIEW_APPLICATION_TAG";
  DWORD timeoutMs = 30000;
  int i = 1;
  for (; i + 1 < argc && argv[i][0] == L'-' && argv[i][1] == L'-'; i += 2) {
    const std::wstring option = argv[i];
    if (option == L"--tag") tag = argv[i + 1];
    else if (option == L"--timeout") timeoutMs = static_cast<DWORD>(_wtoi(argv[i + 1])) * 1000;
    else break;
  }
  if (argc - i < 2 || argc - i > 3) {
    Print(L"usage: moji_gui_shot [--tag NAME] [--timeout SECONDS] OUT.png PROGRAM [ARGUMENT]");
    return 1;
  }
  const std::filesystem::path png = argv[i], program = argv[i + 1];
  const std::wstring argument = argc - i == 3 ? Quoted(argv[i + 2]) : L"";

  moji::gui::CTargetProcess target;
  if (!target.Start(program, argument, std::filesystem::current_path())) {
    Print(L"cannot start " + program.wstring() + L" (error " + std::to_wstring(GetLastError()) + L")");
    return 1;
  }
  HWND window = target.WaitForMainWindow(timeoutMs, tag.c_str());
  int result = 0;
  if (window) {
    Print(L"main window: " + moji::gui::WindowText(window));
    Sleep(500);  // let it paint
  } else if (auto code = target.WaitForExit(0)) {
    Print(program.filename().wstring() + L" ended with exit code " + std::to_wstring(*code) +
          L" before its main window appeared");
    return 2;
  } else {
    Print(L"no window tagged " + tag + L" within " + std::to_wstring(timeoutMs / 1000) + L" s");
    if (HWND box = moji::gui::FindMessageBox(target.Id())) {
      Print(L"a message box is up: " + moji::gui::WindowText(box) + L": " + moji::gui::MessageBoxText(box));
    }
    result = 3;
  }
  if (!moji::gui::SaveScreenshot(png)) {
    Print(L"cannot write " + png.wstring());
    result = 1;
  }
  target.Terminate();
  return result;
}
